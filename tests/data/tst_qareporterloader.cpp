#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporterdata.h"
#include "korvatreporter/data/qareportformat.h"
#include "korvatreporter/data/qareportformats.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/model/ddocument.h"
#include "sdk/qamodal.h"
#include "tests/support/fakestudio.h"
#include "tests/support/recorddump.h"

#include <QBuffer>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

QString sample(const char *name) { return KORVAT_TEST_DATA "/reader/" + QString(name); }

using Records = std::vector<std::unique_ptr<QAReporterData>>;

// The loader's message names the missing file with its reason, and the
// corrupt one with the reader's error and where it stopped.
bool shownReasons(const QString &text, const QString &missing, const QString &corrupt)
{
    const QStringList lines = text.split('\n');
    return lines.size() == 6 && lines[0] == "File(s) not found or corrupted:" && lines[1] == "\t" + missing
           && lines[2] == "\t\tNo such file" && lines[3] == "\t" + corrupt && lines[4].startsWith("\t\tline ")
           && lines[4].contains(", column ") && lines[5].isEmpty();
}

} // namespace

// Loading lists of report files into records, and single documents.
class TestQAReporterLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_studio = std::make_unique<FakeStudio>();
        m_studio->setInstallDirectory(KORVAT_TEST_DATA "/nowhere");
        m_pref = std::make_unique<QAReporterPref>(m_studio.get());
        QAReporterPref::setInstance(m_pref.get());
        m_questions.clear();
        QAModal::setAnswerer([this](const QAModalRequest &request) {
            m_questions << request;
            return QVariant();
        });
    }

    void cleanup()
    {
        QAModal::clearAnswerer();
        m_pref.reset();
        m_studio.reset();
    }

    void recordContents()
    {
        Records records;
        QVERIFY(QAReporterLoader::loadFiles({sample("sample.xrd")}, records, context()).isEmpty());
        QCOMPARE(records.size(), size_t(1));
        const QAReporterData &record = *records.front();
        QCOMPARE(record.fileName, sample("sample.xrd"));
        QVERIFY(record.dataTree && record.document);
        QCOMPARE(record.types, (QStringList{"Script", "TestCase", "Check"}));
        QCOMPARE((QList<qint64>{record.passed, record.failed, record.inconclusive}), (QList<qint64>{1, 1, 0}));
        // The studio's progress display ran for the file.
        QCOMPARE(m_studio->callsTo("startProgress").size(), 1);
        QCOMPARE(m_studio->callsTo("endProgress").size(), 1);
        QVERIFY(m_questions.isEmpty());
    }

    void readsEachFileOnce_data()
    {
        QTest::addColumn<QStringList>("held");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("names"); // document names of the records
        QTest::addColumn<int>("parses");

        const QString x1 = sample("samename1.xrd");
        const QString x2 = sample("samename2.xrd");
        const QString y = sample("other.xrd");
        QTest::newRow("a, b, a") << QStringList() << QStringList{x1, y, x1} << QStringList{"X", "Y"} << 2;
        QTest::newRow("already held") << QStringList{x1} << QStringList{x1, y} << QStringList{"X", "Y"} << 1;
        QTest::newRow("all held") << QStringList{x1, y} << QStringList{y, x1} << QStringList{"X", "Y"} << 0;
        QTest::newRow("second X at index 1") << QStringList() << QStringList{x1, x2} << QStringList{"X", "X1"} << 2;
        QTest::newRow("index counts skipped entries")
            << QStringList() << QStringList{x1, y, sample("missing.xrd"), x2} << QStringList{"X", "Y", "X3"} << 3;
        QTest::newRow("different names kept") << QStringList() << QStringList{y, x1} << QStringList{"Y", "X"} << 2;
        // Every document of a file takes part, and so do nameless ones.
        const QString two = sample("twodocs.xrd");
        QTest::newRow("two documents of one file named alike")
            << QStringList() << QStringList{two} << QStringList{"X", "X0"} << 1;
        QTest::newRow("index taken already") << QStringList() << QStringList{x1, two}
                                             << QStringList{"X", "X1", "X1-2"} << 2;
        QTest::newRow("nameless pair") << QStringList() << QStringList{sample("nameless1.xrd"), sample("nameless2.xrd")}
                                       << QStringList{"0", "1"} << 2;
        // Every nameless document gets a name of its own, skipping names already taken.
        QTest::newRow("nameless documents of one file")
            << QStringList() << QStringList{sample("nameless3.xrd")} << QStringList{"0", "0-2", "0-3", "0-4"} << 1;
    }

    void readsEachFileOnce()
    {
        QFETCH(QStringList, held);
        QFETCH(QStringList, files);
        Records records;
        QAReporterLoader::loadFiles(held, records, context());
        m_studio->calls.clear();
        QAReporterLoader::loadFiles(files, records, context());
        QStringList names;
        for (const auto &record : records) {
            for (const DDocument *document : record->documents())
                names << document->name();
        }
        QTEST(names, "names");
        QTEST(int(m_studio->callsTo("startProgress").size()), "parses");
    }

    void cancelStopsTheLoad()
    {
        // Cancel pressed on the first tag of the second of three files: the
        // first stays loaded, the second and third are not read nor reported.
        const QString first = sample("sample.xrd");
        Records records;
        QAReporterLoader::loadFiles({first}, records, context());
        const int firstSteps = int(m_studio->callsTo("setProgress").size());
        QVERIFY(firstSteps > 0);
        records.clear();
        m_studio->enableOutputWidget();
        m_studio->calls.clear();
        m_studio->setCancelAfter(firstSteps + 1);
        const QStringList unreadable = QAReporterLoader::loadFiles(
            {first, sample("other.xrd"), sample("missing.xrd"), sample("samename1.xrd")}, records, context());
        QVERIFY(unreadable.isEmpty());
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records.front()->fileName, first);
        QCOMPARE(m_studio->callsTo("startProgress").size(), 2);
        QCOMPARE(m_studio->callsTo("endProgress").size(), 2);
        QCOMPARE(m_studio->callsTo("setProgress").size(), firstSteps + 1);
        QVERIFY(m_studio->outputText().isEmpty());
        QVERIFY(m_questions.isEmpty());
    }

    void unreadableMessage_data()
    {
        QTest::addColumn<bool>("pref");
        QTest::addColumn<bool>("pane");
        QTest::newRow("output pane") << true << true;
        QTest::newRow("studio without pane") << true << false;
        QTest::newRow("no preference producer") << false << false;
    }

    void unreadableMessage()
    {
        QFETCH(bool, pref);
        QFETCH(bool, pane);
        if (!pref)
            QAReporterPref::setInstance(nullptr);
        if (pane)
            m_studio->enableOutputWidget();

        const QString missing = sample("missing.xrd");
        const QString corrupt = sample("corrupt.xrd");
        Records records;
        const QStringList unreadable = QAReporterLoader::loadFiles({missing, sample("other.xrd"), corrupt}, records, context());
        QCOMPARE(unreadable, (QStringList{missing, corrupt}));
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records.front()->fileName, sample("other.xrd"));

        QCOMPARE(QAReporterLoader::unreadableMessage(unreadable),
                 "File(s) not found or corrupted:\n\t" + missing + "\n\t" + corrupt + "\n");
        // Each file is followed by its reason on a line of its own.
        const QString message = QAReporterLoader::unreadableMessage(
            unreadable, {"No such file", "line 1, column 7: tag mismatch\nsecond line"});
        QCOMPARE(message, "File(s) not found or corrupted:\n\t" + missing + "\n\t\tNo such file\n\t" + corrupt
                              + "\n\t\tline 1, column 7: tag mismatch\n");
        if (pane) {
            QVERIFY(m_questions.isEmpty());
            QVERIFY2(shownReasons(m_studio->outputText(), missing, corrupt), qPrintable(m_studio->outputText()));
        } else {
            QCOMPARE(m_questions.size(), 1);
            QCOMPARE(m_questions.front().kind, QAModalRequest::Warning);
            QCOMPARE(m_questions.front().caption, "Test Report");
            QVERIFY2(shownReasons(m_questions.front().text, missing, corrupt), qPrintable(m_questions.front().text));
            QCOMPARE(m_questions.front().parent, nullptr);
        }
    }

    void reportDocument_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name"); // null: no document
        QTest::newRow("readable") << sample("sample.xrd") << "nightly";
        QTest::newRow("missing") << sample("missing.xrd") << QString();
        QTest::newRow("corrupt") << sample("corrupt.xrd") << QString();
    }

    void reportDocument()
    {
        QFETCH(QString, file);
        QFETCH(QString, name);
        std::unique_ptr<DDocument> document(QAReporterLoader::loadReportDocument(file, context()));
        QCOMPARE(document != nullptr, !name.isNull());
        if (document)
            QCOMPARE(document->name(), name);
        QVERIFY(m_questions.isEmpty());
    }

    void refusalReason_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty file") << QByteArray() << "line 1, column 1: XML, unexpected end of file.";
        QTest::newRow("web page") << QByteArray("<!DOCTYPE html>\n<html><body>x</body></html>")
                                  << "not a test report: root element \"html\" is neither XRD nor JUnit";
        QTest::newRow("namespaced root") << QByteArray("<?xml version=\"1.0\"?><x:report xmlns:x=\"u\"/>")
                                         << "not a test report: root element \"x:report\" is neither XRD nor JUnit";
        QTest::newRow("not XML") << QByteArray("name,verdict\nlogin,ok\n")
                                 << "line 1, column 1: XML, syntax error.";
    }

    // A file that is not a report says what it is not, once, and where when it is not XML.
    void refusalReason()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QAReporterData record;
        record.fileName = RecordDump::write(dir, "report.xml", content);
        QString reason;
        QCOMPARE(QAReporterLoader::readRecord(record, context(), &reason), QAReporterLoader::Unreadable);
        QTEST(reason.trimmed(), "reason");
    }

    // Each format recognises its files by their first bytes, whatever their name; a file no
    // format claims says what it is not where it can. (Reading a JUnit file under another
    // name: tst_junitreader.)
    void formatRecognised_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("format"); // the format's name, else the refusal
        const QString xml = "Qt Test XML results", catch2 = "Catch2 XML results", tap = "TAP test results";
        const QString gtest = "GoogleTest JSON results", ctrf = "CTRF JSON reports";
        const QString json = "not a test report: a JSON file that is neither GoogleTest nor CTRF results";
        const auto root = [](const char *name) {
            return QStringLiteral("not a test report: root element \"%1\" is neither XRD nor JUnit").arg(name);
        };
        QTest::newRow("Qt Test xml") << QByteArray("<?xml version=\"1.0\"?>\n<TestCase name=\"t\">") << xml;
        QTest::newRow("Qt Test lightxml") << QByteArray("  <Environment>\n    <QtVersion>6.4.2</QtVersion>") << xml;
        QTest::newRow("lightxml without environment") << QByteArray("<TestFunction name=\"f\">") << xml;
        QTest::newRow("Qt Test's names are exact") << QByteArray("<testcase name=\"t\"/>") << root("testcase");
        QTest::newRow("Catch2 version 2") << QByteArray("<?xml version=\"1.0\"?>\n<Catch name=\"t\">") << catch2;
        QTest::newRow("Catch2 version 3") << QByteArray("<Catch2TestRun name=\"t\" rng-seed=\"1\">") << catch2;
        QTest::newRow("Catch2's names are exact") << QByteArray("<catch/>") << root("catch");
        QTest::newRow("TAP version line") << QByteArray("TAP version 13\n") << tap;
        QTest::newRow("TAP plan first") << QByteArray("1..4\nok 1\n") << tap;
        QTest::newRow("TAP test point first") << QByteArray("not ok 1 - a\n") << tap;
        QTest::newRow("TAP comments first") << QByteArray("# Subtest: a\n\nok 1 - a\n") << tap;
        QTest::newRow("TAP bare test point") << QByteArray("ok\n") << tap;
        QTest::newRow("TAP test point with a dash") << QByteArray("not ok - crashed\n") << tap;
        QTest::newRow("okay is no test point") << QByteArray("okay then\n") << "";
        QTest::newRow("prose starting with ok") << QByteArray("ok so the build passed\n") << "";
        QTest::newRow("prose before a test point") << QByteArray("Test results\nok 1\n") << "";
        QTest::newRow("JUnit") << QByteArray("<?xml version=\"1.0\"?><testsuites/>") << "JUnit XML results";
        QTest::newRow("JUnit after prolog and comment")
            << QByteArray("<?xml version=\"1.0\"?>\n<!-- generated -->\n<testsuites>") << "JUnit XML results";
        QTest::newRow("bare testsuite, UTF-16")
            << QByteArray("\xff\xfe<\0t\0e\0s\0t\0s\0u\0i\0t\0e\0/\0>\0", 26) << "JUnit XML results";
        QTest::newRow("JUnit after a 100 KiB comment")
            << "<!--" + QByteArray(100 * 1024, '-').replace("--", "- ") + "-->\n<testsuite/>" << "JUnit XML results";
        QTest::newRow("XRD") << QByteArray("<XROD><DOCUMENT/></XROD>") << "XRD reports";
        // The head is parsed 16 KiB at a time: names across the edge of a piece.
        QTest::newRow("XRD root across pieces") << QByteArray(16 * 1024 - 3, ' ') + "<XROD/>" << "XRD reports";
        QTest::newRow("character across pieces")
            << QByteArray(16 * 1024 - 2, ' ') + "<\xc3\x89TAPE/>" << root("\xc3\x89TAPE");
        QTest::newRow("JUnit's letter case counts") << QByteArray("<TestSuites/>") << root("TestSuites");
        QTest::newRow("not XML") << QByteArray("garbage") << "";
        QTest::newRow("GoogleTest") << QByteArray("{\"tests\": 3, \"testsuites\": [") << gtest;
        QTest::newRow("GoogleTest after a big member")
            << "{\"x\": \"" + QByteArray(5000, 'a') + "\", \"testsuites\": [" << gtest;
        QTest::newRow("CTRF") << QByteArray("{\"results\": {\"tool\": {\"name\": \"jest\"}") << ctrf;
        QTest::newRow("CTRF by its marker") << QByteArray("{\"reportFormat\": \"CTRF\", \"x\": 1") << ctrf;
        QTest::newRow("other JSON") << QByteArray("{\"name\": \"package\"}") << json;
        QTest::newRow("testsuites not an array") << QByteArray("{\"testsuites\": 3}") << json;
    }

    void formatRecognised()
    {
        QFETCH(QByteArray, head);
        const QAReportFormat *format = QAReportFormats::recognise(head);
        QTEST(format ? format->name() : QAReportFormats::refusal(head), "format");
        // A file no format claims is read as XRD, to be refused with the XML reader's reason;
        // telling consumes nothing.
        QBuffer buffer(&head);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(QAReportFormats::forDevice(buffer).name(), format ? format->name() : QString("XRD reports"));
        QCOMPARE(buffer.pos(), qint64(0));
    }

private:
    // The fake studio and the producer's styles, as a session hands them in.
    QAReporterReadContext context() const { return {m_studio.get(), m_pref->stylesPage()->styles()}; }

    std::unique_ptr<FakeStudio> m_studio;
    std::unique_ptr<QAReporterPref> m_pref;
    QList<QAModalRequest> m_questions;
};

QTEST_MAIN(TestQAReporterLoader)
#include "tst_qareporterloader.moc"
