#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qastxmlrodhandler.h"
#include "korvatreporter/data/qastxmlrodreader.h"
#include "korvatreporter/data/qtreeiterator.h"
#include "rendoc/ddocument.h"
#include "rendoc/ditem.h"
#include "rendoc/dstyle.h"
#include "tests/support/fakestudio.h"

#include <QFile>
#include <QTemporaryFile>
#include <QXmlInputSource>
#include <QtTest>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

QString field(const QString &value)
{
    return value.isNull() ? QStringLiteral("(null)") : QLatin1Char('"') + value + QLatin1Char('"');
}

QString itemKind(const DItem *item)
{
    return item ? QString::fromLatin1(DItem::kindName(item->kind())) : QStringLiteral("-");
}

// One line per node in document order, indented by depth:
// name type state id startItem-kind endItem-kind.
QString dumpTree(QAReporterDataTree *tree)
{
    QString out;
    QTreeIterator<QAReporterNode> it(tree->rootNode());
    const auto line = [&](const QAReporterNode *n, int depth) {
        out += QString(2 * (depth - 1), QLatin1Char(' '));
        out += QStringList{field(n->name), field(n->type), field(n->state), field(n->id),
                           itemKind(n->startItem), itemKind(n->endItem)}
                   .join(QLatin1Char(' '));
        out += QLatin1Char('\n');
    };
    line(it.current(), it.depth());
    // Pre-order walk with the cursor: down, else across, else up and across.
    for (;;) {
        if (it.toFirstChild()) {
            line(it.current(), it.depth());
            continue;
        }
        bool moved = false;
        while (!(moved = it.toNextSibling())) {
            if (!it.toParent())
                break;
        }
        if (!moved)
            break;
        line(it.current(), it.depth());
    }
    return out;
}

// A parse of in-memory XML without file and studio.
struct Parse
{
    std::unique_ptr<QAstXmlRodReader> reader = std::make_unique<QAstXmlRodReader>();
    bool ok = false;

    explicit Parse(const QString &xml, const QList<DStyle *> &styles = {})
    {
        QXmlInputSource source;
        source.setData(xml);
        reader->rodHandler()->setStyles(styles);
        ok = reader->parse(&source, nullptr, nullptr);
    }
    QAReporterDataTree *tree() const { return reader->dataTree(); }
    QString error() const { return reader->errorString(); }
    // The n-th node in document order (1-based), the root for 0.
    QAReporterNode *node(int n) const
    {
        QTreeIterator<QAReporterNode> it(tree()->rootNode());
        for (int i = 0; i < n; ++i) {
            if (it.toFirstChild())
                continue;
            while (!it.toNextSibling()) {
                if (!it.toParent())
                    return nullptr;
            }
        }
        return it.current();
    }
};

QString wrap(const QString &body)
{
    return QStringLiteral("<XROD><DOCUMENT name=\"d\">") + body + QStringLiteral("</DOCUMENT></XROD>");
}

// Captures what is written to the standard error stream while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = dup(2);
        dup2(m_file.handle(), 2);
    }
    QString finish()
    {
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
        m_file.seek(0);
        return QString::fromUtf8(m_file.readAll());
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

// Reading of XRD files into node trees, totals and anchors.
class TestQAstXmlRodReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void golden();
    void rejected_data();
    void rejected();
    void attributes_data();
    void attributes();
    void totals_data();
    void totals();
    void sharedAnchors();
    void unanchoredChild();
    void numberingAndTypes();
    void stylesGiven();
    void progress_data();
    void progress();
    void cdataTrace();
    void deepNesting_data();
    void deepNesting();
};

void TestQAstXmlRodReader::golden()
{
    QFile file(QStringLiteral(KORVAT_TEST_DATA "/reader/sample.xrd"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlInputSource source(&file);
    QAstXmlRodReader reader;
    QVERIFY2(reader.parse(&source, &file, nullptr), qPrintable(reader.errorString()));

    const QString dump = dumpTree(reader.dataTree());
    QFile expected(QStringLiteral(KORVAT_TEST_DATA "/reader/sample.dump"));
    // KORVAT_WRITE_GOLDEN=1 rewrites the expected dump after a deliberate change.
    if (qEnvironmentVariableIsSet("KORVAT_WRITE_GOLDEN")) {
        QVERIFY(expected.open(QIODevice::WriteOnly));
        expected.write(dump.toUtf8());
        expected.close();
    }
    QVERIFY(expected.open(QIODevice::ReadOnly | QIODevice::Text));
    QCOMPARE(dump, QString::fromUtf8(expected.readAll()));
    QCOMPARE(reader.types(), (QStringList{"Script", "TestCase", "Check"}));
    QCOMPARE(reader.passed(), 1);
    QCOMPARE(reader.failed(), 1);
    QCOMPARE(reader.inconclusive(), 0);

    std::unique_ptr<QAReporterDataTree> tree(reader.takeDataTree());
    std::unique_ptr<DDocument> document(reader.takeDocument());
    QVERIFY(tree && document);
    QCOMPARE(document->name(), QStringLiteral("nightly"));
    QCOMPARE(tree->rootNode()->data()->startItem, static_cast<DItem *>(document.get()));
    QVERIFY(!reader.dataTree());
}

void TestQAstXmlRodReader::rejected_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("error");

    QTest::newRow("no name") << wrap("<XROD:NODE type=\"t\"><P/></XROD:NODE>")
                             << "Xml/ROD, unvalable name attribute.\n";
    QTest::newRow("no type") << wrap("<XROD:NODE name=\"n\"><P/></XROD:NODE>")
                             << "Xml/ROD, unvalable type attribute.\n";
    QTest::newRow("neither: name first") << wrap("<XROD:NODE state=\"ok\"/>")
                                         << "Xml/ROD, unvalable name attribute.\n";
    QTest::newRow("no AML at all")
        << "<XROD><XROD:NODE name=\"a\" type=\"t\"></XROD:NODE></XROD>"
        << "nested XMLROD init element.\n";
    QTest::newRow("empty XROD") << "<XROD></XROD>" << "nested XMLROD init element.\n";
    QTest::newRow("node before XROD")
        << "<DOCUMENT><XROD:NODE name=\"a\" type=\"t\"/></DOCUMENT>"
        << "Xml/ROD, XROD:NODE element outside XROD (line 1).\n";
    QTest::newRow("nested XROD") << wrap("<P/><XROD><P/></XROD>")
                                 << "Xml/ROD, more than one XROD element (line 1).\n";
    QTest::newRow("NODE is AML") << wrap("<NODE name=\"a\" type=\"t\"/>") << "\"NODE\"";
    QTest::newRow("lower-case node is AML")
        << wrap("<xrod:node name=\"a\" type=\"t\"/>") << "\"xrod:node\"";
    QTest::newRow("malformed XML") << "<XROD><DOCUMENT></XROD>" << QString();
}

void TestQAstXmlRodReader::rejected()
{
    QFETCH(QString, xml);
    QFETCH(QString, error);
    Parse parse(xml);
    QVERIFY(!parse.ok);
    if (error.endsWith(QLatin1Char('\n')))
        QCOMPARE(parse.error(), error);
    else
        QVERIFY2(parse.error().contains(error), qPrintable(parse.error()));
}

void TestQAstXmlRodReader::attributes_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("icone");
    QTest::addColumn<QString>("base");

    const QString null;
    QTest::newRow("empty name kept empty")
        << "<XROD:NODE name=\"\" type=\"t\">" << "" << null << null << null;
    QTest::newRow("upper-case state kept as written")
        << "<XROD:NODE name=\"a\" type=\"t\" state=\"OK\">" << "a" << "OK" << null << null;
    QTest::newRow("empty optional attributes are present")
        << "<XROD:NODE name=\"a\" type=\"t\" state=\"\" icone=\"\" base=\"\">" << "a" << ""
        << "" << "";
    QTest::newRow("all attributes")
        << "<XROD:NODE name=\"a b\" type=\"t\" state=\"ko\" icone=\"x.png\" base=\"/src/\" extra=\"1\">"
        << "a b" << "ko" << "x.png" << "/src/";
}

void TestQAstXmlRodReader::attributes()
{
    QFETCH(QString, tag);
    QFETCH(QString, name);
    QFETCH(QString, state);
    QFETCH(QString, icone);
    QFETCH(QString, base);
    Parse parse(wrap(tag + "<P/></XROD:NODE>"));
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    const QAReporterNode *node = parse.node(1);
    QVERIFY(node);
    QCOMPARE(node->name.isNull(), name.isNull());
    QCOMPARE(node->name, name);
    QCOMPARE(node->state.isNull(), state.isNull());
    QCOMPARE(node->state, state);
    QCOMPARE(node->icone.isNull(), icone.isNull());
    QCOMPARE(node->icone, icone);
    QCOMPARE(node->base.isNull(), base.isNull());
    QCOMPARE(node->base, base);
    const QAReporterNode *root = parse.node(0);
    QVERIFY(root->name.isNull() && root->type.isNull() && root->id.isNull());
}

void TestQAstXmlRodReader::totals_data()
{
    QTest::addColumn<QString>("nodes");
    QTest::addColumn<int>("passed");
    QTest::addColumn<int>("failed");
    QTest::addColumn<int>("inconclusive");

    const auto node = [](const char *state, const char *sum) {
        QString tag = QStringLiteral("<XROD:NODE name=\"n\" type=\"t\"");
        if (state)
            tag += QStringLiteral(" state=\"%1\"").arg(QLatin1String(state));
        if (sum)
            tag += QStringLiteral(" sum=\"%1\"").arg(QLatin1String(sum));
        return tag + QStringLiteral("><P/></XROD:NODE>");
    };
    QTest::newRow("no nodes") << QString() << 0 << 0 << -1;
    QTest::newRow("ok 3") << node("ok", "3") << 3 << 0 << -1;
    QTest::newRow("ko -2") << node("ko", "-2") << 0 << -2 << -1;
    QTest::newRow("sum of letters") << node("ok", "abc") << 0 << 0 << -1;
    QTest::newRow("empty sum") << node("ko", "") << 0 << 0 << -1;
    QTest::newRow("trailing garbage") << node("ok", "3x") << 0 << 0 << -1;
    QTest::newRow("upper-case states count nothing")
        << node("OK", "4") + node("KO", "4") + node("ne", "4") << 0 << 0 << -1;
    QTest::newRow("no state") << node(nullptr, "7") << 0 << 0 << -1;
    QTest::newRow("NE without sum stays -1") << node("NE", nullptr) << 0 << 0 << -1;
    QTest::newRow("NE with sum 0 gives 0") << node("NE", "0") + node("NE", "0") << 0 << 0 << 0;
    QTest::newRow("NE adds from 0") << node("NE", "2") + node("NE", "5") << 0 << 0 << 7;
    QTest::newRow("no propagation, nodes not counted")
        << node("ok", nullptr) + node("ok", "2") + node("ko", "1") + node("ko", nullptr)
        << 2 << 1 << -1;
}

void TestQAstXmlRodReader::totals()
{
    QFETCH(QString, nodes);
    Parse parse(wrap("<P/>" + nodes));
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    QTEST(parse.reader->passed(), "passed");
    QTEST(parse.reader->failed(), "failed");
    QTEST(parse.reader->inconclusive(), "inconclusive");
}

void TestQAstXmlRodReader::sharedAnchors()
{
    // The root, node 1 and node 2 open before the DOCUMENT start tag: all
    // three take the document as anchor. Node 3 waits for its TITLE.
    Parse parse(QStringLiteral("<XROD><XROD:NODE name=\"a\" type=\"t\"><XROD:NODE name=\"b\" type=\"t\">"
                               "<DOCUMENT><XROD:NODE name=\"c\" type=\"t\"><TITLE>c</TITLE>"
                               "</XROD:NODE></DOCUMENT></XROD:NODE></XROD:NODE></XROD>"));
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    DDocument *document = parse.reader->documents();
    QVERIFY(document);
    QCOMPARE(parse.node(0)->startItem, static_cast<DItem *>(document));
    QCOMPARE(parse.node(1)->startItem, static_cast<DItem *>(document));
    QCOMPARE(parse.node(2)->startItem, static_cast<DItem *>(document));
    QVERIFY(parse.node(3)->startItem);
    QCOMPARE(parse.node(3)->startItem->kind(), DItem::Title);
    QCOMPARE(parse.node(3)->startItem->parent(), static_cast<DItemContainer *>(document));
}

void TestQAstXmlRodReader::unanchoredChild()
{
    Parse parse(wrap("<XROD:NODE name=\"p\" type=\"t\"><P/><XROD:NODE name=\"c\" type=\"t\">"
                     "</XROD:NODE></XROD:NODE><P/>"));
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    const QAReporterNode *parent = parse.node(1);
    const QAReporterNode *child = parse.node(2);
    QCOMPARE(child->name, QStringLiteral("c"));
    QVERIFY(!child->startItem);
    QVERIFY(!child->endItem);
    QVERIFY(parent->startItem);
    QCOMPARE(parent->startItem->kind(), DItem::Paragraph);
    // The parent's span ends at the last item linked when it closed.
    QCOMPARE(parent->endItem, parent->startItem);
}

void TestQAstXmlRodReader::numberingAndTypes()
{
    Parse parse(wrap("<P/><XROD:NODE name=\"a\" type=\"S\"><XROD:NODE name=\"b\" type=\"C\"/>"
                     "<XROD:NODE name=\"c\" type=\"S\"/></XROD:NODE><XROD:NODE name=\"d\" type=\"\"/>"));
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    QCOMPARE(parse.reader->types(), (QStringList{"S", "C", ""}));
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(parse.node(i)->id, QString::number(i));
    QCOMPARE(parse.node(3)->name, QStringLiteral("c"));
    QCOMPARE(parse.tree()->rootNode()->children().size(), 2);
}

void TestQAstXmlRodReader::stylesGiven()
{
    DStyle normal(QStringLiteral("Normal"));
    Parse parse(wrap("<P/>"), {&normal});
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    QCOMPARE(parse.reader->documents()->style(), &normal);
}

void TestQAstXmlRodReader::progress_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("withStudio");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("under 50 bytes: 0 steps, every value -1")
        << "tiny.xrd" << true
        << QStringList{"startProgress(0,Analysing tiny.xrd,Cancel,0,0)", "setProgress(-1)",
                       "setProgress(-1)", "endProgress()"};
    QTest::newRow("more tags than steps stop at the last step")
        << "steps.xrd" << true
        << QStringList{"startProgress(2,Analysing steps.xrd,Cancel,0,0)", "setProgress(0)",
                       "setProgress(1)", "setProgress(1)", "setProgress(1)", "setProgress(1)",
                       "setProgress(1)", "setProgress(1)", "endProgress()"};
    QTest::newRow("no file") << QString() << true << QStringList();
    QTest::newRow("no studio") << "tiny.xrd" << false << QStringList();
}

void TestQAstXmlRodReader::progress()
{
    QFETCH(QString, file);
    QFETCH(bool, withStudio);
    QFETCH(QStringList, calls);

    FakeStudio studio;
    QFile input(QStringLiteral(KORVAT_TEST_DATA "/reader/") + (file.isEmpty() ? "tiny.xrd" : file));
    QVERIFY(input.open(QIODevice::ReadOnly));
    QXmlInputSource source(&input);
    QAstXmlRodReader reader;
    QVERIFY(reader.parse(&source, file.isEmpty() ? nullptr : &input,
                         withStudio ? &studio : nullptr));
    QCOMPARE(studio.actions(), calls);
}

void TestQAstXmlRodReader::cdataTrace()
{
    StderrCapture capture;
    Parse parse(wrap("<P><![CDATA[a < b]]></P>"));
    const QString written = capture.finish();
    QVERIFY2(parse.ok, qPrintable(parse.error()));
    QVERIFY2(written.contains("QAstXmlRodHandler::startCDATA()\nQAstXmlRodHandler::endCDATA()\n"),
             qPrintable(written));
}

void TestQAstXmlRodReader::deepNesting_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("900 nested nodes") << 900 << true;
    QTest::newRow("100,000 nested nodes") << 100000 << false;
}

void TestQAstXmlRodReader::deepNesting()
{
    QFETCH(int, depth);
    QFETCH(bool, accepted);
    QString xml = QStringLiteral("<XROD><DOCUMENT>");
    xml.reserve(depth * 60);
    for (int i = 0; i < depth; ++i)
        xml += QStringLiteral("<XROD:NODE name=\"n\" type=\"t\">");
    xml += QStringLiteral("<P/>");
    for (int i = 0; i < depth; ++i)
        xml += QStringLiteral("</XROD:NODE>");
    xml += QStringLiteral("</DOCUMENT></XROD>");
    Parse parse(xml);
    QCOMPARE(parse.ok, accepted);
    if (accepted) {
        QCOMPARE(parse.node(depth)->id, QString::number(depth));
        QCOMPARE(parse.node(depth)->startItem->kind(), DItem::Paragraph);
    } else {
        QVERIFY2(parse.error().contains(QLatin1String("1000")), qPrintable(parse.error()));
    }
}

QTEST_MAIN(TestQAstXmlRodReader)
#include "tst_qastxmlrodreader.moc"
