#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "rendoc/ddocument.h"
#include "sdk/qamodal.h"
#include "tests/support/fakestudio.h"

#include <QtTest>

#include <memory>
#include <vector>

namespace {

QString sample(const char *name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/reader/") + QLatin1String(name);
}

using Records = std::vector<std::unique_ptr<QAReporterData>>;

QStringList fileNames(const Records &records)
{
    QStringList names;
    for (const auto &record : records)
        names << record->fileName;
    return names;
}

} // namespace

// Loading lists of report files into records, and single documents.
class TestQAReporterLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void recordContents();
    void readsEachFileOnce_data();
    void readsEachFileOnce();
    void documentNames_data();
    void documentNames();
    void unreadableMessage_data();
    void unreadableMessage();
    void reportDocument_data();
    void reportDocument();

private:
    std::unique_ptr<FakeStudio> m_studio;
    std::unique_ptr<QAReporterPref> m_pref;
    QList<QAModalRequest> m_questions;
};

void TestQAReporterLoader::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestQAReporterLoader::init()
{
    m_studio = std::make_unique<FakeStudio>();
    m_studio->setInstallDirectory(QStringLiteral(KORVAT_TEST_DATA "/nowhere"));
    m_pref = std::make_unique<QAReporterPref>(m_studio.get());
    QAReporterPref::setInstance(m_pref.get());
    m_questions.clear();
    QAModal::setAnswerer([this](const QAModalRequest &request) {
        m_questions << request;
        return QVariant();
    });
}

void TestQAReporterLoader::cleanup()
{
    QAModal::clearAnswerer();
    m_pref.reset();
    QCOMPARE(QAReporterPref::instance(), nullptr);
    m_studio.reset();
}

void TestQAReporterLoader::recordContents()
{
    Records records;
    QVERIFY(QAReporterLoader::loadFiles({sample("sample.xrd")}, records).isEmpty());
    QCOMPARE(records.size(), size_t(1));
    const QAReporterData &record = *records.front();
    QCOMPARE(record.fileName, sample("sample.xrd"));
    QVERIFY(record.dataTree);
    QVERIFY(record.document);
    QCOMPARE(record.types, (QStringList{"Script", "TestCase", "Check"}));
    QCOMPARE(record.passed, 1);
    QCOMPARE(record.failed, 1);
    QCOMPARE(record.inconclusive, 0);
    // The studio's progress display ran for the file.
    QCOMPARE(m_studio->callsTo("startProgress").size(), 1);
    QCOMPARE(m_studio->callsTo("endProgress").size(), 1);
    QVERIFY(m_questions.isEmpty());
}

void TestQAReporterLoader::readsEachFileOnce_data()
{
    QTest::addColumn<QStringList>("held");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("parses");

    const QString a = sample("samename1.xrd");
    const QString b = sample("other.xrd");
    QTest::newRow("a, b, a") << QStringList() << QStringList{a, b, a} << QStringList{a, b} << 2;
    QTest::newRow("already held") << QStringList{a} << QStringList{a, b} << QStringList{a, b} << 1;
    QTest::newRow("all held") << QStringList{a, b} << QStringList{b, a} << QStringList{a, b} << 0;
}

void TestQAReporterLoader::readsEachFileOnce()
{
    QFETCH(QStringList, held);
    QFETCH(QStringList, files);
    QFETCH(int, parses);
    Records records;
    QAReporterLoader::loadFiles(held, records);
    m_studio->calls.clear();
    QVERIFY(QAReporterLoader::loadFiles(files, records).isEmpty());
    QTEST(fileNames(records), "expected");
    QCOMPARE(m_studio->callsTo("startProgress").size(), parses);
}

void TestQAReporterLoader::documentNames_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("names");

    const QString x1 = sample("samename1.xrd");
    const QString x2 = sample("samename2.xrd");
    const QString y = sample("other.xrd");
    QTest::newRow("second X at index 1") << QStringList{x1, x2} << QStringList{"X", "X1"};
    QTest::newRow("index counts skipped entries")
        << QStringList{x1, y, sample("missing.xrd"), x2} << QStringList{"X", "Y", "X3"};
    QTest::newRow("different names kept") << QStringList{y, x1} << QStringList{"Y", "X"};
}

void TestQAReporterLoader::documentNames()
{
    QFETCH(QStringList, files);
    Records records;
    QAReporterLoader::loadFiles(files, records);
    QStringList names;
    for (const auto &record : records)
        names << record->document->name();
    QTEST(names, "names");
}

void TestQAReporterLoader::unreadableMessage_data()
{
    QTest::addColumn<bool>("pref");
    QTest::addColumn<bool>("pane");

    QTest::newRow("output pane") << true << true;
    QTest::newRow("studio without pane") << true << false;
    QTest::newRow("no preference producer") << false << false;
}

void TestQAReporterLoader::unreadableMessage()
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
    const QStringList unreadable =
        QAReporterLoader::loadFiles({missing, sample("other.xrd"), corrupt}, records);
    QCOMPARE(unreadable, (QStringList{missing, corrupt}));
    QCOMPARE(fileNames(records), QStringList{sample("other.xrd")});

    const QString message =
        "File(s) not found or corrupted:\n\t" + missing + "\n\t" + corrupt + "\n";
    QCOMPARE(QAReporterLoader::unreadableMessage(unreadable), message);
    if (pane) {
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(m_studio->outputText(), message);
    } else {
        QCOMPARE(m_questions.size(), 1);
        QCOMPARE(m_questions.front().kind, QAModalRequest::Warning);
        QCOMPARE(m_questions.front().caption, QStringLiteral("Test Report"));
        QCOMPARE(m_questions.front().text, message);
        QCOMPARE(m_questions.front().parent, nullptr);
    }
}

void TestQAReporterLoader::reportDocument_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::newRow("readable") << sample("sample.xrd") << "nightly";
    QTest::newRow("missing") << sample("missing.xrd") << QString();
    QTest::newRow("corrupt") << sample("corrupt.xrd") << QString();
}

void TestQAReporterLoader::reportDocument()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    std::unique_ptr<DDocument> document(QAReporterLoader::loadReportDocument(file));
    QCOMPARE(document != nullptr, !name.isNull());
    if (document)
        QCOMPARE(document->name(), name);
    QVERIFY(m_questions.isEmpty());
}

QTEST_MAIN(TestQAReporterLoader)
#include "tst_qareporterloader.moc"
