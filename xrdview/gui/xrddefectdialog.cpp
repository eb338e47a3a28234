#include "xrdview/gui/xrddefectdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

XrdDefectDialog::XrdDefectDialog(const XrdDefect& defect, const QString& destination,
                                 Submitter submitter, QWidget* parent)
    : QDialog(parent),
      m_files(defect.attachments),
      m_submitter(std::move(submitter)),
      m_headline(new QLineEdit(defect.headline)),
      m_description(new QPlainTextEdit),
      m_attachments(new QListWidget),
      m_error(new QLabel),
      m_submit(new QPushButton(tr("&Submit"))),
      m_running(new QLabel)
{
    setObjectName(QStringLiteral("new defect"));
    setWindowTitle(tr("New defect"));

    QString text = defect.description;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_description->setPlainText(text);
    m_description->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The description's labels are padded to line up their values.
    m_description->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (const XrdDefect::Attachment& file : defect.attachments) {
        auto* item = new QListWidgetItem(QFileInfo(file.path).fileName(), m_attachments);
        item->setToolTip(QDir::toNativeSeparators(file.path));
        if (!file.description.isEmpty())
            item->setText(item->text() + QStringLiteral(" (") + file.description + QLatin1Char(')'));
    }
    m_attachments->setMaximumHeight(m_attachments->sizeHintForRow(0) * 3 + 8);

    auto* to = new QLabel(destination);
    to->setWordWrap(true);
    to->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->setWordWrap(true);
    m_error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_error->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_error->hide();
    m_running->setText(tr("Submitting the defect... Cancel stops the tracker command."));
    m_running->hide();

    auto* form = new QFormLayout;
    form->addRow(tr("&Headline:"), m_headline);
    form->addRow(tr("&Description:"), m_description);
    form->addRow(tr("Attachments:"), m_attachments);
    form->addRow(tr("Tracker:"), to);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->addButton(m_submit, QDialogButtonBox::AcceptRole);
    m_submit->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &XrdDefectDialog::submit);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addWidget(m_running);
    layout->addWidget(buttons);
    resize(640, 420);
}

XrdDefectDialog::~XrdDefectDialog() = default;

XrdDefect XrdDefectDialog::defect() const
{
    XrdDefect out;
    out.headline = m_headline->text();
    out.description = m_description->toPlainText();
    out.attachments = m_files;
    return out;
}

QString XrdDefectDialog::errorText() const
{
    return m_error->isHidden() ? QString() : m_error->text();
}

void XrdDefectDialog::submit()
{
    if (m_headline->text().trimmed().isEmpty()) {
        showError(tr("The defect needs a headline."));
        m_headline->setFocus();
        return;
    }
    if (m_submitting)
        return;
    QString error;
    // A tracker command may take a while: the dialog stays usable and says
    // it is running; Cancel then stops the command (see reject()).
    m_submitting = true;
    m_cancelRequested = false;
    m_submit->setEnabled(false);
    m_error->hide();
    m_running->show();
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool done =
        m_submitter && m_submitter(defect(), &error, [this] { return m_cancelRequested; });
    QGuiApplication::restoreOverrideCursor();
    m_running->hide();
    m_submit->setEnabled(true);
    m_submitting = false;
    if (done) {
        m_error->hide();
        accept();
        return;
    }
    showError(error);
}

void XrdDefectDialog::reject()
{
    // During a submission Cancel stops it and keeps the dialog and its text.
    if (m_submitting) {
        m_cancelRequested = true;
        return;
    }
    QDialog::reject();
}

void XrdDefectDialog::showError(const QString& error)
{
    m_error->setText(error);
    m_error->show();
}
