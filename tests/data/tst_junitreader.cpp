#include "korvatreporter/data/junit/qajunitreader.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareporterdatatree.h"
#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/model/ditem.h"
#include "rendoc/style/dstyle.h"
#include "rendoc/model/dtext.h"
#include "rendoc/model/dtreeprinter.h"
#include "tests/support/goldenfile.h"
#include "tests/support/recorddump.h"
#include "tests/support/threadthreshold.h"
#include "tests/support/fakestudio.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QString sample(const QString &name)
{
    return KORVAT_TEST_DATA "/junit/" + name;
}

// Reads a file with the JUnit reader, without styles or studio.
struct Read
{
    QAReporterData record;
    QAJUnitReader reader;
    bool ok = false;

    explicit Read(const QString &path, QAStudioInterface *studio = nullptr)
    {
        QFile file(path);
        record.fileName = path;
        ok = file.open(QIODevice::ReadOnly) && reader.read(file, studio, {}, record);
    }
};

} // namespace

// Reading JUnit XML results into node trees, totals and documents, and
// through the loader whatever the file's name.
class TestJUnitReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &content) { return RecordDump::write(m_dir, name, content); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void golden_data()
    {
        QTest::addColumn<QString>("file");
        // testsuites root with properties, error and failure in one case,
        // skipped, CDATA, tabs and a case without line (no link).
        QTest::newRow("pytest") << "pytest.xml";
        // Bare testsuite root, flaky and rerun elements, failure without
        // message, case without time, suite output.
        QTest::newRow("surefire") << "surefire.xml";
        // Nested suites, suites without counts (counted), empty failure and
        // skipped elements, an unknown element passed over.
        QTest::newRow("nested") << "nested.xml";
    }

    void golden()
    {
        QFETCH(QString, file);
        {
            // On a thread of its own, the parser hands the reader the same events.
            const ThreadThreshold threads(0);
            Read apart(sample(file));
            QVERIFY2(apart.ok, qPrintable(apart.reader.errorString()));
            KORVAT_VERIFY_GOLDEN("junit/" + QString(file).replace(".xml", ".dump"), RecordDump::dump(apart.record));
        }
        const ThreadThreshold threads(-1);
        Read read(sample(file));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        QVERIFY(read.reader.errorString().isEmpty());
        KORVAT_VERIFY_GOLDEN("junit/" + QString(file).replace(".xml", ".dump"), RecordDump::dump(read.record));
        // Every node but the root has an anchor, and its span ends inside the document.
        QAReporterDataTree *tree = read.record.dataTree;
        for (QAReporterNode *n = tree->next(QAReporterDataTree::Forward); n;
             n = tree->next(QAReporterDataTree::Forward))
            QVERIFY(n->startItem && n->endItem);
    }

    void styles()
    {
        // Items take the report styles as the AML handler gives them: a named
        // style by its name (kept even when the list lacks it), the others by
        // their kind, the last of two styles of one name winning.
        DStyle stale("Normal"), normal("Normal"), title1("Title1"), failed("Title2 Failed"), link("Link"),
            array("Array"), output("Output");
        QFile file(sample("pytest.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QAReporterData record;
        QAJUnitReader reader;
        QVERIFY(reader.read(file, nullptr, {&stale, &normal, &title1, &failed, &link, &array, &output}, record));
        QSet<QString> seen;
        for (DItem *item = record.document; item; item = item->nextInDocument(record.document)) {
            const DStyle *style = item->style();
            seen << QString(DItem::kindName(item->kind())) + ' ' + item->styleName() + " -> "
                        + (style == &stale ? "stale" : style ? style->name() : "none");
        }
        // Each distinct "kind style-name -> style given" once, sorted.
        QStringList lines = seen.values();
        lines.sort();
        KORVAT_VERIFY_GOLDEN("junit/pytest.styles", lines.join('\n') + '\n');
    }

    void rejected_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("error"); // a part of the message

        QTest::newRow("empty file") << QByteArray() << "JUnit, ";
        QTest::newRow("not closed") << QByteArray("<testsuites><testsuite name=\"a\"><testcase name=\"x\">")
                                    << "JUnit, line 1, column ";
        QTest::newRow("mismatched tag")
            << QByteArray("<testsuites>\n<testsuite></testcase></testsuites>") << "JUnit, line 2, column ";
        QTest::newRow("second root") << QByteArray("<testsuite/><testsuite/>") << "JUnit, ";
        QTest::newRow("other root") << QByteArray("<results><testcase/></results>") << "\"results\"";
        QTest::newRow("entity expansion") << QByteArray(
            "<?xml version=\"1.0\"?>\n<!DOCTYPE t [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>\n"
            "<testsuites><testsuite name=\"&b;\"/></testsuites>") << "document type declarations";
        QTest::newRow("1,001 elements deep")
            << QByteArray("<testsuites>") + QByteArray("<testsuite name=\"s\">").repeated(1000)
                   + QByteArray("</testsuite>").repeated(1000) + "</testsuites>" << "deeper than 1000";
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << "JUnit, ";
        QTest::newRow("declared encoding unknown")
            << QByteArray("<?xml version=\"1.0\" encoding=\"KOI8-R\"?>\n<testsuite name=\"\xf3\"/>")
            << "JUnit, line 1, column 31: unsupported encoding";
    }

    void rejected()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, error);
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            Read read(write("rejected.xml", xml));
            QVERIFY(!read.ok && !read.reader.canceled());
            QVERIFY2(read.reader.errorString().contains(error), qPrintable(read.reader.errorString()));
            QVERIFY(!read.record.dataTree && !read.record.document);
        }
    }

    // Texts of failures, outputs, reruns and properties as the report shows
    // them: the text of an element includes that of the elements inside it,
    // every blank, CDATA and entities, but no comment.
    void texts_data()
    {
        QTest::addColumn<QByteArray>("children"); // of a test case
        QTest::addColumn<QString>("text"); // a part of the printed document

        QTest::newRow("failure around a child element")
            << QByteArray("<failure message=\"m\">a<b>c</b>d</failure>") << "Text \"acd\"";
        QTest::newRow("blank between CDATA sections")
            << QByteArray("<system-out><![CDATA[a]]> <![CDATA[b]]></system-out>") << "Text \"a b\"";
        QTest::newRow("entity and comment inside a text")
            << QByteArray("<system-err>x &amp;<!-- note --> y</system-err>") << "Text \"x & y\"";
        QTest::newRow("rerun trace around its children")
            << QByteArray("<flakyFailure>before<system-out>out</system-out>\n<x>y</x>after</flakyFailure>")
            << "Text \"beforeafter\"";
        QTest::newRow("rerun output apart from its trace")
            << QByteArray("<flakyFailure>before<system-out>out</system-out>after</flakyFailure>")
            << "Text \"out\"";
        QTest::newRow("property value from its text")
            << QByteArray("<properties><property name=\"k\">v<!-- c -->w</property></properties>") << "Text \"vw\"";
        QTest::newRow("property attribute before its text")
            << QByteArray("<properties><property name=\"k\" value=\"attr\">text</property></properties>")
            << "Text \"attr\"";
        QTest::newRow("windows-1252")
            << QByteArray("<failure message=\"\x80 5 \x93" "due\x94\x85\"/>")
            << QStringLiteral("Text \"Failure: \u20ac 5 \u201cdue\u201d\u2026\"");
    }

    void texts()
    {
        QFETCH(QByteArray, children);
        QFETCH(QString, text);
        const QByteArray encoding = QTest::currentDataTag() == QLatin1String("windows-1252") ? "windows-1252" : "UTF-8";
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            Read read(write("texts.xml", "<?xml version=\"1.0\" encoding=\"" + encoding
                                             + "\"?>\n<testsuite name=\"s\"><testcase name=\"c\">" + children
                                             + "</testcase></testsuite>"));
            QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
            const QString printed = DTreePrinter::print(read.record.document);
            QVERIFY2(printed.contains(text), qPrintable(printed));
        }
    }

    // A case's line under its title: the parts its attributes give, the
    // first one capitalised, and the source link when file and line are both
    // given. Attributes made of blanks (Unicode ones too) give nothing, and
    // a case never shows what the case before it gave.
    void caseLine_data()
    {
        QTest::addColumn<QString>("cases"); // testcase elements of one suite
        QTest::addColumn<QString>("text"); // a part of the printed document

        QTest::newRow("every part")
            << "<testcase name=\"c\" classname=\"C\" time=\"0.5\" file=\"a.py\" line=\"3\"/>"
            << "Text \"Class C, time 0.5 s, source \"\n    Link target=\"a.py line 3\"\n      Text \"a.py line 3\"";
        QTest::newRow("source alone") << "<testcase name=\"c\" file=\"a.py\" line=\"3\"/>"
                                      << "Text \"Source \"\n    Link target=\"a.py line 3\"";
        QTest::newRow("file without a line") << "<testcase name=\"c\" file=\"a.py\"/>" << "Text \"File a.py\"";
        QTest::newRow("line number between blanks")
            << QStringLiteral("<testcase name=\"c\" file=\"a.py\" line=\" 7\u00a0\"/>") << "Link target=\"a.py line 7\"";
        QTest::newRow("classname of no-break spaces")
            << QStringLiteral("<testcase name=\"c\" classname=\"\u00a0\u00a0\" time=\"2\"/>") << "Text \"Time 2 s\"";
        QTest::newRow("non-ASCII classname")
            << QStringLiteral("<testcase name=\"\u00e9t\u00e9\" classname=\"\u00fcber.T\u00e4st\"/>")
            << QStringLiteral("Text \"\u00e9t\u00e9\"\n  Paragraph\n    Text \"Class \u00fcber.T\u00e4st\"");
        QTest::newRow("nothing of the case before")
            << "<testcase name=\"a\" classname=\"First\" time=\"1\" file=\"f.py\" line=\"9\"/>"
               "<testcase name=\"b\" time=\"2\"/>"
            << "Text \"b\"\n  Paragraph\n    Text \"Time 2 s\"";
    }

    void caseLine()
    {
        QFETCH(QString, cases);
        QFETCH(QString, text);
        Read read(write("line.xml", ("<testsuite name=\"s\">" + cases + "</testsuite>").toUtf8()));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        const QString printed = DTreePrinter::print(read.record.document);
        QVERIFY2(printed.contains(text), qPrintable(printed));
    }

    void textRunLimit_data()
    {
        QTest::addColumn<QByteArray>("children"); // of a test case
        QTest::addColumn<bool>("ok");

        const QByteArray part = QByteArray(1000, 'x');
        QTest::newRow("output over the limit") << "<system-out>" + part.repeated(150) + "</system-out>" << false;
        QTest::newRow("trace over the limit in pieces")
            << "<failure>" + ("<b>" + part + "</b>").repeated(150) + "</failure>" << false;
        QTest::newRow("skipped element over the limit")
            << "<attachment>" + ("<b>" + part + "</b>").repeated(150) + "</attachment>" << true;
        QTest::newRow("outputs under the limit each")
            << "<system-out>" + part.repeated(90) + "</system-out><system-out>" + part.repeated(90) + "</system-out>"
            << true;
    }

    void textRunLimit()
    {
        // A text longer than the limit stops the read, whether it comes in
        // one run or from the elements inside the one read whole.
        QFETCH(QByteArray, children);
        // Parsed in turn and on a thread of its own, a file reads alike.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            QFile file(write("long.xml", "<testsuite name=\"s\"><testcase name=\"c\">" + children + "</testcase></testsuite>"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QAReporterData record;
            QAJUnitReader reader;
            reader.setTextRunLimit(100000);
            QTEST(reader.read(file, nullptr, {}, record), "ok");
            if (!record.dataTree)
                QVERIFY2(reader.errorString().contains("longer than 100000"), qPrintable(reader.errorString()));
        }
    }

    void durations_data()
    {
        QTest::addColumn<QString>("time"); // the test case's time attribute
        QTest::addColumn<double>("seconds"); // -1: none

        QTest::newRow("plain decimal") << "0.711" << 0.711;
        QTest::newRow("whole number") << "12" << 12.0;
        QTest::newRow("blanks around") << " 1.5 " << 1.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("plus sign") << "+2" << 2.0;
        QTest::newRow("negative") << "-1" << -1.0;
        QTest::newRow("two points") << "1.2.3" << -1.0;
        QTest::newRow("point alone") << "." << -1.0;
        QTest::newRow("infinite") << "inf" << -1.0;
        QTest::newRow("beyond a double") << "1" + QString(400, '0') << -1.0;
        QTest::newRow("thousands separator") << "1,5" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
    }

    void durations()
    {
        QFETCH(QString, time);
        QFETCH(double, seconds);
        Read read(write("time.xml", ("<testsuite name=\"s\"><testcase name=\"c\" time=\"" + time
                                     + "\"/></testsuite>").toUtf8()));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        QAReporterDataTree *tree = read.record.dataTree;
        tree->root();
        tree->next(QAReporterDataTree::Forward); // the suite
        QCOMPARE(tree->next(QAReporterDataTree::Forward)->seconds, seconds);
    }

    void states_data()
    {
        QTest::addColumn<QString>("children");
        QTest::addColumn<QString>("state");

        QTest::newRow("passed") << "" << "ok";
        QTest::newRow("failure") << "<failure message=\"m\"/>" << "ko";
        QTest::newRow("error") << "<error/>" << "ko";
        QTest::newRow("skipped") << "<skipped/>" << "NE";
        QTest::newRow("skipped and failed") << "<skipped/><failure/>" << "ko";
        QTest::newRow("passed on rerun") << "<flakyFailure><stackTrace>t</stackTrace></flakyFailure>" << "ok";
        QTest::newRow("failed every rerun") << "<rerunError message=\"m\"/>" << "ko";
        QTest::newRow("only output") << "<system-out>x</system-out>" << "ok";
    }

    void states()
    {
        // A lone case gives its verdict to the suite around it.
        QFETCH(QString, children);
        Read read(write("state.xml",
            ("<testsuite name=\"s\"><testcase name=\"c\">" + children + "</testcase></testsuite>").toUtf8()));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        QAReporterDataTree *tree = read.record.dataTree;
        tree->root();
        QTEST(tree->next(QAReporterDataTree::Forward)->state.text(), "state"); // the suite
        QTEST(tree->next(QAReporterDataTree::Forward)->state.text(), "state");
    }

    void suiteVerdicts_data()
    {
        QTest::addColumn<QString>("suites");
        QTest::addColumn<QStringList>("verdicts"); // of the suites, in file order

        const QString ok = "<testcase name=\"p\"/>";
        const QString ko = "<testcase name=\"f\"><failure/></testcase>";
        const QString ne = "<testcase name=\"s\"><skipped/></testcase>";
        QTest::newRow("a failure outweighs skips") << "<testsuite>" + ne + ko + ok + "</testsuite>"
                                                   << QStringList{"ko"};
        QTest::newRow("skips outweigh passes") << "<testsuite>" + ok + ne + "</testsuite>" << QStringList{"NE"};
        QTest::newRow("no case at all") << "<testsuite/>" << QStringList{"ok"};
        QTest::newRow("failure two levels down")
            << "<testsuite>" + ok + "<testsuite><testsuite>" + ko + "</testsuite></testsuite></testsuite>"
            << QStringList{"ko", "ko", "ko"};
        QTest::newRow("siblings keep their own")
            << "<testsuite>" + ok + "</testsuite><testsuite>" + ne + "</testsuite><testsuite>" + ko + "</testsuite>"
            << QStringList{"ok", "NE", "ko"};
        QTest::newRow("failed suite after a skipped one inside")
            << "<testsuite><testsuite>" + ne + "</testsuite>" + ko + "</testsuite>" << QStringList{"ko", "NE"};
    }

    void suiteVerdicts()
    {
        QFETCH(QString, suites);
        QFETCH(QStringList, verdicts);
        Read read(write("verdicts.xml", ("<testsuites>" + suites + "</testsuites>").toUtf8()));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        QStringList seen;
        QAReporterDataTree *tree = read.record.dataTree;
        QCOMPARE(tree->root()->state, QString()); // the file's root stays without one
        for (QAReporterNode *n = tree->next(QAReporterDataTree::Forward); n; n = tree->next(QAReporterDataTree::Forward)) {
            if (n->type == "TestSuite")
                seen << n->state;
        }
        QCOMPARE(seen, verdicts);
    }

    void counts_data()
    {
        QTest::addColumn<QString>("attributes"); // of the testsuites root and of its suite
        QTest::addColumn<QString>("counts"); // the counts paragraph, as the root and the suite show it
        QTest::addColumn<QString>("style");

        // Four cases: one failed, one with an error, one with an error and
        // a failure (counted as an error), one skipped.
        QTest::newRow("no counts but tests: counted")
            << "tests=\"4\"" << "Tests: 4, failures: 1, errors: 2, skipped: 1." << "Normal Failed";
        QTest::newRow("agreeing counts, blanks and zeros")
            << "tests=\" 4\" failures=\"01\" errors=\"2 \" skipped=\"1\""
            << "Tests: 4, failures: 1, errors: 2, skipped: 1." << "Normal Failed";
        QTest::newRow("counts hiding failures")
            << "tests=\"4\" failures=\"0\" errors=\"0\" skipped=\"0\" time=\"1.5\""
            << "Tests: 4, failures: 1 (file says 0), errors: 2 (file says 0), skipped: 1 (file says 0), "
               "duration: 1.5 s." << "Normal Failed";
        QTest::newRow("more tests said than read")
            << "tests=\"100000\" failures=\"1\"" << "Tests: 4 (file says 100000), failures: 1, errors: 2, skipped: 1."
            << "Normal Failed";
        QTest::newRow("not a number")
            << "tests=\"four\" failures=\"" + QString(50, 'x') + "\""
            << "Tests: 4 (file says four), failures: 1 (file says " + QString(40, 'x') + QChar(0x2026)
                   + "), errors: 2, skipped: 1." << "Normal Failed";
        QTest::newRow("blank attributes say nothing")
            << "tests=\"\" failures=\" \"" << "Tests: 4, failures: 1, errors: 2, skipped: 1." << "Normal Failed";
    }

    void counts()
    {
        QFETCH(QString, attributes);
        QFETCH(QString, counts);
        const QString cases = "<testcase name=\"a\"><failure/></testcase><testcase name=\"b\"><error/></testcase>"
                              "<testcase name=\"c\"><failure/><error/></testcase><testcase name=\"d\"><skipped/>"
                              "</testcase>";
        Read read(write("counts.xml", ("<testsuites " + attributes + "><testsuite name=\"s\" " + attributes + ">"
                                       + cases + "</testsuite></testsuites>").toUtf8()));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        // The root's counts under its title, then the suite's under its own.
        QStringList shown;
        for (DItem *item = read.record.document; item; item = item->nextInDocument(read.record.document)) {
            if (item->kind() == DItem::Text && item->toText()->text().startsWith("Tests: ")) {
                shown << item->toText()->text();
                QTEST(item->parent()->styleName(), "style");
            }
        }
        QCOMPARE(shown, (QStringList{counts, counts}));
        // The totals count test cases only, not suites.
        QCOMPARE((QList<qint64>{read.record.passed, read.record.failed, read.record.inconclusive}),
                 (QList<qint64>{0, 3, 1}));
    }

    void countsWithoutTests()
    {
        // A suite without a tests attribute shows its counted values after
        // its cases, where they disagree with what else it says too; the root shows none.
        Read read(write("after.xml", "<testsuites failures=\"9\"><testsuite name=\"s\" skipped=\"3\">"
                                     "<testcase name=\"a\"/><testcase name=\"b\"><skipped/></testcase>"
                                     "</testsuite></testsuites>"));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        QStringList shown;
        for (DItem *item = read.record.document; item; item = item->nextInDocument(read.record.document)) {
            if (item->kind() == DItem::Text && item->toText()->text().contains("Tests: "))
                shown << item->toText()->text() + ' ' + item->parent()->styleName();
        }
        QCOMPARE(shown, (QStringList{"Totals of suite s - Tests: 2, failures: 0, errors: 0, skipped: 1 (file says 3)."
                                     " Normal Passed"}));
    }

    void longOutput()
    {
        // 20,000 lines and one line of 100,000 characters: every line is a
        // paragraph, the long line cut into parts the view can lay out.
        const QByteArray lines = QByteArray("  step done\n").repeated(20000);
        const QByteArray wide(100000, 'x');
        Read read(write("long.xml", "<testsuite name=\"s\"><testcase name=\"c\"><system-out>" + lines + wide
                                        + "</system-out></testcase></testsuite>"));
        QVERIFY2(read.ok, qPrintable(read.reader.errorString()));
        int paragraphs = 0;
        int longest = 0;
        for (DItem *item = read.record.document; item; item = item->nextInDocument(read.record.document)) {
            if (item->kind() == DItem::Text && item->parent()->styleName() == "Output") {
                ++paragraphs;
                longest = std::max<int>(longest, item->toText()->text().size());
            }
        }
        QCOMPARE(paragraphs, 20000 + 25);
        QCOMPARE(longest, 4000);
    }

    void progressAndCancel()
    {
        // Parsed in turn and on a thread of its own (where the parser's own
        // count of bytes moves the display), the read shows progress and stops
        // when canceled.
        for (const qint64 threshold : {-1, 0}) {
            const ThreadThreshold threads(threshold);
            FakeStudio studio;
            Read read(sample("pytest.xml"), &studio);
            QVERIFY(read.ok);
            const QStringList calls = studio.actions();
            QVERIFY2(calls.first().startsWith("startProgress("
                                              + QString::number(QFileInfo(sample("pytest.xml")).size() / 50)
                                              + ",Analysing pytest.xml,Cancel,0,0)"), qPrintable(calls.join('\n')));
            QCOMPARE(calls.last(), "endProgress()");
            QVERIFY(calls.size() > 2);

            // The progress display's cancel button stops the read: no record,
            // and the reader says it was canceled, not that the file is bad.
            FakeStudio canceling;
            canceling.setCancelAfter(1);
            Read canceled(sample("nested.xml"), &canceling);
            QVERIFY(!canceled.ok && canceled.reader.canceled());
            QVERIFY(!canceled.record.dataTree && !canceled.record.document);
            QCOMPARE(canceling.callsTo("endProgress").size(), 1);
        }
    }

    void loader()
    {
        // The loader reads a JUnit file whatever its name, beside an XRD file.
        FakeStudio studio;
        QAReporterPref pref(&studio);
        const QAReporterReadContext context{&studio, pref.stylesPage()->styles()};
        const QString renamed = m_dir.filePath("results.xrd");
        QFile::remove(renamed);
        QVERIFY(QFile::copy(sample("surefire.xml"), renamed));
        std::vector<std::unique_ptr<QAReporterData>> records;
        const QStringList unreadable =
            QAReporterLoader::loadFiles({renamed, KORVAT_TEST_DATA "/reader/other.xrd"}, records, context);
        QVERIFY(unreadable.isEmpty());
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(records[0]->types, (QStringList{"TestSuite", "TestCase"}));
        QCOMPARE((QList<qint64>{records[0]->passed, records[0]->failed}), (QList<qint64>{3, 1}));
        QCOMPARE(records[0]->document->name(), "results");
        // A linked JUnit report exports through its document alone.
        const std::unique_ptr<DDocument> document(QAReporterLoader::loadReportDocument(renamed, context));
        QVERIFY(document && document->name() == "results");
    }
};

QTEST_MAIN(TestJUnitReader)
#include "tst_junitreader.moc"
