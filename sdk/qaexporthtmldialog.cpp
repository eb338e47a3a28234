#include "sdk/qaexporthtmldialog.h"

#include "sdk/qamodal.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QVBoxLayout>

namespace {

const QString FolderKey = QStringLiteral("export/folder");

QAExportHtmlDialog::UrlOpener& urlOpener()
{
    static QAExportHtmlDialog::UrlOpener opener;
    return opener;
}

} // namespace

QAExportHtmlDialog::QAExportHtmlDialog(const QString& what, Exporter exporter, QWidget* parent)
    : QDialog(parent), m_exporter(std::move(exporter))
{
    setObjectName(QStringLiteral("exportHtmlDialog"));
    setWindowTitle(tr("Export HTML"));
    auto* layout = new QVBoxLayout(this);
    auto* whatLabel = new QLabel(what, this);
    whatLabel->setObjectName(QStringLiteral("what"));
    whatLabel->setWordWrap(true);
    layout->addWidget(whatLabel);

    auto* form = new QFormLayout;
    auto* row = new QHBoxLayout;
    m_folder = new QLineEdit(QDir::toNativeSeparators(startFolder()), this);
    m_folder->setObjectName(QStringLiteral("folder"));
    m_folder->setToolTip(tr("A folder that does not exist yet is created."));
    auto* chooseButton = new QPushButton(tr("Choose..."), this);
    chooseButton->setObjectName(QStringLiteral("choose"));
    row->addWidget(m_folder, 1);
    row->addWidget(chooseButton);
    form->addRow(tr("Output folder:"), row);
    layout->addLayout(form);

    m_open = new QCheckBox(tr("Open in browser when done"), this);
    m_open->setObjectName(QStringLiteral("open"));
    m_open->setChecked(true);
    layout->addWidget(m_open);
    m_progressLabel = new QLabel(tr("Ready to export."), this);
    m_progressLabel->setObjectName(QStringLiteral("progressLabel"));
    m_progressLabel->setWordWrap(true);
    m_progressLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_progressLabel);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progressLabel->setBuddy(m_progress);
    layout->addWidget(m_progress);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("messages"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(1000);
    m_log->setPlaceholderText(tr("Messages of the export appear here."));
    m_log->setFixedHeight(90);
    layout->addWidget(m_log);

    auto* buttons = new QDialogButtonBox(this);
    m_export = buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    m_export->setObjectName(QStringLiteral("export"));
    m_export->setDefault(true);
    m_close = buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);

    connect(chooseButton, &QPushButton::clicked, this, &QAExportHtmlDialog::choose);
    connect(m_export, &QPushButton::clicked, this, &QAExportHtmlDialog::exportNow);
    connect(buttons, &QDialogButtonBox::rejected, this, &QAExportHtmlDialog::reject);
    connect(m_folder, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_export->setEnabled(!m_busy && !text.trimmed().isEmpty());
    });
    resize(560, sizeHint().height());
}

QAExportHtmlDialog::~QAExportHtmlDialog() = default;

void QAExportHtmlDialog::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

QString QAExportHtmlDialog::settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
        + QStringLiteral("/export.ini");
}

QString QAExportHtmlDialog::startFolder()
{
    const QString last =
        QSettings(settingsFile(), QSettings::IniFormat).value(FolderKey).toString();
    if (!last.isEmpty())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString QAExportHtmlDialog::folder() const
{
    return QDir::fromNativeSeparators(m_folder->text().trimmed());
}

void QAExportHtmlDialog::setFolder(const QString& folder)
{
    m_folder->setText(QDir::toNativeSeparators(folder));
}

bool QAExportHtmlDialog::openWhenDone() const
{
    return m_open->isChecked();
}

void QAExportHtmlDialog::setOpenWhenDone(bool on)
{
    m_open->setChecked(on);
}

QString QAExportHtmlDialog::statusText() const
{
    return m_progressLabel->text();
}

QString QAExportHtmlDialog::messages() const
{
    return m_log->toPlainText();
}

bool QAExportHtmlDialog::progressFull() const
{
    return m_progress->maximum() > 0 && m_progress->value() == m_progress->maximum();
}

bool QAExportHtmlDialog::isCanceled() const
{
    // Keeps the dialog answering while the export runs, so that Cancel can be pressed; at
    // most every 50 ms, since the export asks often.
    if (m_busy && (!m_events.isValid() || m_events.elapsed() > 50)) {
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        m_events.restart();
    }
    return m_cancel;
}

void QAExportHtmlDialog::setProgress(int value)
{
    m_progressLabel->setText(tr("Exporting: %n page(s) written...", nullptr, value));
}

void QAExportHtmlDialog::message(const QString& text)
{
    m_log->appendPlainText(text);
}

void QAExportHtmlDialog::choose()
{
    // The dialog starts in the typed folder, or in the nearest part of it that exists.
    QString start = folder();
    while (!start.isEmpty() && !QFileInfo(start).isDir()
           && QFileInfo(start).absolutePath() != start)
        start = QFileInfo(start).absolutePath();
    QFileDialog dialog(this, tr("Export HTML to Folder"), start);
    dialog.setObjectName(QStringLiteral("chooseExportFolder"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (QAModal::exec(&dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        setFolder(dialog.selectedFiles().constFirst());
}

void QAExportHtmlDialog::setBusy(bool busy)
{
    m_busy = busy;
    m_export->setEnabled(!busy && !folder().isEmpty());
    m_folder->setEnabled(!busy);
    m_close->setText(busy ? tr("Cancel") : tr("Close"));
    // A running export does not know how many pages it will write: the bar only moves.
    m_progress->setRange(0, busy ? 0 : 1);
    m_progress->setValue(0);
}

void QAExportHtmlDialog::fail(const QString& text)
{
    setBusy(false);
    m_progressLabel->setText(text);
}

QString QAExportHtmlDialog::prepareFolder(const QString& dir, QString* error)
{
    const QString target = QFileInfo(dir).absoluteFilePath();
    if (!QDir().mkpath(target)) {
        if (error)
            *error = tr("Cannot create the folder %1.").arg(QDir::toNativeSeparators(target));
        return QString();
    }
    // A folder can exist and still refuse files (permissions, a read-only mount).
    QTemporaryFile probe(target + QStringLiteral("/.export-write-test-XXXXXX"));
    if (!probe.open()) {
        if (error)
            *error = tr("Cannot write into the folder %1.").arg(QDir::toNativeSeparators(target));
        return QString();
    }
    return target;
}

bool QAExportHtmlDialog::exportNow()
{
    if (m_busy || !m_exporter)
        return false;
    const QString dir = folder();
    if (dir.isEmpty()) {
        fail(tr("Type or choose an output folder first."));
        return false;
    }
    QString error;
    const QString target = prepareFolder(dir, &error);
    if (target.isEmpty()) {
        fail(error);
        return false;
    }
    m_cancel = false;
    m_log->clear();
    setBusy(true);
    m_progressLabel->setText(tr("Exporting..."));
    QPointer<QAExportHtmlDialog> alive(this);
    const Outcome outcome = m_exporter(target, *this);
    if (!alive)
        return false;
    if (outcome.page.isEmpty()) {
        fail(outcome.canceled ? tr("Export cancelled; nothing was kept.")
                              : tr("Export failed: %1").arg(outcome.error));
        return false;
    }
    setBusy(false);
    m_progress->setValue(1);
    m_progressLabel->setText(tr("Exported %n file(s).", nullptr, outcome.files));
    QSettings(settingsFile(), QSettings::IniFormat)
        .setValue(FolderKey, target);
    if (openWhenDone()) {
        const QUrl url = QUrl::fromLocalFile(outcome.page);
        const bool opened = urlOpener() ? urlOpener()(url) : QDesktopServices::openUrl(url);
        if (!opened) {
            message(
                tr("Could not open %1 in a browser.").arg(QDir::toNativeSeparators(outcome.page)));
            return true; // stays open to say so
        }
    }
    accept();
    return true;
}

void QAExportHtmlDialog::reject()
{
    if (m_busy) {
        m_cancel = true;
        return;
    }
    QDialog::reject();
}
