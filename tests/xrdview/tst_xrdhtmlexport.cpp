// What the host's HTML export leaves in the folder after a report window's export: its pages
// when it completes, none of the files it made when a linked report could not be read, files
// of earlier exports in any case. (The command line's statuses: tst_xrdexportstatus; the pages
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
        QTest::newRow("linked report unreadable") << QStringList{"Unable to open the report file '/r/x.xrd'"} << false
                                                  << QStringList{"a.html", "old.html"};
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
        window.pages = QStringList{"a.html", "b.html"};
        window.messages = messages;
        XrdHtmlExport exporter(&studio);
        QTEST(exporter.run(&window, out.path()), "ok");
        QTEST(QDir(out.path()).entryList(QDir::Files, QDir::Name), "left");
        QFETCH(bool, ok);
        QCOMPARE(exporter.writtenFiles().size(), ok ? 2 : 0);
        QCOMPARE(exporter.errorString().isEmpty(), ok);
    }
};

QTEST_MAIN(tst_XrdHtmlExport)
#include "tst_xrdhtmlexport.moc"
