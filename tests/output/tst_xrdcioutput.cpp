#include "tests/support/goldenfile.h"
#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The passed, failed and inconclusive totals that --print-summary ends with.
// The JUnit output carries no rerun elements: the Flaky column, which the
// source's table has when it holds flaky cases, is left out of the totals.
QString totalsOf(const XrdviewRun &run)
{
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QStringList cells = QString::fromUtf8(lines.last()).split(QLatin1Char('\t'));
    const qsizetype flaky = QString::fromUtf8(lines.first()).split(QLatin1Char('\t')).indexOf(QStringLiteral("Flaky"));
    if (flaky >= 0 && flaky < cells.size())
        cells.removeAt(flaky);
    return cells.mid(1).join(QLatin1Char('\t'));
}

} // namespace

// The built xrdview's CI outputs on the examples: golden files per format,
// the JUnit output against the JUnit schema and read back with the same
// totals, the CTRF output against its JSON schema, and folders and
// patterns as inputs with the gate on finding no test case.
class tst_XrdCiOutput : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QTemporaryDir m_work; // the examples and tricky.xrd, xrdview's working folder

    XrdviewRun run(const QStringList &args) { return runXrdview(args, m_config.path(), m_work.path()); }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_config.isValid() && m_work.isValid());
        for (const char *name : {"campaign.xrd", "inconclusive.xrd", "junit-surefire.xml", "regression.xrd",
                                 "smoke.xrd"})
            QVERIFY(QFile::copy(TestFiles::example(name), m_work.filePath(QLatin1String(name))));
        QVERIFY(QFile::copy(QStringLiteral(KORVAT_TEST_DATA "/tricky.xrd"), m_work.filePath("tricky.xrd")));
        QDir(m_work.path()).mkpath(QStringLiteral("nested/deeper"));
        QDir(m_work.path()).mkpath(QStringLiteral("empty"));
        QVERIFY(QFile::copy(TestFiles::example("junit-surefire.xml"), m_work.filePath("nested/deeper/TEST-b.xml")));
        QVERIFY(QFile::copy(TestFiles::example("smoke.xrd"), m_work.filePath("nested/TEST-a.xml")));
        QVERIFY(TestFiles::writeFile(m_work.filePath("nested/notes.txt"), "not a report"));
        QVERIFY(TestFiles::writeFile(m_work.filePath("nested/uncounted.xrd"),
                                     "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"u\"><XROD:NODE name=\"n\" "
                                     "type=\"TestCase\" state=\"ok\"><P>no sum</P></XROD:NODE></DOCUMENT></XROD>\n"));
    }

    void golden_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("golden");
        QTest::addColumn<int>("status");
        const QStringList examples{"campaign.xrd", "inconclusive.xrd", "junit-surefire.xml"};
        for (const char *format : {"junit", "ctrf", "markdown", "github"}) {
            const QString name = QLatin1String(format);
            const QString suffix = name == "junit" ? ".xml" : name == "ctrf" ? ".json" : name == "markdown" ? ".md" : ".txt";
            QTest::newRow(qPrintable(name + ", examples"))
                << (QStringList{"--to", name} + examples) << QString("examples-" + name + suffix) << 1;
            QTest::newRow(qPrintable(name + ", escaping")) << QStringList{"--to", name, "tricky.xrd"}
                                                           << QString("tricky-" + name + suffix) << 1;
        }
        QTest::newRow("markdown, all passed") << QStringList{"--to", "markdown", "smoke.xrd"}
                                              << QString("smoke-markdown.md") << 0;
    }

    void golden()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, golden);
        QFETCH(int, status);
        const XrdviewRun result = run(args);
        QVERIFY2(result.status == status, qPrintable(result.describe()));
        KORVAT_VERIFY_GOLDEN(golden, QString::fromUtf8(result.out));
    }

    // Every example in one JUnit file that the JUnit schema accepts, and
    // that reads back with the totals of the sources.
    void junitSchemaAndRoundTrip_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *file : {"campaign.xrd", "inconclusive.xrd", "junit-surefire.xml", "regression.xrd",
                                 "smoke.xrd", "tricky.xrd"})
            QTest::newRow(file) << QString::fromLatin1(file);
    }

    void junitSchemaAndRoundTrip()
    {
        QFETCH(QString, file);
        const QString out = m_work.filePath(file + ".junit.xml");
        const XrdviewRun written = run({"--to", "junit", "-o", out, file});
        QVERIFY2(written.status == 0 || written.status == 1, qPrintable(written.describe()));
        QVERIFY(written.out.isEmpty());

        const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
        if (xmllint.isEmpty())
            QFAIL("xmllint is missing: scripts/setup installs it (libxml2-utils)");
        QProcess lint;
        lint.start(xmllint, {"--noout", "--schema", KORVAT_TEST_DATA "/junit-10.xsd", out});
        QVERIFY(lint.waitForFinished(60000));
        QVERIFY2(lint.exitCode() == 0, lint.readAllStandardError().constData());

        const XrdviewRun source = run({"--print-summary", file});
        const XrdviewRun readBack = run({"--print-summary", out});
        QCOMPARE(readBack.status, 0);
        QCOMPARE(totalsOf(readBack), totalsOf(source));
        QCOMPARE(run({"--summary", out}).status, written.status);
    }

    void ctrfSchema()
    {
        const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
        if (node.isEmpty())
            QSKIP("node is not installed: the CTRF output is not checked against its schema");
        const QString validator = QStringLiteral(KORVAT_TEST_DATA "/../validator/validate-json.js");
        QVERIFY2(QFile::exists(QStringLiteral(KORVAT_TEST_DATA "/../validator/node_modules/ajv")),
                 "the schema validator is not installed: run scripts/setup");
        const QString out = m_work.filePath("all.ctrf.json");
        const XrdviewRun written = run({"--to", "ctrf", "-o", out, "campaign.xrd", "inconclusive.xrd",
                                        "junit-surefire.xml", "tricky.xrd", "smoke.xrd"});
        QCOMPARE(written.status, 1);
        QProcess validate;
        validate.start(node, {validator, KORVAT_TEST_DATA "/ctrf-schema.json", out});
        QVERIFY(validate.waitForFinished(60000));
        QVERIFY2(validate.exitCode() == 0, validate.readAllStandardOutput().constData());
    }

    void inputs_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("files"); // as the markdown table lists them
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stderrHas");
        QTest::newRow("folder") << QStringList{"--to", "markdown", "nested"}
                                << QStringList{"nested/TEST-a.xml", "nested/deeper/TEST-b.xml", "nested/uncounted.xrd"}
                                << 1 << "nested/notes.txt: passed over, not a report file";
        QTest::newRow("pattern") << QStringList{"--to", "markdown", "**/TEST-*.xml"}
                                 << QStringList{"nested/TEST-a.xml", "nested/deeper/TEST-b.xml"} << 1 << "";
        QTest::newRow("pattern and file, each once")
            << QStringList{"--to", "markdown", "smoke.xrd", "*.xrd"}
            << QStringList{"smoke.xrd", "campaign.xrd", "inconclusive.xrd", "regression.xrd", "tricky.xrd"} << 1
            << "";
        QTest::newRow("no test case found") << QStringList{"--to", "markdown", "nested/uncounted.xrd"}
                                            << QStringList{"nested/uncounted.xrd"} << 1 << "No test case found";
        QTest::newRow("no test case, allowed") << QStringList{"--to", "markdown", "--allow-empty", "nested/uncounted.xrd"}
                                               << QStringList{"nested/uncounted.xrd"} << 0 << "";
        QTest::newRow("empty folder") << QStringList{"--to", "markdown", "empty"} << QStringList{} << 1
                                      << "No test case found";
        QTest::newRow("empty folder, allowed")
            << QStringList{"--to", "markdown", "--allow-empty", "empty"} << QStringList{} << 0 << "";
        QTest::newRow("pattern matching nothing") << QStringList{"--summary", "nothing/**/*.xml"} << QStringList{}
                                                  << 1 << "nothing/**/*.xml: no file matches this pattern";
    }

    void inputs()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, stderrHas);
        const XrdviewRun result = run(args);
        QVERIFY2(result.status == status, qPrintable(result.describe()));
        QVERIFY2(result.errText().contains(stderrHas), qPrintable(result.describe()));
        QStringList listed;
        static const QRegularExpression row(QStringLiteral("^\\| ([^*|][^|]*) \\| \\d"));
        for (const QString &line : QString::fromUtf8(result.out).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = row.match(line);
            if (match.hasMatch())
                listed << match.captured(1).remove(QLatin1Char('\\'));
        }
        QTEST(listed, "files");
    }

    // A count far beyond what a report can hold is written as a bounded
    // number of cases, quickly.
    void hostileCount()
    {
        QVERIFY(TestFiles::writeFile(m_work.filePath("huge-sum.xrd"),
                                     "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"h\"><XROD:NODE name=\"n\" "
                                     "type=\"TestCase\" state=\"ok\" sum=\"2000000000\"><P>x</P></XROD:NODE>"
                                     "</DOCUMENT></XROD>\n"));
        const XrdviewRun result = run({"--to", "junit", "huge-sum.xrd"});
        QVERIFY2(result.status == 0, qPrintable(result.describe()));
        QCOMPARE(result.out.count("<testcase "), 10000);
    }

    void summaryGate()
    {
        const XrdviewRun gated = run({"--summary", "nested/uncounted.xrd"});
        QCOMPARE(gated.status, 1);
        QVERIFY(gated.errText().contains(QStringLiteral("No test case found")));
        QCOMPARE(run({"--summary", "--allow-empty", "nested/uncounted.xrd"}).status, 0);
        const XrdviewRun unwritable = run({"--to", "junit", "-o", "/nonexistent/dir/out.xml", "smoke.xrd"});
        QCOMPARE(unwritable.status, 2);
        QVERIFY(unwritable.errText().contains(QStringLiteral("/nonexistent/dir/out.xml cannot be written")));
    }
};

QTEST_GUILESS_MAIN(tst_XrdCiOutput)
#include "tst_xrdcioutput.moc"
