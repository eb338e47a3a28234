#include "xrdview/gui/xrddefectpage.h"

#include "sdk/qamodal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

XrdDefectPage::XrdDefectPage(const QString& settingsFile, QObject* parent)
    : PreferenceItem(tr("Defect tracker"), QStringLiteral("DEFECT_TRACKER"),
                     tr("Where the \"New defect\" dialog submits defects."), parent),
      m_file(settingsFile),
      m_values(XrdDefectSettings::load(settingsFile))
{
}

XrdDefectPage::~XrdDefectPage() = default;

QWidget* XrdDefectPage::createWidget(QWidget* parent)
{
    auto* page = new QWidget(parent);
    m_kind = new QComboBox(page);
    // Item order follows XrdDefectSettings::Kind.
    m_kind->addItem(tr("None"));
    m_kind->addItem(tr("Command"));
    m_kind->addItem(tr("Folder"));
    m_command = new QLineEdit(page);
    m_command->setPlaceholderText(QStringLiteral("gh issue create --title %t --body-file %d"));
    m_commandHelp = new QLabel(
        tr("%t is replaced by the headline, %d by the path of a file holding the "
                   "description, %a by the attachment paths (one argument each), %% by a "
                   "percent sign. The command runs without a shell: quotes group words, every "
                   "replacement stays one argument. What it prints is shown in the Output dock."),
        page);
    m_commandHelp->setWordWrap(true);
    m_folder = new QLineEdit(page);
    m_folder->setPlaceholderText(tr("Folder that receives one Markdown file per defect"));
    m_browse = new QToolButton(page);
    m_browse->setText(tr("Browse..."));
    m_browse->setToolTip(tr("Choose the folder that receives the defects"));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    m_trace = new QCheckBox(tr("Trace the tracker's command lines in the Output dock"), page);
    m_timeout = new QSpinBox(page);
    m_timeout->setRange(1, 3600);
    m_timeout->setSuffix(tr(" s"));
    m_timeout->setToolTip(tr("A tracker command still running after this time is stopped"));

    auto* form = new QFormLayout;
    form->addRow(tr("&Tracker:"), m_kind);
    form->addRow(tr("&Command:"), m_command);
    form->addRow(QString(), m_commandHelp);
    form->addRow(tr("&Folder:"), folderRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(folderRow)))
        label->setBuddy(m_folder);
    form->addRow(QString(), m_trace);
    form->addRow(tr("&Stop after:"), m_timeout);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch(1);

    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_updating)
            return;
        m_values.kind = XrdDefectSettings::Kind(index);
        enableFields();
    });
    connect(m_command, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_values.command = text;
        // Typing a command chooses the command tracker when none was chosen.
        if (m_values.kind == XrdDefectSettings::None && !text.trimmed().isEmpty())
            m_kind->setCurrentIndex(XrdDefectSettings::Command);
    });
    connect(m_folder, &QLineEdit::textEdited, this, &XrdDefectPage::setFolder);
    connect(m_browse, &QToolButton::clicked, this, &XrdDefectPage::browseFolder);
    connect(m_trace, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating)
            m_values.trace = on;
    });
    connect(m_timeout, &QSpinBox::valueChanged, this, [this](int seconds) {
        if (!m_updating)
            m_values.timeoutSeconds = seconds;
    });
    return page;
}

void XrdDefectPage::setFolder(const QString& folder)
{
    m_values.folder = folder;
    // Naming a folder chooses the folder tracker when none was chosen.
    if (m_values.kind == XrdDefectSettings::None && !folder.trimmed().isEmpty())
        m_kind->setCurrentIndex(XrdDefectSettings::Folder);
}

void XrdDefectPage::browseFolder()
{
    const QString current = m_folder->text().trimmed();
    QFileDialog dialog(m_browse->window(), tr("Defect Folder"),
                       current.isEmpty() || !QDir(current).exists() ? QDir::homePath() : current);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (QAModal::exec(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString folder = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    m_folder->setText(folder);
    setFolder(folder);
}

void XrdDefectPage::enableFields()
{
    if (!m_kind)
        return;
    const bool command = m_values.kind == XrdDefectSettings::Command;
    m_commandHelp->setEnabled(command);
    m_trace->setEnabled(command);
    m_timeout->setEnabled(command);
    m_folder->setEnabled(m_values.kind != XrdDefectSettings::Command);
    m_browse->setEnabled(m_values.kind != XrdDefectSettings::Command);
    m_command->setEnabled(m_values.kind != XrdDefectSettings::Folder);
}

void XrdDefectPage::updateContents()
{
    if (!m_kind)
        return;
    m_updating = true;
    m_kind->setCurrentIndex(m_values.kind);
    m_command->setText(m_values.command);
    m_folder->setText(m_values.folder);
    m_trace->setChecked(m_values.trace);
    m_timeout->setValue(m_values.timeoutSeconds);
    m_updating = false;
    enableFields();
}

void XrdDefectPage::apply()
{
    if (m_file.isEmpty() || m_values.save(m_file))
        return;
    // The choice stays on the page; only the file could not take it.
    QAModal::warning(m_kind ? m_kind->window() : nullptr,
                     tr("Defect tracker"), tr("The defect tracker settings could not be saved to %1.")
                         .arg(QDir::toNativeSeparators(m_file)));
}

void XrdDefectPage::cancel()
{
    m_values = XrdDefectSettings::load(m_file);
}

void XrdDefectPage::defaults()
{
    m_values = XrdDefectSettings();
}
