#include "xrdview/cli/xrdhtmlexport.h"

#include "sdk/qastoutputwidget.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/cli/xrdheadlessrunner.h"
#include "xrdview/host/xrdstudio.h"
#include "sdk/qamodal.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString translated(const char* text, int n = -1)
{
    return QCoreApplication::translate("XrdHtmlExport", text, nullptr, n);
}

} // namespace

XrdHtmlExport::XrdHtmlExport(XrdStudio* studio) : m_studio(studio) {}

bool XrdHtmlExport::isCanceled() const
{
    if (m_studio && m_studio->progressDialog())
        QCoreApplication::processEvents();
    return m_studio && m_studio->progressCanceled();
}

void XrdHtmlExport::setProgress(int value)
{
    if (m_studio)
        m_studio->setProgress(value);
}

void XrdHtmlExport::message(const QString& text)
{
    // The plug-in's text for a linked report it could not read.
    const QString unreadable =
        QCoreApplication::translate("QAReporter", "Unable to open the report file '%1'");
    if (text.startsWith(unreadable.left(unreadable.indexOf(QLatin1String("%1")))))
        ++m_unreadable;
    QAStOutputWidget* pane = m_studio ? m_studio->outputWidget() : nullptr;
    if (pane)
        pane->append(text + QLatin1Char('\n'));
}

QHash<QString, QDateTime> XrdHtmlExport::snapshot(const QString& dir) const
{
    QHash<QString, QDateTime> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(it.fileInfo().absoluteFilePath(), it.fileInfo().lastModified());
    }
    return files;
}

bool XrdHtmlExport::run(QAStViewerWindow* window, const QString& dir)
{
    m_written.clear();
    m_error.clear();
    m_canceled = false;
    m_unreadable = 0;
    if (!window) {
        m_error = translated("There is no report to export.");
        return false;
    }
    const QString target = QFileInfo(dir).absoluteFilePath();
    if (!QDir().mkpath(target)) {
        m_error = translated("Cannot create the folder %1.").arg(QDir::toNativeSeparators(target));
        return false;
    }
    {
        QTemporaryFile probe(target + QStringLiteral("/.xrdview-write-test-XXXXXX"));
        if (!probe.open()) {
            m_error = translated("Cannot write into the folder %1.").arg(QDir::toNativeSeparators(target));
            return false;
        }
    }
    const QHash<QString, QDateTime> before = snapshot(target);
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

    if (m_studio)
        m_studio->startProgress(0, translated("Exporting HTML..."), translated("Cancel"), 0, 0);
    window->exportHTML(target, QString(), this, this);
    m_canceled = isCanceled();
    if (m_studio)
        m_studio->endProgress();

    const QHash<QString, QDateTime> after = snapshot(target);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const auto old = before.constFind(it.key());
        if (old == before.cend() || old.value() != it.value() || it.value() >= started)
            m_written << it.key();
    }
    m_written.sort();

    if (m_canceled || m_unreadable > 0 || m_written.isEmpty()) {
        if (m_canceled)
            m_error = translated("The export was cancelled.");
        else if (m_unreadable > 0)
            m_error = translated("%n linked report(s) could not be read.", m_unreadable);
        else
            m_error = translated("Nothing was written to %1.").arg(QDir::toNativeSeparators(target));
        // Only files this export created are removed; files it replaced are complete pages.
        for (const QString& file : std::as_const(m_written))
            if (!before.contains(file))
                QFile::remove(file);
        m_written.clear();
        return false;
    }
    return true;
}

bool XrdHtmlExport::exportToFolder(QAStViewerWindow* window, XrdStudio* studio, const QString& dir)
{
    XrdHtmlExport exporter(studio);
    if (!exporter.run(window, dir)) {
        XrdHeadlessRunner::printError(QStringLiteral("xrdview: ") + exporter.errorString());
        return false;
    }
    XrdHeadlessRunner::print(exporter.writtenFiles().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return true;
}

bool XrdHtmlExport::askAndExport(QWidget* parent, QAStViewerWindow* window, XrdStudio* studio)
{
    QFileDialog dialog(parent, translated("Export HTML to Folder"),
                       studio ? studio->exportDirectory() : QDir::homePath());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (QAModal::exec(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString dir = dialog.selectedFiles().constFirst();
    XrdHtmlExport exporter(studio);
    const bool ok = exporter.run(window, dir);
    if (ok)
        exporter.message(translated("Exported %n file(s) to %1", int(exporter.writtenFiles().size()))
                             .arg(QDir::toNativeSeparators(QFileInfo(dir).absoluteFilePath())));
    else if (!exporter.canceled())
        QAModal::warning(parent, translated("Export HTML"), exporter.errorString());
    else
        exporter.message(exporter.errorString());
    return ok;
}
