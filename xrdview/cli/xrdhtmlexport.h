#pragma once

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

class QAStViewerWindow;
class QWidget;
class XrdStudio;

// One full HTML export of a report window into a folder, for the File menu and for
// `xrdview --export-html`. It is the export's progress monitor (the studio's progress
// display, whose Cancel stops it) and its log (the studio's output pane: the Output dock, or
// standard error without a display).
//
// The pages an export writes are complete files each; when the export is cancelled or a
// linked report cannot be read, the files it wrote are removed again, so that a folder never
// holds a partial export that looks complete.
class XrdHtmlExport : public QAIProgressMonitor, public QAILogMonitor
{
public:
    explicit XrdHtmlExport(XrdStudio* studio);

    // The command line's export: prints the written files on standard output, or the reason
    // on standard error; true when everything was written.
    static bool exportToFolder(QAStViewerWindow* window, XrdStudio* studio, const QString& dir);
    // The File menu's export: asks for a folder, exports with the progress display and says
    // how it went in the output pane. False when nothing was exported.
    static bool askAndExport(QWidget* parent, QAStViewerWindow* window, XrdStudio* studio);

    // Exports everything window shows into dir. True when every page was written.
    bool run(QAStViewerWindow* window, const QString& dir);

    // What the last run wrote (absolute paths, sorted), and why it failed.
    const QStringList& writtenFiles() const { return m_written; }
    const QString& errorString() const { return m_error; }
    bool canceled() const { return m_canceled; }

    bool isCanceled() const override;
    void setProgress(int value) override;
    void message(const QString& text) override;

private:
    QHash<QString, QDateTime> snapshot(const QString& dir) const;

    XrdStudio* m_studio;
    QStringList m_written;
    QString m_error;
    bool m_canceled = false;
    int m_unreadable = 0;
};
