#pragma once

#include "sdk/qailogmonitor.h"
#include "sdk/qaiprogressmonitor.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QUrl>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The one dialog of every HTML export command. It says what the command exports, takes the
// output folder (typed: a new folder is made when the export starts; or picked with Choose,
// a folder dialog asked through QAModal), starts in the folder of the last export (else the
// documents folder), runs the export with a labelled progress bar that reads full only after
// a complete export, lists the export's messages, and opens the page the export names in the
// browser when asked ("Open in browser when done", through a replaceable opener).
//
// The dialog is the export's progress and log monitor; Cancel stops a running export. It
// accepts itself once an export completed; after a failure it stays open with the reason.
class QAExportHtmlDialog : public QDialog, public QAIProgressMonitor, public QAILogMonitor
{
    Q_OBJECT
public:
    // What one export answers: the page to open (empty when nothing was exported), the number
    // of files written, and otherwise why not.
    struct Outcome
    {
        QString page;
        int files = 0;
        QString error;
        bool canceled = false;
    };
    // Runs the export into an existing folder, reporting through the dialog's monitors.
    using Exporter = std::function<Outcome(const QString& folder, QAExportHtmlDialog& dialog)>;
    // Opens a page in the browser; answers whether it could.
    using UrlOpener = std::function<bool(const QUrl&)>;

    // what: one line saying what the command exports.
    QAExportHtmlDialog(const QString& what, Exporter exporter, QWidget* parent = nullptr);
    ~QAExportHtmlDialog() override;

    // Replaces the browser start for every dialog (tests see the URL); null restores it.
    static void setUrlOpener(UrlOpener opener);
    // The folder of the last export that wrote something, else the documents folder.
    static QString startFolder();
    // The settings file holding the last folder (in the application's configuration folder).
    static QString settingsFile();
    // Makes the export folder dir (and its parents) and checks that it takes files: its
    // absolute path, or empty with the reason in *error. Every export path checks it so.
    static QString prepareFolder(const QString& dir, QString* error);

    QString folder() const;
    void setFolder(const QString& folder);
    bool openWhenDone() const;
    void setOpenWhenDone(bool on);
    QString statusText() const;
    QString messages() const;
    // Whether the progress bar reads full.
    bool progressFull() const;

    bool isCanceled() const override;
    void setProgress(int value) override;
    void message(const QString& text) override;

public Q_SLOTS:
    // Makes the folder and runs the export; true when it completed.
    bool exportNow();
    // Asks for a folder through the folder dialog.
    void choose();
    void reject() override;

private:
    void setBusy(bool busy);
    void fail(const QString& text);

    Exporter m_exporter;
    bool m_busy = false;
    bool m_cancel = false;
    mutable QElapsedTimer m_events; // since events were last handled during an export
    QLineEdit* m_folder;
    QCheckBox* m_open;
    QLabel* m_progressLabel;
    QProgressBar* m_progress;
    QPlainTextEdit* m_log;
    QPushButton* m_export;
    QPushButton* m_close;
};
