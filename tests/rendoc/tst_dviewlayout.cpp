#include "rendoc/dviewlayout.h"

#include "rendoc/ditems.h"
#include "rendoc/dviewcontext.h"
#include "rendoc/dviewfenwick.h"
#include "rendoc/dviewlaidblock.h"

#include <QtTest>
#include <memory>

namespace {

// Appends item to parent's child chain.
template <typename T>
T* add(DItemContainer* parent, T* item)
{
    item->setParent(parent);
    parent->appendChild(item);
    return item;
}

DParagraph* paragraph(DItemContainer* parent, const QString& text)
{
    auto* p = add(parent, new DParagraph(parent));
    add(p, new DText(text, p));
    return p;
}

} // namespace

// The block list behind the view: prefix sums, flattening, item lookup and text extraction.
class TestDViewLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fenwickFind_data();
    void fenwickFind();
    void fenwickUpdates();
    void blocksOfDocument();
    void blockOfItem_data();
    void blockOfItem();
    void measuringReplacesEstimates();
    void textBetweenPositions_data();
    void textBetweenPositions();
    void whiteSpaceCollapsed_data();
    void whiteSpaceCollapsed();
};

void TestDViewLayout::fenwickFind_data()
{
    QTest::addColumn<QList<int>>("heights");
    QTest::addColumn<qint64>("y");
    QTest::addColumn<int>("block");
    const QList<int> h{10, 0, 0, 20, 5};
    QTest::newRow("start") << h << qint64(0) << 0;
    QTest::newRow("inside first") << h << qint64(9) << 0;
    QTest::newRow("skips empty blocks") << h << qint64(10) << 3;
    QTest::newRow("inside later") << h << qint64(29) << 3;
    QTest::newRow("last") << h << qint64(30) << 4;
    QTest::newRow("past the end") << h << qint64(1000) << 4;
    QTest::newRow("all empty") << QList<int>{0, 0, 0} << qint64(0) << 2;
    QTest::newRow("empty tree") << QList<int>{} << qint64(0) << -1;
    QTest::newRow("single") << QList<int>{7} << qint64(3) << 0;
}

void TestDViewLayout::fenwickFind()
{
    QFETCH(QList<int>, heights);
    QFETCH(qint64, y);
    QFETCH(int, block);
    DViewFenwick tree;
    tree.reset(std::vector<int>(heights.begin(), heights.end()));
    QCOMPARE(tree.find(y), block);
}

void TestDViewLayout::fenwickUpdates()
{
    // Compare against plain prefix sums after random-looking updates on an odd size.
    std::vector<int> plain(1237);
    for (size_t i = 0; i < plain.size(); ++i)
        plain[i] = int((i * 7919) % 40);
    DViewFenwick tree;
    tree.reset(plain);
    for (int step = 0; step < 500; ++step) {
        const int index = (step * 104729) % int(plain.size());
        const int value = (step * 31) % 57;
        plain[size_t(index)] = value;
        tree.set(index, value);
    }
    qint64 sum = 0;
    for (int i = 0; i < int(plain.size()); ++i) {
        QCOMPARE(tree.prefix(i), sum);
        if (plain[size_t(i)] > 0) {
            QCOMPARE(tree.find(sum), i);
            QCOMPARE(tree.find(sum + plain[size_t(i)] - 1), i);
        }
        sum += plain[size_t(i)];
    }
    QCOMPARE(tree.total(), sum);
}

void TestDViewLayout::blocksOfDocument()
{
    DDocument doc(QStringLiteral("d"), QStringLiteral("d"));
    auto* title = add(&doc, new DTitle(1, &doc));
    add(title, new DText(QStringLiteral("Heading"), title));
    auto* section = add(&doc, new DSection(QStringLiteral("s"), &doc));
    paragraph(section, QStringLiteral("inside a section"));
    auto* list = add(&doc, new DList(&doc));
    paragraph(list, QStringLiteral("one"));
    paragraph(list, QStringLiteral("two"));
    auto* table = add(&doc, new DTable(1, &doc));
    for (int r = 0; r < 3; ++r) {
        auto* row = add(table, new DRow(table));
        add(row, new DCellText(QStringLiteral("c"), 0, 0, row));
    }
    add(&doc, new DText(QStringLiteral("loose "), &doc));
    add(&doc, new DTag(QStringLiteral("t"), &doc));
    add(&doc, new DPageBreak(&doc));
    add(&doc, new DHeader(&doc));
    add(&doc, new DPopup(QStringLiteral("p"), &doc));

    DViewContext context;
    DViewLayout layout(&context);
    layout.addDocument(&doc);
    layout.addDocument(&doc);
    QList<int> kinds;
    for (int i = 0; i < layout.count(); ++i)
        kinds << layout.block(i).kind;
    const QList<int> expected{DViewBlock::Anchor, DViewBlock::Title, DViewBlock::Paragraph,
                              DViewBlock::ListEntry, DViewBlock::ListEntry, DViewBlock::Row,
                              DViewBlock::Row, DViewBlock::Row, DViewBlock::Inline,
                              DViewBlock::PageBreak};
    QCOMPARE(kinds, expected);
    QCOMPARE(layout.block(4).aux, 2);
    QVERIFY(layout.block(5).firstRow && !layout.block(5).lastRow);
    QVERIFY(layout.block(7).lastRow);
    QVERIFY(layout.header(0));
    QCOMPARE(layout.blockText(4), QStringLiteral("\u2022 two"));
}

void TestDViewLayout::blockOfItem_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("block");
    QTest::newRow("document") << "document" << 0;
    QTest::newRow("paragraph") << "paragraph" << 1;
    QTest::newRow("text in a link") << "link text" << 1;
    QTest::newRow("section maps to its first block") << "section" << 2;
    QTest::newRow("table maps to its first row") << "table" << 3;
    QTest::newRow("text deep in a cell") << "cell text" << 4;
    QTest::newRow("second member of an inline run") << "run member" << 5;
    QTest::newRow("empty section goes unshown") << "empty section" << -1;
    QTest::newRow("popup content is not shown") << "popup text" << -1;
    QTest::newRow("foreign item") << "foreign" << -1;
}

void TestDViewLayout::blockOfItem()
{
    QFETCH(QString, what);
    QFETCH(int, block);
    DDocument doc(QStringLiteral("d"), QStringLiteral("d"));
    QHash<QString, DItem*> items;
    items["document"] = &doc;
    auto* p = add(&doc, new DParagraph(&doc));
    items["paragraph"] = p;
    auto* link = add(p, new DLink(QStringLiteral("x"), p));
    items["link text"] = add(link, new DText(QStringLiteral("go"), link));
    auto* section = add(&doc, new DSection(QString(), &doc));
    items["section"] = section;
    paragraph(section, QStringLiteral("in section"));
    auto* table = add(&doc, new DTable(0, &doc));
    items["table"] = table;
    add(table, new DRow(table));
    auto* row = add(table, new DRow(table));
    auto* cell = add(row, new DCell(0, 0, row));
    auto* inner = paragraph(cell, QStringLiteral("deep"));
    items["cell text"] = inner->child();
    add(&doc, new DText(QStringLiteral("a"), &doc));
    items["run member"] = add(&doc, new DTag(QStringLiteral("t"), &doc));
    items["empty section"] = add(&doc, new DSection(QString(), &doc));
    auto* popup = add(&doc, new DPopup(QStringLiteral("p"), &doc));
    items["popup text"] = paragraph(popup, QStringLiteral("hidden"))->child();
    DText foreign(QStringLiteral("elsewhere"));
    items["foreign"] = &foreign;

    DViewContext context;
    DViewLayout layout(&context);
    layout.addDocument(&doc);
    QCOMPARE(layout.blockOf(items.value(what)), block);
    QCOMPARE(layout.findTag(QStringLiteral("t"), -1), items["run member"]->toTag());
    QCOMPARE(layout.findTag(QStringLiteral("none"), 0), nullptr);
}

void TestDViewLayout::measuringReplacesEstimates()
{
    DDocument doc(QStringLiteral("d"), QStringLiteral("d"));
    for (int i = 0; i < 50; ++i)
        paragraph(&doc, QString(300 + i * 40, QLatin1Char('x')).replace(5, 1, QLatin1Char(' ')));
    DViewContext context;
    DViewLayout layout(&context);
    layout.setWidth(300);
    layout.addDocument(&doc);
    QCOMPARE(layout.laidOutCount(), 0);
    const qint64 estimatedTop = layout.top(40);
    int measured = 0;
    for (int i = 1; i <= 20; ++i)
        measured += layout.laid(i)->height();
    QCOMPARE(layout.laidOutCount(), 20);
    QCOMPARE(layout.top(21), qint64(measured));
    QCOMPARE(layout.height(3), layout.laid(3)->height());
    QCOMPARE(layout.laidOutCount(), 20); // cached
    QVERIFY(layout.top(40) != estimatedTop || measured == estimatedTop);
    layout.setWidth(600);
    layout.laid(3);
    QCOMPARE(layout.laidOutCount(), 21);
}

void TestDViewLayout::textBetweenPositions_data()
{
    QTest::addColumn<int>("fromBlock");
    QTest::addColumn<int>("fromFrame");
    QTest::addColumn<int>("fromOffset");
    QTest::addColumn<int>("toBlock");
    QTest::addColumn<int>("toFrame");
    QTest::addColumn<int>("toOffset");
    QTest::addColumn<QString>("text");
    // Blocks: 0 anchor, 1 "alpha beta", 2 row "a1|b1", 3 row "a2|b2", 4 "gamma"
    QTest::newRow("inside one block") << 1 << 0 << 2 << 1 << 0 << 8 << "pha be";
    QTest::newRow("into a row") << 1 << 0 << 6 << 2 << 1 << 1 << "beta\na1\tb";
    QTest::newRow("across rows") << 2 << 1 << 0 << 3 << 0 << 2 << "b1\na2";
    QTest::newRow("from anchor to end") << 0 << 0 << 0 << 4 << 0 << 5 << "alpha beta\na1\tb1\na2\tb2\ngamma";
    QTest::newRow("empty range") << 4 << 0 << 3 << 4 << 0 << 3 << "";
}

void TestDViewLayout::textBetweenPositions()
{
    QFETCH(int, fromBlock);
    QFETCH(int, fromFrame);
    QFETCH(int, fromOffset);
    QFETCH(int, toBlock);
    QFETCH(int, toFrame);
    QFETCH(int, toOffset);
    QFETCH(QString, text);
    DDocument doc(QStringLiteral("d"), QStringLiteral("d"));
    paragraph(&doc, QStringLiteral("alpha beta"));
    auto* table = add(&doc, new DTable(1, &doc));
    for (int r = 1; r <= 2; ++r) {
        auto* row = add(table, new DRow(table));
        add(row, new DCellText(QStringLiteral("a%1").arg(r), 0, 0, row));
        add(row, new DCellText(QStringLiteral("b%1").arg(r), 0, 0, row));
    }
    paragraph(&doc, QStringLiteral("gamma"));
    DViewContext context;
    DViewLayout layout(&context);
    layout.addDocument(&doc);
    QCOMPARE(layout.text({fromBlock, fromFrame, fromOffset}, {toBlock, toFrame, toOffset}), text);
}

void TestDViewLayout::whiteSpaceCollapsed_data()
{
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<QString>("text");
    QTest::newRow("inner runs") << QStringList{"a  \n\t b"} << "a b";
    QTest::newRow("leading and trailing") << QStringList{"\n   a b  \n"} << "a b";
    QTest::newRow("across items") << QStringList{"a ", " b"} << "a b";
    QTest::newRow("blank item between") << QStringList{"a", "   ", "b"} << "a b";
    QTest::newRow("only blanks") << QStringList{"  ", "\n"} << "";
    QTest::newRow("no space added") << QStringList{"a", "b"} << "ab";
}

void TestDViewLayout::whiteSpaceCollapsed()
{
    QFETCH(QStringList, runs);
    QFETCH(QString, text);
    DDocument doc(QStringLiteral("d"), QStringLiteral("d"));
    auto* p = add(&doc, new DParagraph(&doc));
    for (const QString& run : runs)
        add(p, new DText(run, p));
    DViewContext context;
    DViewLayout layout(&context);
    layout.addDocument(&doc);
    QCOMPARE(layout.blockText(1), text);
}

QTEST_MAIN(TestDViewLayout)
#include "tst_dviewlayout.moc"
