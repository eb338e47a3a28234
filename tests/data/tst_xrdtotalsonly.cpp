#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/xrd/qastxmlrodhandler.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/session/qareportleaftests.h"
#include "rendoc/aml/damlexpatsource.h"
#include "tests/support/threadthreshold.h"
#include "rendoc/model/ddocument.h"

#include <QtTest>

#include <memory>

namespace {

enum class Read { Full, TotalsOnly, TestsOnly, TreeOnly };

// The node tree, one line per node in document order: depth, name, type, state and count.
QString treeText(const QAReporterDataTree *tree)
{
    QString text;
    using Node = QTree<QAReporterNode>::QTreeNode;
    std::vector<std::pair<const Node *, int>> pending{{tree->rootNode(), 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        if (const QAReporterNode *data = node->data())
            text += QStringLiteral("%1 %2 %3 %4 %5\n").arg(depth).arg(data->name, data->type, data->state).arg(data->count);
        const auto &children = node->children();
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
    return text;
}

// The tests as the session lists them, one line each: path, verdict, and for a counted case its
// suite, name, duration and whether a message is wanted. The document and the message are
// left out: a tests-only read has neither (the loader names the tests, a full read gives messages).
QString testsText(const QList<QAStTestResult> &tests)
{
    QString text;
    for (const QAStTestResult &test : tests) {
        text += QStringLiteral("%1 %2").arg(test.path).arg(int(test.verdict));
        if (!test.name.isNull())
            text += QStringLiteral(" [%1|%2|%3|%4]").arg(test.suite, test.name).arg(test.seconds)
                        .arg(test.verdict != QAStTestResult::Passed);
        text += QLatin1Char('\n');
    }
    return text;
}

// What a read tells: "passed failed inconclusive types", or the error; a full read adds the
// first document's name and its tests and tree, a tests-only read the same name and its tests,
// a tree-only read the same name and its tree.
QString outcome(const QString &xml, Read read)
{
    QAstXmlRodReader reader;
    reader.rodHandler()->setTotalsOnly(read == Read::TotalsOnly);
    reader.rodHandler()->setTestsOnly(read == Read::TestsOnly);
    reader.rodHandler()->setTreeOnly(read == Read::TreeOnly);
    const bool ok = reader.parseText(xml);
    std::unique_ptr<DDocument> document(reader.takeDocument());
    if (read != Read::Full && (document || (read != Read::TreeOnly && reader.dataTree())))
        return QStringLiteral("kept the report");
    if (!ok)
        return reader.errorString();
    QString text = QStringLiteral("%1 %2 %3 %4").arg(reader.passed()).arg(reader.failed()).arg(reader.inconclusive())
                       .arg(reader.types().join(QLatin1Char(',')));
    if (read == Read::TestsOnly) {
        const bool failedCase = reader.rodHandler()->hasFailedCase();
        text += QLatin1Char('\n') + reader.rodHandler()->documentName() + QLatin1Char('\n')
                + testsText(reader.rodHandler()->takeTests())
                + QStringLiteral("failed case %1\n").arg(QLatin1String(failedCase ? "true" : "false"));
    } else if (read == Read::TreeOnly) {
        text += QLatin1Char('\n') + reader.rodHandler()->documentName() + QLatin1Char('\n');
        if (const QAReporterDataTree *tree = reader.dataTree())
            text += treeText(tree);
    } else if (read == Read::Full) {
        QAReporterData record;
        record.document = std::move(document);
        record.dataTree = std::unique_ptr<QAReporterDataTree>(reader.takeDataTree());
        QList<QAStTestResult> tests;
        QAReportLeafTests::append(record, true, &tests);
        const bool failedCase = std::any_of(tests.cbegin(), tests.cend(), [](const QAStTestResult &test) {
            return !test.name.isNull() && test.verdict != QAStTestResult::Passed;
        });
        text += QLatin1Char('\n') + (record.document ? record.document->name() : QString()) + QLatin1Char('\n')
                + testsText(tests) + QStringLiteral("failed case %1\n").arg(QLatin1String(failedCase ? "true" : "false"));
        if (record.dataTree)
            text += treeText(record.dataTree.get());
    }
    return text;
}

QString node(const QString &type, const char *state = "ok", const QString &body = QStringLiteral("<P/>"))
{
    return QStringLiteral("<XROD:NODE name=\"n\" type=\"%1\" state=\"%2\" sum=\"1\">%3</XROD:NODE>").arg(type, QLatin1String(state), body);
}

QString wrap(const QString &body) { return "<XROD><DOCUMENT name=\"d\">" + body + "</DOCUMENT></XROD>"; }

} // namespace

// A totals-only read (what the summary needs) and a tests-only read (what
// recording and comparing need) keep neither tree nor document, and a
// tree-only read (what the outline needs) keeps no document, yet they refuse
// exactly the files a full read refuses, with the same reason, and count the
// same totals and types. The xrd fuzz target compares
// the reads through the loader on every seed, example and fuzzed input.
class TestXrdTotalsOnly : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithFullRead_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("expected"); // totals and types, or the start of the error
        QTest::newRow("nested, anchored late") << wrap(node("A", "ok", node("B", "ko", node("A", "NE")) + "<P>t</P>")) << "1 1 1 A,B";
        QTest::newRow("repeated texts") << wrap(node("Étape") + node("Etape") + node("Étape") + node("Ét") + node("") + node("Ét"))
                                        << "6 0 -1 Étape,Etape,Ét,";
        const auto summed = [](const char *state, const char *sum) {
            return QStringLiteral("<XROD:NODE name=\"n\" type=\"T\" state=\"%1\" sum=\"%2\"><P/></XROD:NODE>")
                .arg(QLatin1String(state), QString::fromUtf8(sum));
        };
        // Counts of plain digits are read from the bytes, any other as text: both must agree.
        QTest::newRow("sums") << wrap(summed("ok", "007") + summed("ok", "+4") + summed("ko", "0000000003")
                                      + summed("ko", "99999999999") + summed("NE", " 2 ") + summed("NE", "\u0663")
                                      + summed("NE", "2x"))
                              << "11 3 2 T";
        QTest::newRow("non-ASCII text") << wrap(node("T", "ok", "<P>\u00e9t\u00e9 \U0001F600</P>")) << "1 0 -1 T";
        QTest::newRow("non-ASCII text in a table") << wrap(node("T", "ok", "<TABLE>\u00a0</TABLE>")) << "AML, text not allowed";
        QTest::newRow("entity text in a table")
            << "<!DOCTYPE XROD [<!ENTITY e \"words\">]><XROD><DOCUMENT name=\"d\"><TABLE> &e; </TABLE></DOCUMENT></XROD>"
            << "AML, text not allowed";
        QTest::newRow("title level") << wrap(node("T", "ok", "<TITLE level=\"0000000007\"/>")) << "AML, bad value \"0000000007\"";
        QTest::newRow("non-ASCII element name") << wrap(node("T", "ok", "<\u00c9TAPE/>")) << "AML, unknown element \"\u00c9TAPE\"";
        QTest::newRow("styles first") << "<XROD><DOCUMENT><STYLES><COLOR name=\"c\" value=\"#ff0000\"/></STYLES>" + node("T")
                                             + "</DOCUMENT></XROD>" << "1 0 -1 T";
        QTest::newRow("node on no item") << "<XROD><XROD:NODE name=\"a\" type=\"t\"></XROD:NODE></XROD>" << "nested";
        QTest::newRow("no name") << wrap("<XROD:NODE type=\"t\"><P/></XROD:NODE>") << "Xml/ROD, unvalable name";
        QTest::newRow("node before XROD") << "<DOCUMENT><XROD:NODE name=\"a\" type=\"t\"/></DOCUMENT>" << "Xml/ROD, XROD:NODE";
        QTest::newRow("second XROD") << wrap("<P/><XROD><P/></XROD>") << "Xml/ROD, more than one";
        QTest::newRow("unknown element") << wrap(node("T", "ok", "<NODE/>")) << "AML, unknown";
        QTest::newRow("required attribute") << wrap(node("T", "ko", "<P>x<IMAGE width=\"2\"/></P>")) << "AML, element";
        QTest::newRow("bad value") << wrap(node("T", "ok", "<LIST ordered=\"maybe\"/>")) << "AML, bad value";
        QTest::newRow("text in a table") << wrap("<TABLE>words</TABLE>") << "AML, text not allowed";
        // Past the sixteenth attribute the parser's strings are measured where they are read.
        QString many;
        for (int i = 0; i < 18; ++i)
            many += QStringLiteral(" a%1=\"%2\"").arg(i).arg(QString(i, QLatin1Char('v')));
        QTest::newRow("many attributes") << wrap("<XROD:NODE name=\"n\"" + many + " type=\"T\" state=\"ko\" sum=\"2\"><P"
                                                 + many + "/></XROD:NODE>")
                                         << "0 2 -1 T";
        QTest::newRow("many attributes, bad value") << wrap(node("T", "ok", "<LIST" + many + " ordered=\"maybe\"/>"))
                                                    << "AML, bad value";
        QTest::newRow("malformed XML") << "<XROD><DOCUMENT></XROD>" << "XML,";
        QTest::newRow("unclosed node") << "<XROD><DOCUMENT name=\"d\"><XROD:NODE name=\"a\" type=\"t\"><P/></DOCUMENT></XROD>"
                                       << "XML,";
    }

    // What recording and comparing read: cases counted once or as a node's uncounted children,
    // nodes whose children do not match their count, names needing UTF-8, empty names.
    void testsOnly_data()
    {
        QTest::addColumn<QString>("xml");
        QTest::addColumn<QString>("tests"); // testsText() and whether a case failed
        const auto named = [](const char *name, const char *state, const char *extra, const QString &body) {
            return QStringLiteral("<XROD:NODE name=\"%1\" type=\"T\" state=\"%2\" %3><P/>%4</XROD:NODE>")
                .arg(QString::fromUtf8(name), QLatin1String(state), QLatin1String(extra), body);
        };
        QTest::newRow("case with checks") << wrap(named("s", "ko", "", named("c", "ko", "sum=\"1\" time=\" 1.5 \"",
                                                                               named("k1", "ok", "", "") + named("k2", "ko", "", ""))))
                                          << "s/c/k1 0\ns/c/k2 1\nfailed case false\n";
        QTest::newRow("leaf cases") << wrap(named("s", "ok", "", named("a", "ok", "sum=\"1\" time=\"2\"", "")
                                                                     + named("b", "ko", "sum=\"1\"", "")))
                                    << "s/a 0 [s|a|2|0]\ns/b 1 [s|b|-1|1]\nfailed case true\n";
        QTest::newRow("children are the cases") << wrap(named("s", "ko", "sum=\"2\"", named("a", "ok", "time=\"3\"", "")
                                                                                    + named("b", "NE", "", "")))
                                                << "s/a 0 [s|a|3|0]\ns/b 2 [s|b|-1|1]\nfailed case true\n";
        QTest::newRow("children are not the cases") << wrap(named("s", "ko", "sum=\"3\"", named("a", "ok", "", "")
                                                                                        + named("b", "ko", "", "")))
                                                    << "s/a 0\ns/b 1\nfailed case false\n";
        QTest::newRow("cases below a case") << wrap(named("s", "ok", "sum=\"2\"", named("a", "ok", "", named("x", "ko", "sum=\"2\"",
                                                            named("y", "ko", "", "") + named("z", "ok", "", "")))
                                                                                   + named("b", "ok", "", "")))
                                            << "s/a/x/y 1 [s/a/x|y|-1|1]\ns/a/x/z 0 [s/a/x|z|-1|0]\ns/b 0 [s|b|-1|0]\nfailed case true\n";
        QTest::newRow("names") << wrap(named("Étape", "ok", "", named("", "ok", "", named("a&amp;b", "ko", "", "")) + named("", "NE", "", "")))
                               << "Étape//a&b 1\nÉtape/ 2\nfailed case false\n";
        QTest::newRow("no verdict, empty path") << wrap(named("", "ok", "sum=\"1\"", "") + named("x", "done", "", ""))
                                                << "failed case false\n";
    }

    void testsOnly()
    {
        QFETCH(QString, xml);
        QFETCH(QString, tests);
        const QString read = outcome(xml, Read::TestsOnly);
        QCOMPARE(read.section(QLatin1Char('\n'), 2), tests);
        // The full read, its tree walked by the session, gives the same tests.
        const QString full = outcome(xml, Read::Full);
        QVERIFY2(full.startsWith(read), qPrintable(full + QStringLiteral("---\n") + read));
    }

    void agreesWithFullRead()
    {
        QFETCH(QString, xml);
        QFETCH(QString, expected);
        // Events handled in turn go straight from the parser to the handler; those of a parsing
        // thread are recorded and read back: both ways read alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            const QString full = outcome(xml, Read::Full);
            QVERIFY2(full.startsWith(expected), qPrintable(full));
            // A read that succeeds starts with its totals; the totals-only read tells nothing more.
            const bool read = full.at(0).isDigit();
            QCOMPARE(outcome(xml, Read::TotalsOnly), read ? full.section(QLatin1Char('\n'), 0, 0) : full);
            // The tests-only read (what recording and comparing need) refuses alike too, and
            // lists the tests the session finds in the full read's tree.
            const QString tests = outcome(xml, Read::TestsOnly);
            QCOMPARE(tests, read ? full.left(tests.size()) : full);
            // The tree-only read refuses alike too, and builds the full read's tree: the full
            // read's text without its tests.
            const qsizetype testsEnd = full.indexOf(QLatin1Char('\n'), full.indexOf(QLatin1String("\nfailed case ")) + 1);
            const QString outline = read ? full.section(QLatin1Char('\n'), 0, 1) + QLatin1Char('\n') + full.mid(testsEnd + 1) : full;
            QCOMPARE(outcome(xml, Read::TreeOnly), outline);
        }
    }

    // A tests-only read hands over the tests it lists, in batches as it goes, each with the
    // document's name and its outcome: every test once, as takeTests() gives them without a
    // receiver. A leaf that may be a counted case is held back until its parent ends.
    void testsListed_data()
    {
        QTest::addColumn<int>("tests");
        QTest::addColumn<int>("cases"); // leaves of a parent counting them as its cases, at the end
        QTest::addColumn<QList<int>>("batches");
        QTest::newRow("one") << 1 << 0 << QList<int>{1};
        QTest::newRow("a full batch") << 4096 << 0 << QList<int>{4096};
        QTest::newRow("a full batch and one more") << 4097 << 0 << QList<int>{4096, 1};
        QTest::newRow("cases across a batch's end") << 4090 << 10 << QList<int>{4090, 10};
    }
    void testsListed()
    {
        QFETCH(int, tests);
        QFETCH(int, cases);
        QFETCH(QList<int>, batches);
        QString body;
        for (int i = 0; i < tests; ++i)
            body += QStringLiteral("<XROD:NODE name=\"t%1\" type=\"T\" state=\"%2\"><P/></XROD:NODE>")
                        .arg(i)
                        .arg(QLatin1String(i % 3 ? "ok" : "ko"));
        if (cases > 0) {
            QString leaves;
            for (int i = 0; i < cases; ++i)
                leaves += QStringLiteral("<XROD:NODE name=\"c%1\" type=\"T\" state=\"%2\" time=\"0.%1\"><P/></XROD:NODE>")
                              .arg(i)
                              .arg(QLatin1String(i % 2 ? "ok" : "ko"));
            body += QStringLiteral("<XROD:NODE name=\"p\" type=\"S\" state=\"ko\" sum=\"%1\"><P/>%2</XROD:NODE>")
                        .arg(cases)
                        .arg(leaves);
        }
        const QString xml = wrap(QStringLiteral("<XROD:NODE name=\"s\" type=\"S\" state=\"ok\"><P/>%1</XROD:NODE>").arg(body));

        QAstXmlRodReader plain;
        plain.rodHandler()->setTestsOnly(true);
        QVERIFY(plain.parseText(xml));
        QStringList expected;
        for (const QAStTestResult &test : plain.rodHandler()->takeTests())
            expected.append(QStringLiteral("%1 %2 [%3] [%4] %5").arg(test.path).arg(test.verdict).arg(test.suite, test.name).arg(test.seconds));

        QAstXmlRodReader reader;
        reader.rodHandler()->setTestsOnly(true);
        QStringList listed;
        QList<int> sizes;
        QStringList documents;
        reader.rodHandler()->setTestsListed(
            [&](const QAStListedTests &batch) {
                documents.append(batch.document + QLatin1Char(' ') + batch.file);
                sizes.append(int(batch.paths.size()));
                for (qsizetype i = 0; i < batch.paths.size(); ++i) {
                    const QString &path = batch.paths.at(i);
                    const QAStListedTests::Outcome &o = batch.outcomes.at(i);
                    const QString suite = o.suiteLength < 0 ? QString() : path.left(o.suiteLength);
                    const QString name = o.suiteLength < 0 ? QString() : path.mid(o.suiteLength + 1);
                    listed.append(QStringLiteral("%1 %2 [%3] [%4] %5").arg(path).arg(o.verdict).arg(suite, name).arg(o.seconds));
                }
            },
            QStringLiteral("f.xrd"));
        QVERIFY(reader.parseText(xml));
        // Full batches come during the parse, the rest when the tests are taken.
        QCOMPARE(listed.size(), batches.size() > 1 ? batches.first() : tests / 4096 * 4096);
        const QList<QAStListedTests> kept = reader.rodHandler()->takeListedTests();
        QCOMPARE(sizes, batches);
        QCOMPARE(listed, expected);
        QCOMPARE(documents, QStringList(batches.size(), QStringLiteral("d f.xrd")));
        QCOMPARE(kept.size(), batches.size());
        QVERIFY(reader.rodHandler()->takeTests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestXrdTotalsOnly)
#include "tst_xrdtotalsonly.moc"
