// What the host's HTML export leaves in the folder after the export of a report window without
// a session: its pages when it completes, also past a linked report it could not read (named in
// the log, as the session's export does), files of earlier exports in any case. (The command line's statuses: tst_xrdexportstatus; the pages
// in a browser: tst_xrdhtmlbrowser.)

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/host/xrdstudio.h"
#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A report window whose export writes the given pages and log lines.
class ScriptedWindow : public QAStViewerWindow
{
public:
    QStringList pages;
    QStringList messages;
    void exportHTML(const QString& outDir, const QString&, QAIProgressMonitor* progress,
                    QAILogMonitor* log) override
    {
        for (const QString& page : std::as_const(pages)) {
            QFile file(QDir(outDir).filePath(page));
            if (file.open(QIODevice::WriteOnly))
                file.write("<!DOCTYPE html>");
            progress->setProgress(1);
        }
        for (const QString& message : std::as_const(messages))
            log->message(message);
    }
};

// Keeps the export's messages.
class Log : public QAILogMonitor
{
public:
    QStringList lines;
    void message(const QString& text) override { lines << text; }
};

} // namespace

class tst_XrdHtmlExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void folder_data()
    {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("complete") << QStringList{"Image not found: x.png"} << true
                                  << QStringList{"a.html", "b.html", "old.html"};
        QTest::newRow("linked report unreadable") << QStringList{"Unable to open the report file '/r/x.xrd'"} << true
                                                  << QStringList{"a.html", "b.html", "old.html"};
        QTest::newRow("nothing written") << QStringList() << false << QStringList{"a.html", "old.html"};
    }

    void folder()
    {
        QFETCH(QStringList, messages);
        QTemporaryDir out;
        for (const char* name : {"old.html", "a.html"})
            QVERIFY(TestFiles::writeFile(out.filePath(QLatin1String(name)), QByteArray()));
        QTest::qWait(1100); // file times have a resolution of a second on some file systems
        XrdStudio studio(out.path());
        studio.useStandardErrorOutput();
        ScriptedWindow window;
        QFETCH(bool, ok);
        window.pages = ok ? QStringList{"a.html", "b.html"} : QStringList();
        window.messages = messages;
        XrdHtmlExport exporter(&studio);
        Log log;
        exporter.setMonitors(nullptr, &log);
        QCOMPARE(exporter.run(&window, out.path()), ok);
        QTEST(QDir(out.path()).entryList(QDir::Files, QDir::Name), "left");
        QCOMPARE(exporter.writtenFiles().size(), ok ? 2 : 0);
        QCOMPARE(exporter.errorString().isEmpty(), ok);
        // Every message reaches the log; an unreadable linked report is counted too.
        QCOMPARE(log.lines, messages);
        QCOMPARE(exporter.unreadableCount(), messages.filter("Unable to open").size());
    }
};

QTEST_MAIN(tst_XrdHtmlExport)
#include "tst_xrdhtmlexport.moc"
