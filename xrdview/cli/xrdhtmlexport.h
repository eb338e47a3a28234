#pragma once

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

class QAStReportSession;
class QAStViewerWindow;
class QWidget;
class XrdStudio;

// One full HTML export of a report session into a folder, for the File menu and for
// `xrdview --export-html`. It is the export's progress monitor (the studio's progress
// display, whose Cancel stops it) and its log (the studio's output pane: the Output dock, or
// standard error without one).
//
// The pages an export writes are complete files each; when the export is cancelled or a page
// cannot be written, the files it created (and image folders it left empty) are removed
// again, so that a folder never holds a partial export that looks complete. A linked report
// that cannot be read is named in the log and the export goes on without it. The session says
// which files it wrote: nothing else in the folder is touched.
class XrdHtmlExport : public QAIProgressMonitor, public QAILogMonitor
{
public:
    explicit XrdHtmlExport(XrdStudio* studio);

    // The command line's export: prints the written files on standard output, or the reason
    // on standard error; true when everything was written.
    static bool exportToFolder(QAStReportSession* session, XrdStudio* studio, const QString& dir);
    // The File menu's export of all loaded reports: the export dialog (folder, progress,
    // messages, "Open in browser when done" with the summary page), and a line in the output
    // pane when it completed. False when nothing was exported.
    static bool askAndExport(QWidget* parent, QAStViewerWindow* window, XrdStudio* studio);
    // The page an export that wrote `files` into dir opens with: its summary page ("index"
    // with any suffix), else its first page.
    static QString summaryPage(const QStringList& files, const QString& dir);

    // Sends progress, cancel and messages to these monitors instead of the studio's progress
    // display and output pane; not owned, null for the studio's.
    void setMonitors(QAIProgressMonitor* progress, QAILogMonitor* log)
    {
        m_progress = progress;
        m_log = log;
    }

    // Exports everything session shows into dir. True when every page was written.
    bool run(QAStReportSession* session, const QString& dir);
    // The same through the window's session; a viewer without a session exports through
    // the window, and what it wrote is then told by the folder's file times. Either way a
    // linked report that cannot be read is named in the log and the export goes on.
    bool run(QAStViewerWindow* window, const QString& dir);

    // What the last run wrote (absolute paths, sorted), and why it failed.
    const QStringList& writtenFiles() const { return m_written; }
    const QString& errorString() const { return m_error; }
    bool canceled() const { return m_canceled; }
    // How many linked reports the last run could not read (named in the log, passed over).
    int unreadableCount() const { return m_unreadable; }

    bool isCanceled() const override;
    void setProgress(int value) override;
    void message(const QString& text) override;

private:
    QHash<QString, QDateTime> snapshot(const QString& dir) const;
    // Says why an export failed, removes the files it created (not those it replaced, which
    // are complete pages: `before` lists what the folder held) and forgets what it wrote.
    void undo(const QString& target, const QHash<QString, QDateTime>& before, int failedPages);
    bool runWindow(QAStViewerWindow* window, const QString& target);

    XrdStudio* m_studio;
    QStringList m_written;
    QString m_error;
    bool m_canceled = false;
    int m_unreadable = 0;
    QAIProgressMonitor* m_progress = nullptr;
    QAILogMonitor* m_log = nullptr;
};
