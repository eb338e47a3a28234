#pragma once

#include "xrdview/tracker/xrddefect.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The "New defect" dialog: the headline and the description, both
// editable, the attached files, and Submit and Cancel. Submit hands the
// edited defect to the submitter; the dialog closes when it succeeds and
// otherwise shows the submitter's error and stays open for another try.
// While the submitter runs, the dialog says so and Cancel (or closing the
// dialog) asks it to stop instead of closing: the edited text stays.
class XrdDefectDialog : public QDialog
{
    Q_OBJECT
public:
    // Answers whether the user asked to stop the submission under way.
    using CancelQuery = std::function<bool()>;
    // Returns true on success, else false with `*error` set.
    using Submitter = std::function<bool(const XrdDefect&, QString* error, const CancelQuery& canceled)>;

    XrdDefectDialog(const XrdDefect& defect, const QString& destination, Submitter submitter,
                    QWidget* parent = nullptr);
    ~XrdDefectDialog() override;

    // The defect as edited.
    XrdDefect defect() const;

    QLineEdit* headlineEdit() const { return m_headline; }
    QPlainTextEdit* descriptionEdit() const { return m_description; }
    QListWidget* attachmentList() const { return m_attachments; }
    QPushButton* submitButton() const { return m_submit; }
    // The last error shown; empty when none.
    QString errorText() const;

    // True while the submitter runs.
    bool isSubmitting() const { return m_submitting; }

public Q_SLOTS:
    void submit();
    void reject() override;

private:
    void showError(const QString& error);

    QList<XrdDefect::Attachment> m_files;
    Submitter m_submitter;
    QLineEdit* m_headline;
    QPlainTextEdit* m_description;
    QListWidget* m_attachments;
    QLabel* m_error;
    QPushButton* m_submit;
    QLabel* m_running;
    bool m_submitting = false;
    bool m_cancelRequested = false;
};
