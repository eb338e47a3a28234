#include "rendoc/html/dexporthtmldialog.h"

#include "rendoc/model/ddocument.h"
#include "rendoc/html/dexporthtml.h"
#include "rendoc/html/dhtmlwriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

DExportHtmlDialog::DExportHtmlDialog(DDocument* document, const QString& configFile,
                                     QWidget* parent, const char* name)
    : QDialog(parent), m_document(document), m_configFile(configFile)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Export HTML"));

    m_chooseFolder = [](QWidget* owner, const QString& caption, const QString& start) {
        return QFileDialog::getExistingDirectory(owner, caption, start);
    };
    m_openPage = [](const QString& page) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(page));
    };

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* row = new QHBoxLayout;
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("folder"));
    // The documents folder: the configuration's folder holds settings, not exports.
    QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (start.isEmpty())
        start = QDir::homePath();
    m_folder->setText(QDir::toNativeSeparators(start));
    auto* browseButton = new QPushButton(tr("Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browse"));
    row->addWidget(m_folder, 1);
    row->addWidget(browseButton);
    form->addRow(tr("Output folder:"), row);
    auto* page = new QLabel(this);
    page->setObjectName(QStringLiteral("page"));
    form->addRow(tr("Document:"), page);
    layout->addLayout(form);
    m_open = new QCheckBox(tr("Open in browser when done"), this);
    m_open->setObjectName(QStringLiteral("open"));
    m_open->setChecked(true);
    layout->addWidget(m_open);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_status);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("messages"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(1000);
    m_log->setPlaceholderText(tr("Messages of the export appear here."));
    m_log->setFixedHeight(90);
    layout->addWidget(m_log);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_export = m_buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    m_export->setDefault(true);
    layout->addWidget(m_buttons);

    if (m_document) {
        DExportHtml probe(QString(), m_configFile);
        page->setText(probe.fileNameFor(m_document));
    } else {
        page->setText(tr("(no document)"));
        m_export->setEnabled(false);
    }
    connect(browseButton, &QPushButton::clicked, this, &DExportHtmlDialog::browse);
    connect(m_export, &QPushButton::clicked, this, &DExportHtmlDialog::generate);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &DExportHtmlDialog::reject);
    resize(520, sizeHint().height());
}

DExportHtmlDialog::~DExportHtmlDialog() = default;

void DExportHtmlDialog::setHTMLWriter(DHTMLWriter* writer, bool owned)
{
    if (m_ownedWriter.get() != writer)
        m_ownedWriter.reset(owned ? writer : nullptr);
    else if (!owned)
        m_ownedWriter.release();
    m_writer = writer;
}

void DExportHtmlDialog::setOutputDir(const QString& dir)
{
    m_folder->setText(QDir::toNativeSeparators(dir));
}

QString DExportHtmlDialog::outputDir() const
{
    return QDir::fromNativeSeparators(m_folder->text().trimmed());
}

void DExportHtmlDialog::setOpenWhenDone(bool on)
{
    m_open->setChecked(on);
}

bool DExportHtmlDialog::openWhenDone() const
{
    return m_open->isChecked();
}

QString DExportHtmlDialog::messages() const
{
    return m_log->toPlainText();
}

void DExportHtmlDialog::browse()
{
    const QString dir = m_chooseFolder(this, tr("Export HTML to"), outputDir());
    if (!dir.isEmpty())
        setOutputDir(dir);
}

bool DExportHtmlDialog::isCanceled() const
{
    // Keeps the dialog responsive while the page is written, so Cancel can be pressed.
    if (!m_eventTimer.isValid() || m_eventTimer.elapsed() > 50) {
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        m_eventTimer.restart();
    }
    return m_cancel;
}

void DExportHtmlDialog::message(const QString& text)
{
    m_log->appendPlainText(text);
}

void DExportHtmlDialog::setBusy(bool busy)
{
    m_busy = busy;
    m_export->setEnabled(!busy && m_document);
    m_folder->setEnabled(!busy);
    m_progress->setRange(0, busy ? 0 : 1);
    m_progress->setValue(busy ? 0 : 1);
    m_buttons->button(QDialogButtonBox::Close)
        ->setText(busy ? tr("Cancel") : tr("Close"));
}

bool DExportHtmlDialog::generate()
{
    if (m_busy || !m_document)
        return false;
    m_writtenPage.clear();
    const QString dir = outputDir();
    if (dir.isEmpty()) {
        m_status->setText(tr("Choose an output folder first."));
        return false;
    }
    if (!m_writer) {
        m_ownedWriter = std::make_unique<DHTMLWriter>();
        m_writer = m_ownedWriter.get();
    }
    DExportHtml exporter(dir, m_configFile);
    exporter.setPixmapDir(m_pixmapDir);
    exporter.setHTMLWriter(m_writer);
    m_cancel = false;
    m_status->setText(tr("Writing %1...").arg(exporter.fileNameFor(m_document)));
    setBusy(true);
    QPointer<DExportHtmlDialog> alive(this);
    const bool ok = exporter.generate(m_document, this, this);
    if (!alive)
        return ok;
    setBusy(false);
    if (!ok) {
        m_status->setText(m_cancel ? tr("Export cancelled; no page was written.")
                                   : tr("Export failed: %1").arg(exporter.errorString()));
        m_status->setStyleSheet(m_cancel ? QString() : QStringLiteral("color:#c62828"));
        return false;
    }
    m_writtenPage = QDir(dir).filePath(exporter.fileNameFor(m_document));
    m_status->setStyleSheet(QString());
    m_status->setText(tr("Written: %1").arg(QDir::toNativeSeparators(m_writtenPage)));
    emit generated(m_writtenPage);
    if (openWhenDone() && !m_openPage(m_writtenPage))
        message(tr("Could not open %1 in a browser.").arg(m_writtenPage));
    return true;
}

void DExportHtmlDialog::reject()
{
    if (m_busy) {
        m_cancel = true;
        return;
    }
    QDialog::reject();
}
