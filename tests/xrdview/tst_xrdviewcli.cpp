#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The built xrdview on the command line: each mode's output against golden
// files, its exit status, and its errors for bad arguments, unreadable or
// hostile reports and a refused plug-in.
class tst_XrdViewCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void modes_data();
    void modes();
    void deeplyNestedReport();
    void refusedPlugin();
    void brokenSettingsFile();

private:
    struct Result
    {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };
    Result run(const QStringList& args, const QProcessEnvironment& extra = {});

    QTemporaryDir m_config;
};

namespace {

QString example(const char* name)
{
    return QStringLiteral(KORVAT_EXAMPLES "/") + QLatin1String(name);
}

QString data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

QByteArray golden(const QString& name)
{
    QFile file(data(qPrintable(name)));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing golden file ") + name.toUtf8() + ">";
    return file.readAll();
}

} // namespace

void tst_XrdViewCli::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(KORVAT_BIN_DIR "/xrdview")));
    QVERIFY(m_config.isValid());
}

tst_XrdViewCli::Result tst_XrdViewCli::run(const QStringList& args,
                                           const QProcessEnvironment& extra)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Settings from the developer's home must not change the output.
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    env.remove(QStringLiteral("XRDVIEW_PLUGIN_PATH"));
    for (const QString& key : extra.keys())
        env.insert(key, extra.value(key));
    process.setProcessEnvironment(env);
    // Relative file names are the examples'.
    process.setWorkingDirectory(QStringLiteral(KORVAT_EXAMPLES));
    process.start(QStringLiteral(KORVAT_BIN_DIR "/xrdview"), args);
    Result result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void tst_XrdViewCli::modes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("goldenFile"); // empty: the output is not compared
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrHas");

    const QString campaign = example("campaign.xrd");
    const QString smoke = example("smoke.xrd");
    const QString tiny = data("tiny.xrd");

    QTest::newRow("summary, failures") << QStringList{ "--summary", campaign }
                                       << "summary-campaign.txt" << 1 << "";
    QTest::newRow("summary, all passed") << QStringList{ "--summary", smoke }
                                         << "summary-smoke.txt" << 0 << "";
    QTest::newRow("summary, relative names") << QStringList{ "--summary", "smoke.xrd" }
                                             << "summary-smoke.txt" << 0 << "";
    QTest::newRow("summary, two files") << QStringList{ "--summary", smoke, data("allpassed.xrd") }
                                        << "summary-two.txt" << 0 << "";
    QTest::newRow("summary, missing file wins over failures")
        << QStringList{ "--summary", campaign, "/nonexistent/gone.xrd" } << "" << 2
        << "/nonexistent/gone.xrd";
    QTest::newRow("summary, malformed") << QStringList{ "--summary", data("malformed.xrd") } << ""
                                        << 2 << "malformed.xrd";

    QTest::newRow("tree") << QStringList{ "--print-tree", tiny } << "tree-tiny.txt" << 0 << "";
    QTest::newRow("tree, failed only") << QStringList{ "--print-tree", "--failed-only", tiny }
                                       << "tree-tiny-failed.txt" << 0 << "";
    QTest::newRow("tree, hidden type") << QStringList{ "--print-tree", "--hide-type", "Check", tiny }
                                       << "tree-tiny-nocheck.txt" << 0 << "";
    QTest::newRow("tree, examples") << QStringList{ "--print-tree", campaign, smoke }
                                    << "tree-examples.txt" << 0 << "";
    QTest::newRow("results table") << QStringList{ "--print-summary", campaign, smoke,
                                                   example("inconclusive.xrd") }
                                   << "table-examples.txt" << 0 << "";
    QTest::newRow("text") << QStringList{ "--print-text", tiny } << "text-tiny.txt" << 0 << "";
    QTest::newRow("text, failed only") << QStringList{ "--print-text", "--failed-only", tiny }
                                       << "text-tiny-failed.txt" << 0 << "";

    QTest::newRow("version") << QStringList{ "--version" } << "version.txt" << 0 << "";
    QTest::newRow("help") << QStringList{ "--help" } << "" << 0 << "";
    QTest::newRow("unknown option") << QStringList{ "--summary", "--verbose", smoke } << "" << 2
                                    << "unknown option --verbose";
    QTest::newRow("no file") << QStringList{ "--print-text" } << "" << 2 << "no report file";
}

void tst_XrdViewCli::modes()
{
    QFETCH(QStringList, args);
    QFETCH(QString, goldenFile);
    QFETCH(int, status);
    QFETCH(QString, stderrHas);

    const Result result = run(args);
    QVERIFY2(result.status == status,
             qPrintable(QStringLiteral("status %1, stderr: %2")
                            .arg(result.status)
                            .arg(QString::fromLocal8Bit(result.err))));
    if (!goldenFile.isEmpty())
        QCOMPARE(QString::fromUtf8(result.out), QString::fromUtf8(golden(goldenFile)));
    if (!stderrHas.isEmpty())
        QVERIFY2(result.err.contains(stderrHas.toLocal8Bit()), result.err.constData());
    if (status == 2 && stderrHas.isEmpty())
        QVERIFY(!result.err.isEmpty());
}

void tst_XrdViewCli::deeplyNestedReport()
{
    // Far deeper than a recursive reader survives: refused, never a crash.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("deep.xrd")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const int depth = 50000;
    file.write("<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"deep\">");
    for (int i = 0; i < depth; ++i)
        file.write("<XROD:NODE name=\"n\" type=\"T\" state=\"ok\">");
    for (int i = 0; i < depth; ++i)
        file.write("</XROD:NODE>");
    file.write("</DOCUMENT></XROD>\n");
    file.close();

    const Result result = run({ QStringLiteral("--summary"), file.fileName() });
    QCOMPARE(result.status, 2);
    QVERIFY(result.err.contains("deep.xrd"));
}

void tst_XrdViewCli::refusedPlugin()
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("XRDVIEW_PLUGIN_PATH"), QStringLiteral(XRD_FAKE_PLUGINS "/wrongkey"));
    const Result result = run({ QStringLiteral("--summary"), example("smoke.xrd") }, env);
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.contains("was refused"), result.err.constData());
    QVERIFY(result.out.isEmpty());
}

void tst_XrdViewCli::brokenSettingsFile()
{
    // A damaged settings file is reported and the report still reads.
    QTemporaryDir config;
    QDir().mkpath(config.filePath(QStringLiteral("xrdview")));
    QFile file(config.filePath(QStringLiteral("xrdview/resources.xml")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<group tag=");
    file.close();

    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    const Result result = run({ QStringLiteral("--summary"), example("smoke.xrd") }, env);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.out, golden(QStringLiteral("summary-smoke.txt")));
    QVERIFY(result.err.contains("resources.xml"));
}

QTEST_GUILESS_MAIN(tst_XrdViewCli)
#include "tst_xrdviewcli.moc"
