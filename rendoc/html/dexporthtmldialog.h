#pragma once

#include "rendoc/html/dlogmonitor.h"
#include "rendoc/model/dprogressmonitor.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include <functional>
#include <memory>

class DDocument;
class DExportHtml;
class DHTMLWriter;
class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The dialog of an interactive HTML export of one document: the output folder (typed or
// chosen), "Open in browser when done", a progress bar while the page is written (Cancel stops
// it and leaves no page), and the messages of the export. It is window-modal, so the document
// it writes cannot change under it, owns the writer given with setHTMLWriter(..., true) and
// deletes itself when closed.
class DExportHtmlDialog : public QDialog, private DProgressMonitor, private DLogMonitor
{
    Q_OBJECT
public:
    // Asks for a folder: (parent, caption, start folder) -> chosen folder, empty when none.
    using FolderChooser = std::function<QString(QWidget*, const QString&, const QString&)>;
    // Opens an exported page; answers whether it could.
    using PageOpener = std::function<bool(const QString&)>;

    DExportHtmlDialog(DDocument* document, const QString& configFile, QWidget* parent = nullptr,
                      const char* name = nullptr);
    ~DExportHtmlDialog() override;

    void setHTMLWriter(DHTMLWriter* writer, bool owned);
    DHTMLWriter* htmlWriter() const { return m_writer; }

    void setPixmapDir(const QString& dir) { m_pixmapDir = dir; }
    const QString& pixmapDir() const { return m_pixmapDir; }

    void setOutputDir(const QString& dir);
    QString outputDir() const;
    void setOpenWhenDone(bool on);
    bool openWhenDone() const;

    // Replace the folder question and the browser start (tests answer them).
    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }
    void setPageOpener(PageOpener opener) { m_openPage = std::move(opener); }

    // The page the last export wrote; empty when none.
    const QString& writtenPage() const { return m_writtenPage; }
    QString messages() const;

public Q_SLOTS:
    // Writes the page; true when it was written.
    bool generate();
    void browse();
    void reject() override;

Q_SIGNALS:
    void generated(const QString& page);

private:
    bool isCanceled() const override;
    void message(const QString& text) override;
    void setBusy(bool busy);

    DDocument* m_document;
    QString m_configFile;
    QString m_pixmapDir;
    DHTMLWriter* m_writer = nullptr;
    std::unique_ptr<DHTMLWriter> m_ownedWriter;
    FolderChooser m_chooseFolder;
    PageOpener m_openPage;
    QString m_writtenPage;
    bool m_busy = false;
    bool m_cancel = false;
    mutable QElapsedTimer m_eventTimer;

    QLineEdit* m_folder;
    QCheckBox* m_open;
    QProgressBar* m_progress;
    QLabel* m_status;
    QPlainTextEdit* m_log;
    QPushButton* m_export;
    QDialogButtonBox* m_buttons;
};
