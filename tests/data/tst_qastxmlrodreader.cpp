#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditem.h"
#include "tests/support/goldenfile.h"
#include "tests/support/fakestudio.h"

#include <QFile>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

QString field(const QString &value) { return value.isNull() ? "(null)" : '"' + value + '"'; }

// One line per node in document order, indented by depth:
// name type state id startItem-kind endItem-kind.
QString dumpTree(QAReporterDataTree *tree)
{
    const auto kind = [](const DItem *item) { return item ? QString(DItem::kindName(item->kind())) : "-"; };
    QString out;
    for (QAReporterNode *n = tree->root(); n; n = tree->next(QAReporterDataTree::Forward)) {
        out += QString(2 * (tree->depth() - 1), ' ')
            + QStringList{field(n->name), field(n->type), field(n->state), field(n->id),
                          kind(n->startItem), kind(n->endItem)}.join(' ') + '\n';
    }
    return out;
}

// A parse of in-memory XML without file and studio.
struct Parse
{
    QAstXmlRodReader reader;
    bool ok = false;

    explicit Parse(const QString &xml)
    {
        ok = reader.parseText(xml);
    }
    QString error() const { return reader.errorString(); }
    // The n-th node in document order (1-based), the root for 0.
    QAReporterNode *node(int n)
    {
        QAReporterNode *node = reader.dataTree()->root();
        for (int i = 0; node && i < n; ++i)
            node = reader.dataTree()->next(QAReporterDataTree::Forward);
        return node;
    }
};

QString wrap(const QString &body) { return "<XROD><DOCUMENT name=\"d\">" + body + "</DOCUMENT></XROD>"; }

// What `run` writes to the standard error stream.
template <class F>
QString stderrOf(F run)
{
    QTemporaryFile file;
    file.open();
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(file.handle(), 2);
    run();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    file.seek(0);
    return QString::fromUtf8(file.readAll());
}

} // namespace

// Reading of XRD files into node trees, totals and anchors.
class TestQAstXmlRodReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void golden()
    {
        // Numbering, types in order of appearance and anchors; among them a
        // node without items under an anchored parent, whose span ends at
        // the last item linked when it closed.
        QFile file(KORVAT_TEST_DATA "/reader/sample.xrd");
        QVERIFY(file.open(QIODevice::ReadOnly));
        Parse parse(QString::fromUtf8(file.readAll()));
        QVERIFY2(parse.ok, qPrintable(parse.error()));
        KORVAT_VERIFY_GOLDEN("reader/sample.dump", dumpTree(parse.reader.dataTree()));
        QCOMPARE(parse.reader.types(), (QStringList{"Script", "TestCase", "Check"}));

        std::unique_ptr<QAReporterDataTree> tree(parse.reader.takeDataTree());
        std::unique_ptr<DDocument> document(parse.reader.takeDocument());
        QVERIFY(tree && document && !parse.reader.dataTree());
        QCOMPARE(document->name(), "nightly");
        QCOMPARE(tree->rootNode()->data()->startItem, static_cast<DItem *>(document.get()));
    }

    void rejected_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("error"); // exact when it ends a line, else a part

        QTest::newRow("no name") << wrap("<XROD:NODE type=\"t\"><P/></XROD:NODE>") << "Xml/ROD, unvalable name attribute.\n";
        QTest::newRow("no type") << wrap("<XROD:NODE name=\"n\"><P/></XROD:NODE>") << "Xml/ROD, unvalable type attribute.\n";
        QTest::newRow("neither: name first") << wrap("<XROD:NODE state=\"ok\"/>") << "Xml/ROD, unvalable name attribute.\n";
        QTest::newRow("no AML at all") << "<XROD><XROD:NODE name=\"a\" type=\"t\"></XROD:NODE></XROD>"
                                       << "nested XMLROD init element.\n";
        QTest::newRow("empty XROD") << "<XROD></XROD>" << "nested XMLROD init element.\n";
        QTest::newRow("node before XROD") << "<DOCUMENT><XROD:NODE name=\"a\" type=\"t\"/></DOCUMENT>"
                                          << "Xml/ROD, XROD:NODE element outside XROD (line 1).\n";
        QTest::newRow("nested XROD") << wrap("<P/><XROD><P/></XROD>")
                                     << "Xml/ROD, more than one XROD element (line 1).\n";
        QTest::newRow("NODE is AML") << wrap("<NODE name=\"a\" type=\"t\"/>") << "\"NODE\"";
        QTest::newRow("lower-case node is AML") << wrap("<xrod:node name=\"a\" type=\"t\"/>") << "\"xrod:node\"";
    }

    void rejected()
    {
        QFETCH(QString, xml);
        QFETCH(QString, error);
        Parse parse(xml);
        QVERIFY(!parse.ok);
        if (error.endsWith('\n'))
            QCOMPARE(parse.error(), error);
        else
            QVERIFY2(parse.error().contains(error), qPrintable(parse.error()));
    }

    void attributes_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("fields"); // name state icone base; (null) when absent

        QTest::newRow("empty name kept empty") << "<XROD:NODE name=\"\" type=\"t\">" << "\"\" (null) (null) (null)";
        QTest::newRow("upper-case state kept as written")
            << "<XROD:NODE name=\"a\" type=\"t\" state=\"OK\">" << "\"a\" \"OK\" (null) (null)";
        QTest::newRow("empty optional attributes are present")
            << "<XROD:NODE name=\"a\" type=\"t\" state=\"\" icone=\"\" base=\"\">" << "\"a\" \"\" \"\" \"\"";
        QTest::newRow("all attributes")
            << "<XROD:NODE name=\"a b\" type=\"t\" state=\"ko\" icone=\"x.png\" base=\"/src/\" extra=\"1\">"
            << "\"a b\" \"ko\" \"x.png\" \"/src/\"";
    }

    void attributes()
    {
        QFETCH(QString, tag);
        Parse parse(wrap(tag + "<P/></XROD:NODE>"));
        QVERIFY2(parse.ok, qPrintable(parse.error()));
        const QAReporterNode *node = parse.node(1);
        QVERIFY(node);
        QTEST(QStringList({field(node->name), field(node->state), field(node->icone), field(node->base)}).join(' '),
              "fields");
    }

    // Types, verdicts, icons and bases repeat over a file's nodes: each distinct text is kept
    // once, however many distinct ones come between two of its nodes.
    void repeatedTextsShared_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::newRow("two alternating") << 2;
        QTest::newRow("more than the recent ones looked at") << 6;
        QTest::newRow("many") << 40;
    }

    void repeatedTextsShared()
    {
        QFETCH(int, distinct);
        const int nodes = 3 * distinct;
        QString body;
        for (int i = 0; i < nodes; ++i) {
            body += QStringLiteral("<XROD:NODE name=\"n%1\" type=\"type %2\" state=\"s%2\" icone=\"i%2\" "
                                   "base=\"b%2\"><P/></XROD:NODE>")
                        .arg(i)
                        .arg(i % distinct);
        }
        Parse parse(wrap(body));
        QVERIFY2(parse.ok, qPrintable(parse.error()));
        QCOMPARE(parse.reader.types().size(), distinct);
        for (int i = distinct; i < nodes; ++i) {
            const QAReporterNode *node = parse.node(i + 1);
            const QAReporterNode *first = parse.node(i % distinct + 1);
            QVERIFY(node && first);
            QCOMPARE(node->state.text(), QStringLiteral("s%1").arg(i % distinct));
            QVERIFY(node->type.sharesWith(first->type));
            QVERIFY(node->state.sharesWith(first->state));
            QVERIFY(node->icone.sharesWith(first->icone));
            QVERIFY(node->base.sharesWith(first->base));
        }
    }

    void totals_data()
    {
        QTest::addColumn<QString>("nodes");
        QTest::addColumn<int>("passed");
        QTest::addColumn<int>("failed");
        QTest::addColumn<int>("inconclusive");

        const auto node = [](const char *state, const char *sum) {
            QString tag = "<XROD:NODE name=\"n\" type=\"t\"";
            if (state)
                tag += QStringLiteral(" state=\"%1\"").arg(state);
            if (sum)
                tag += QStringLiteral(" sum=\"%1\"").arg(sum);
            return tag + "><P/></XROD:NODE>";
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
            << node("ok", nullptr) + node("ok", "2") + node("ko", "1") + node("ko", nullptr) << 2 << 1 << -1;
    }

    void totals()
    {
        QFETCH(QString, nodes);
        Parse parse(wrap("<P/>" + nodes));
        QVERIFY2(parse.ok, qPrintable(parse.error()));
        QTEST(int(parse.reader.passed()), "passed");
        QTEST(int(parse.reader.failed()), "failed");
        QTEST(int(parse.reader.inconclusive()), "inconclusive");
    }

    void anchors()
    {
        // The root, a and b open before the DOCUMENT start tag: all three take
        // the document as anchor. c waits for its TITLE.
        Parse parse("<XROD><XROD:NODE name=\"a\" type=\"t\"><XROD:NODE name=\"b\" type=\"t\">"
                    "<DOCUMENT><XROD:NODE name=\"c\" type=\"t\"><TITLE>c</TITLE>"
                    "</XROD:NODE></DOCUMENT></XROD:NODE></XROD:NODE></XROD>");
        QVERIFY2(parse.ok, qPrintable(parse.error()));
        DItem *document = parse.reader.documents();
        QVERIFY(document);
        for (int n = 0; n < 3; ++n)
            QCOMPARE(parse.node(n)->startItem, document);
        QVERIFY(parse.node(3)->startItem);
        QCOMPARE(parse.node(3)->startItem->kind(), DItem::Title);
        QCOMPARE(parse.node(3)->startItem->parent(), document);
    }

    void progress_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("withStudio");
        QTest::addColumn<QStringList>("calls");

        QTest::newRow("under 50 bytes: 0 steps, every value -1") << "tiny.xrd" << true
            << QStringList{"startProgress(0,Analysing tiny.xrd,Cancel,0,0)", "setProgress(-1)", "endProgress()"};
        // Seven tags over two steps: 0, then the last step for the other six,
        // which the display is told once.
        QTest::newRow("more tags than steps stop at the last step") << "steps.xrd" << true
            << QStringList{"startProgress(2,Analysing steps.xrd,Cancel,0,0)", "setProgress(0)",
                           "setProgress(1)", "endProgress()"};
        QTest::newRow("no file") << QString() << true << QStringList();
        QTest::newRow("no studio") << "tiny.xrd" << false << QStringList();
    }

    void progress()
    {
        QFETCH(QString, file);
        QFETCH(bool, withStudio);
        FakeStudio studio;
        QFile input(KORVAT_TEST_DATA "/reader/" + (file.isEmpty() ? "tiny.xrd" : file));
        QVERIFY(input.open(QIODevice::ReadOnly));
        QAstXmlRodReader reader;
        QVERIFY(reader.parse(&input, file.isEmpty() ? nullptr : &input, withStudio ? &studio : nullptr));
        QTEST(studio.actions(), "calls");
    }

    void progressOfLargeFile_data()
    {
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<int>("bytesPerTag");
        // Fewer tags than steps: the last value is the last tag's step.
        QTest::newRow("sparse tags") << 60000 << 120;
        // More tags than steps: the last value is the last step.
        QTest::newRow("dense tags") << 60000 << 20;
    }

    void progressOfLargeFile()
    {
        // A large file moves the display by whole percents only, never
        // backwards, and still ends where one step per tag would.
        QFETCH(int, paragraphs);
        QFETCH(int, bytesPerTag);
        QTemporaryFile input;
        QVERIFY(input.open());
        const QByteArray text(qMax(0, bytesPerTag - 7), 'x');
        QByteArray xml = "<XROD><DOCUMENT name=\"big\">";
        for (int i = 0; i < paragraphs; ++i)
            xml += "<P>" + text + "</P>";
        xml += "</DOCUMENT></XROD>";
        input.write(xml);
        input.flush();
        input.seek(0);

        FakeStudio studio;
        QAstXmlRodReader reader;
        QVERIFY(reader.parse(&input, &input, &studio));

        const int steps = int(input.size() / 50);
        const int tags = paragraphs + 2;
        const QStringList calls = studio.callsTo("setProgress");
        QVERIFY2(!calls.isEmpty() && calls.size() <= 102, qPrintable(QString::number(calls.size())));
        int previous = -1;
        for (const QString &call : calls) {
            const int value = call.section('(', 1).chopped(1).toInt();
            QVERIFY(value >= previous);
            previous = value;
        }
        QCOMPARE(studio.lastProgress(), qMin(tags, steps) - 1);
        QCOMPARE(studio.actions().last(), QStringLiteral("endProgress()"));
    }

    void cdataTrace()
    {
        bool ok = false;
        const QString written = stderrOf([&] { ok = Parse(wrap("<P><![CDATA[a < b]]></P>")).ok; });
        QVERIFY(ok);
        QVERIFY2(written.contains("QAstXmlRodHandler::startCDATA()\nQAstXmlRodHandler::endCDATA()\n"),
                 qPrintable(written));
    }

    void deepNesting_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("900 nested nodes") << 900 << true;
        QTest::newRow("100,000 nested nodes") << 100000 << false;
    }

    void deepNesting()
    {
        QFETCH(int, depth);
        QFETCH(bool, accepted);
        const QString xml = "<XROD><DOCUMENT>" + QString("<XROD:NODE name=\"n\" type=\"t\">").repeated(depth)
            + "<P/>" + QString("</XROD:NODE>").repeated(depth) + "</DOCUMENT></XROD>";
        Parse parse(xml);
        QCOMPARE(parse.ok, accepted);
        if (accepted) {
            QCOMPARE(parse.node(depth)->id.toString(), QString::number(depth));
            QCOMPARE(parse.node(depth)->startItem->kind(), DItem::Paragraph);
        } else {
            QVERIFY2(parse.error().contains("1000"), qPrintable(parse.error()));
        }
    }
};

QTEST_MAIN(TestQAstXmlRodReader)
#include "tst_qastxmlrodreader.moc"
