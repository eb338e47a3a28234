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
    QFile file(data(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll()
                                          : QByteArray("<missing golden file ") + name + ">";
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
        QFile deep(m_work.filePath(QStringLiteral("deep.xrd")));
        QVERIFY(deep.open(QIODevice::WriteOnly));
        const int depth = 50000;
        deep.write("<?xml version=\"1.0\"?>\n<XROD><DOCUMENT name=\"deep\">");
        for (int i = 0; i < depth; ++i)
            deep.write("<XROD:NODE name=\"n\" type=\"T\" state=\"ok\">");
        for (int i = 0; i < depth; ++i)
            deep.write("</XROD:NODE>");
        deep.write("</DOCUMENT></XROD>\n");
        QDir(m_work.path()).mkpath(QStringLiteral("xrdview"));
        QFile settings(m_work.filePath(QStringLiteral("xrdview/resources.xml")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("<group tag=");
        QVERIFY(::mkfifo(QFile::encodeName(m_work.filePath(QStringLiteral("pipe.xrd"))).constData(), 0600) == 0);
    }

    void modes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out"); // null: not compared
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("stderrHas");
        QTest::addColumn<QStringList>("env"); // NAME=VALUE, or NAME= to unset

        const QString campaign = TestFiles::example("campaign.xrd");
        const QString smoke = TestFiles::example("smoke.xrd");
        const QString tiny = data("tiny.xrd");
        const QStringList none;

        QTest::newRow("summary, failures") << QStringList{ "--summary", campaign }
                                           << golden("summary-campaign.txt") << 1 << "" << none;
        QTest::newRow("summary, all passed, relative name")
            << QStringList{ "--summary", "smoke.xrd" } << golden("summary-smoke.txt") << 0 << ""
            << none;
        QTest::newRow("summary, two files") << QStringList{ "--summary", smoke, data("allpassed.xrd") }
                                            << golden("summary-two.txt") << 0 << "" << none;
        // A negative total is a total: status 0, the totals printed.
        QTest::newRow("summary, negative failed total")
            << QStringList{ "--summary", data("negative.xrd") } << golden("summary-negative.txt") << 0
            << "" << none;
        // The printing modes write only their own messages on standard error.
        QTest::newRow("summary, no runtime folder")
            << QStringList{ "--summary", "smoke.xrd" } << golden("summary-smoke.txt") << 0 << ""
            << QStringList{ "XDG_RUNTIME_DIR=" };
        QTest::newRow("summary, missing file wins over failures")
            << QStringList{ "--summary", campaign, "/nonexistent/gone.xrd" } << QByteArray() << 2
            << "/nonexistent/gone.xrd" << none;
        QTest::newRow("summary, malformed") << QStringList{ "--summary", data("malformed.xrd") }
                                            << QByteArray() << 2 << "malformed.xrd\n\t\tline " << none;
        QTest::newRow("summary, nested too deep")
            << QStringList{ "--summary", m_work.filePath(QStringLiteral("deep.xrd")) } << QByteArray()
            << 2 << "deep.xrd\n\t\tline 2, column " << none;
        // Refused before anything opens it, which would block.
        QTest::newRow("summary, named pipe")
            << QStringList{ "--summary", m_work.filePath(QStringLiteral("pipe.xrd")) } << QByteArray()
            << 2 << "File(s) not found or corrupted:\n\t" + m_work.filePath(QStringLiteral("pipe.xrd"))
                      + "\n\t\tNot a regular file"
            << none;
        QTest::newRow("summary, totals beyond 32 bits") << QStringList{ "--summary", data("bigsums.xrd") }
                                                        << golden("summary-bigsums.txt") << 0 << "" << none;
        // A damaged settings file is reported and the report still reads.
        QTest::newRow("summary, broken settings file")
            << QStringList{ "--summary", smoke } << golden("summary-smoke.txt") << 0 << "resources.xml"
            << QStringList{ "XDG_CONFIG_HOME=" + m_work.path() };
        QTest::newRow("summary, refused plug-in")
            << QStringList{ "--summary", smoke } << QByteArray("") << 2 << "was refused"
            << QStringList{ "XRDVIEW_PLUGIN_PATH=" XRD_FAKE_PLUGINS "/wrongkey" };

        QTest::newRow("tree") << QStringList{ "--print-tree", tiny } << golden("tree-tiny.txt") << 0
                              << "" << none;
        QTest::newRow("tree, failed only") << QStringList{ "--print-tree", "--failed-only", tiny }
                                           << golden("tree-tiny-failed.txt") << 0 << "" << none;
        QTest::newRow("tree, hidden type") << QStringList{ "--print-tree", "--hide-type", "Check", tiny }
                                           << golden("tree-tiny-nocheck.txt") << 0 << "" << none;
        QTest::newRow("tree, examples") << QStringList{ "--print-tree", campaign, smoke }
                                        << golden("tree-examples.txt") << 0 << "" << none;
        QTest::newRow("results table")
            << QStringList{ "--print-summary", campaign, smoke, TestFiles::example("inconclusive.xrd") }
            << golden("table-examples.txt") << 0 << "" << none;
        QTest::newRow("text") << QStringList{ "--print-text", tiny } << golden("text-tiny.txt") << 0
                              << "" << none;
        QTest::newRow("text, two documents") << QStringList{ "--print-text", data("twodocs.xrd") }
                                             << golden("text-twodocs.txt") << 0 << "" << none;
        QTest::newRow("text, failed only") << QStringList{ "--print-text", "--failed-only", tiny }
                                           << golden("text-tiny-failed.txt") << 0 << "" << none;

        QTest::newRow("version") << QStringList{ "--version" } << golden("version.txt") << 0 << ""
                                 << none;
        QTest::newRow("help") << QStringList{ "--help" } << QByteArray() << 0 << "" << none;
        QTest::newRow("unknown option") << QStringList{ "--summary", "--verbose", smoke } << QByteArray()
                                        << 2 << "unknown option --verbose" << none;
        // Argument errors end the run before the window exists: still translated.
        QTest::newRow("unknown option, French")
            << QStringList{ "--summary", "--verbose", smoke } << QByteArray() << 2
            << "option --verbose inconnue" << QStringList{ "LANGUAGE=fr", "LANG=fr_FR.UTF-8" };
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
        QVERIFY2(run.status == status,
                 qPrintable(QStringLiteral("status %1, stderr: %2").arg(run.status).arg(run.errText())));
        if (!out.isNull())
            QCOMPARE(QString::fromUtf8(run.out), QString::fromUtf8(out));
        if (!stderrHas.isEmpty())
            QVERIFY2(run.err.contains(stderrHas.toLocal8Bit()), run.err.constData());
        if (status == 2)
            QVERIFY(!run.err.isEmpty());
        else if (stderrHas.isEmpty())
            QVERIFY2(run.err.isEmpty(), run.err.constData()); // only the program's own messages
    }
};

QTEST_GUILESS_MAIN(tst_XrdViewCli)
#include "tst_xrdviewcli.moc"
