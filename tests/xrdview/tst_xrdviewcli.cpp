#include "tests/support/testfiles.h"
#include "tests/support/xrdviewrun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QString data(const char* name)
{
    return QStringLiteral(KORVAT_TEST_DATA "/") + QLatin1String(name);
}

QByteArray golden(const char* name)
{
    return TestFiles::readBytes(data(name)); // "<missing>" when there is none
}

} // namespace

// The built xrdview on the command line: each mode's output against golden
// files, its exit status, and its errors for bad arguments, unreadable or
// hostile reports, a damaged settings file and a refused plug-in.
class tst_XrdViewCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config; // the clean settings folder of most rows
    QTemporaryDir m_work;   // deep.xrd, and xrdview/resources.xml that does not parse

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::exists(QStringLiteral(KORVAT_BIN_DIR "/xrdview")));
        QVERIFY(m_config.isValid() && m_work.isValid());
        // Far deeper than a recursive reader survives.
        const int depth = 50000;
        QVERIFY(TestFiles::writeFile(m_work.filePath(QStringLiteral("deep.xrd")),
                                     "<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"deep\">"
                                         + QByteArray("<XROD:NODE name=\"n\" type=\"T\" state=\"ok\">").repeated(depth)
                                         + QByteArray("</XROD:NODE>").repeated(depth) + "</DOCUMENT></XROD>\n"));
        QDir(m_work.path()).mkpath(QStringLiteral("xrdview"));
        QVERIFY(TestFiles::writeFile(m_work.filePath(QStringLiteral("xrdview/resources.xml")), "<group tag="));
        QVERIFY(::mkfifo(QFile::encodeName(m_work.filePath(QStringLiteral("pipe.xrd"))).constData(), 0600) == 0);
    }

    void modes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out"); // null: not compared
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stderrHas");
        QTest::addColumn<QStringList>("env"); // NAME=VALUE, or NAME= to unset
        const auto row = [](const char* name, const QStringList& args, const QByteArray& out, int status,
                            const QString& stderrHas = QString(), const QStringList& env = QStringList()) {
            QTest::newRow(name) << args << out << status << stderrHas << env;
        };
        const QString campaign = TestFiles::example("campaign.xrd");
        const QString smoke = TestFiles::example("smoke.xrd");
        const QString tiny = data("tiny.xrd");
        const QString pipe = m_work.filePath(QStringLiteral("pipe.xrd"));

        row("summary, failures", { "--summary", campaign }, golden("summary-campaign.txt"), 1);
        row("summary, all passed, relative name", { "--summary", "smoke.xrd" }, golden("summary-smoke.txt"), 0);
        row("summary, two files", { "--summary", smoke, data("allpassed.xrd") }, golden("summary-two.txt"), 0);
        // A negative total is a total: status 0, the totals printed.
        row("summary, negative failed total", { "--summary", data("negative.xrd") }, golden("summary-negative.txt"), 0);
        // The printing modes write only their own messages on standard error.
        row("summary, no runtime folder", { "--summary", "smoke.xrd" }, golden("summary-smoke.txt"), 0, "",
            { "XDG_RUNTIME_DIR=" });
        row("summary, missing file wins over failures", { "--summary", campaign, "/nonexistent/gone.xrd" },
            QByteArray(), 2, "/nonexistent/gone.xrd");
        row("summary, malformed", { "--summary", data("malformed.xrd") }, QByteArray(), 2, "malformed.xrd\n\t\tline ");
        row("summary, nested too deep", { "--summary", m_work.filePath(QStringLiteral("deep.xrd")) }, QByteArray(), 2,
            "deep.xrd\n\t\tline 2, column ");
        // Refused before anything opens it, which would block.
        row("summary, named pipe", { "--summary", pipe }, QByteArray(), 2,
            "File(s) not found or corrupted:\n\t" + pipe + "\n\t\tNot a regular file");
        row("summary, totals beyond 32 bits", { "--summary", data("bigsums.xrd") }, golden("summary-bigsums.txt"), 0);
        // A damaged settings file is reported and the report still reads.
        row("summary, broken settings file", { "--summary", smoke }, golden("summary-smoke.txt"), 0, "resources.xml",
            { "XDG_CONFIG_HOME=" + m_work.path() });
        row("summary, refused plug-in", { "--summary", smoke }, QByteArray(""), 2, "was refused",
            { "XRDVIEW_PLUGIN_PATH=" XRD_FAKE_PLUGINS "/wrongkey" });

        row("tree", { "--print-tree", tiny }, golden("tree-tiny.txt"), 0);
        row("tree, failed only", { "--print-tree", "--failed-only", tiny }, golden("tree-tiny-failed.txt"), 0);
        row("tree, hidden type", { "--print-tree", "--hide-type", "Check", tiny }, golden("tree-tiny-nocheck.txt"), 0);
        row("tree, examples", { "--print-tree", campaign, smoke }, golden("tree-examples.txt"), 0);
        row("results table", { "--print-summary", campaign, smoke, TestFiles::example("inconclusive.xrd") },
            golden("table-examples.txt"), 0);
        row("text", { "--print-text", tiny }, golden("text-tiny.txt"), 0);
        row("text, two documents", { "--print-text", data("twodocs.xrd") }, golden("text-twodocs.txt"), 0);
        row("text, failed only", { "--print-text", "--failed-only", tiny }, golden("text-tiny-failed.txt"), 0);

        // Two runs compared: status 1 for a newly failing test, 0 when nothing newly fails.
        const QString older = data("run-old.xrd");
        const QString newer = data("run-new.xrd");
        row("compare, a new failure", { "--compare", older, newer }, golden("compare-runs.txt"), 1);
        row("compare, a run with itself", { "--compare", older, older }, QByteArray(), 0);
        row("compare, one file", { "--compare", older }, QByteArray(), 2, "--compare needs two report files");
        row("compare, unreadable file", { "--compare", older, "/nonexistent/new.xrd" }, QByteArray(), 2,
            "/nonexistent/new.xrd");

        row("version", { "--version" }, golden("version.txt"), 0);
        row("help", { "--help" }, QByteArray(), 0);
        // Argument errors end the run before the window exists, still translated (every
        // message of the parser: tst_xrdparts).
        row("unknown option, French", { "--summary", "--verbose", smoke }, QByteArray(), 2, "option --verbose inconnue",
            { "LANGUAGE=fr", "LANG=fr_FR.UTF-8" });
        row("missing option value", { "--print-tree", tiny, "--hide-type" }, QByteArray(), 2,
            "xrdview: --hide-type needs a node type\nTry 'xrdview --help'.");
        row("value given to a switch, French", { "--print-tree", "--failed-only=1", tiny }, QByteArray(), 2,
            "--failed-only ne prend pas de valeur", { "LANGUAGE=fr", "LANG=fr_FR.UTF-8" });
    }

    void modes()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, out);
        QFETCH(int, status);
        QFETCH(QString, stderrHas);
        QFETCH(QStringList, env);

        // Relative names are the examples'.
        const XrdviewRun run = runXrdview(args, m_config.path(), QStringLiteral(KORVAT_EXAMPLES), env);
        QVERIFY2(run.status == status, qPrintable(run.describe()));
        if (!out.isNull())
            QCOMPARE(QString::fromUtf8(run.out), QString::fromUtf8(out));
        if (!stderrHas.isEmpty())
            QVERIFY2(run.err.contains(stderrHas.toLocal8Bit()), run.err.constData());
        if (status == 2)
            QVERIFY(!run.err.isEmpty());
        else if (stderrHas.isEmpty())
            QVERIFY2(run.err.isEmpty(), run.err.constData()); // only the program's own messages
    }

    // --help in each language: every option under its group, the formats read, lines that
    // fit a terminal, on standard output with status 0.
    void help_data()
    {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<QStringList>("texts");
        const QStringList options{ "--failed-only", "--hide-type", "--summary", "--print-tree", "--print-summary",
                                   "--print-text", "--export-html", "--help", "--version" };
        QTest::newRow("English") << QStringList{ "LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=C.UTF-8" }
                                 << options + QStringList{ "XRD reports and JUnit XML results", "\nViewing:\n",
                                                           "\nPrinting", "\nExporting:\n", "\nGeneral:\n",
                                                           "--export-html DIR", "--hide-type TYPE", "Exit status" };
        QTest::newRow("French") << QStringList{ "LANGUAGE=fr", "LANG=fr_FR.UTF-8" }
                                << options + QStringList{ "rapports XRD et résultats JUnit XML", "\nAffichage :\n",
                                                          "\nImpression", "\nExport :\n", "\nGénéral :\n",
                                                          "--export-html DOSSIER", "Code de sortie" };
    }

    void help()
    {
        QFETCH(QStringList, env);
        QFETCH(QStringList, texts);
        const XrdviewRun run = runXrdview({ "--help" }, m_config.path(), QString(), env);
        QVERIFY2(run.status == 0, qPrintable(run.describe()));
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        const QString out = QString::fromUtf8(run.out);
        for (const QString& text : std::as_const(texts))
            QVERIFY2(out.contains(text), qPrintable(text + QStringLiteral(" not in:\n") + out));
        for (const QString& line : out.split(QLatin1Char('\n')))
            QVERIFY2(line.size() <= 79, qPrintable(line));
    }

    // A file whose name starts with a dash is read after "--", not taken for an option.
    void dashFile()
    {
        const QString name = QStringLiteral("--failed-only");
        QFile::remove(m_work.filePath(name));
        QVERIFY(QFile::copy(TestFiles::example("smoke.xrd"), m_work.filePath(name)));
        const XrdviewRun run = runXrdview({ "--summary", "--", name }, m_config.path(), m_work.path());
        QVERIFY2(run.status == 0, qPrintable(run.describe()));
        QCOMPARE(QString::fromUtf8(run.out), QString::fromUtf8(golden("summary-smoke.txt")));
    }
};

QTEST_GUILESS_MAIN(tst_XrdViewCli)
#include "tst_xrdviewcli.moc"
