#include "xrdview/cli/xrdhtmlexport.h"

#include "sdk/qastoutputwidget.h"
#include "sdk/qastreportsession.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/cli/xrdheadlessrunner.h"
#include "xrdview/host/xrdstudio.h"
#include "sdk/qaexporthtmldialog.h"
#include "sdk/qamodal.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

XrdHtmlExport::XrdHtmlExport(XrdStudio* studio) : m_studio(studio) {}

bool XrdHtmlExport::isCanceled() const
{
    if (m_progress)
        return m_progress->isCanceled();
    if (m_studio && m_studio->progressDialog())
        QCoreApplication::processEvents();
    return m_studio && m_studio->progressCanceled();
}

void XrdHtmlExport::setProgress(int value)
{
    if (m_progress)
        m_progress->setProgress(value);
    else if (m_studio)
        m_studio->setProgress(value);
}

void XrdHtmlExport::message(const QString& text)
{
    // A viewer without a session says only through its log that a linked report could not
    // be read: its text for that is counted.
    const QString unreadable =
        QCoreApplication::translate("QAReporter", "Unable to open the report file '%1'");
    if (text.startsWith(unreadable.left(unreadable.indexOf(QLatin1String("%1")))))
        ++m_unreadable;
    if (m_log)
        m_log->message(text);
    else if (QAStOutputWidget* pane = m_studio ? m_studio->outputWidget() : nullptr)
        pane->append(text + QLatin1Char('\n'));
    else
        XrdHeadlessRunner::printError(text);
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

bool XrdHtmlExport::run(QAStReportSession* session, const QString& dir)
{
    m_written.clear();
    m_error.clear();
    m_canceled = false;
    m_unreadable = 0;
    if (!session) {
        m_error = QCoreApplication::translate("XrdHtmlExport", "There is no report to export.");
        return false;
    }
    const QString target = QAExportHtmlDialog::prepareFolder(dir, &m_error);
    if (target.isEmpty())
        return false;
    const QHash<QString, QDateTime> before = snapshot(target);

    if (m_studio && !m_progress)
        m_studio->startProgress(0, QCoreApplication::translate("XrdHtmlExport", "Exporting HTML..."),
                                QCoreApplication::translate("XrdHtmlExport", "Cancel"), 0, 0);
    const QAStExportResult result = session->exportHtml(target, this, this);
    m_canceled = result.canceled || isCanceled();
    if (m_studio && !m_progress)
        m_studio->endProgress();

    m_written = result.written;
    m_written.sort();
    m_unreadable = int(result.unreadable.size());
    // A linked report that cannot be read is named in the log and its links lead nowhere;
    // the rest of the export stands.
    if (m_canceled || !result.failedPages.isEmpty() || m_written.isEmpty()) {
        undo(target, before, int(result.failedPages.size()));
        return false;
    }
    return true;
}

bool XrdHtmlExport::run(QAStViewerWindow* window, const QString& dir)
{
    if (window && window->session())
        return run(window->session(), dir);
    m_written.clear();
    m_error.clear();
    m_canceled = false;
    m_unreadable = 0;
    if (!window) {
        m_error = QCoreApplication::translate("XrdHtmlExport", "There is no report to export.");
        return false;
    }
    const QString target = QAExportHtmlDialog::prepareFolder(dir, &m_error);
    return !target.isEmpty() && runWindow(window, target);
}

bool XrdHtmlExport::runWindow(QAStViewerWindow* window, const QString& target)
{
    const QHash<QString, QDateTime> before = snapshot(target);
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

    if (m_studio && !m_progress)
        m_studio->startProgress(0, QCoreApplication::translate("XrdHtmlExport", "Exporting HTML..."),
                                QCoreApplication::translate("XrdHtmlExport", "Cancel"), 0, 0);
    window->exportHTML(target, QString(), this, this);
    m_canceled = isCanceled();
    if (m_studio && !m_progress)
        m_studio->endProgress();

    const QHash<QString, QDateTime> after = snapshot(target);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const auto old = before.constFind(it.key());
        if (old == before.cend() || old.value() != it.value() || it.value() >= started)
            m_written << it.key();
    }
    m_written.sort();

    // As with a session: a linked report that cannot be read is named in the log (counted by
    // message()) and the pages written stand.
    if (m_canceled || m_written.isEmpty()) {
        undo(target, before, 0);
        return false;
    }
    return true;
}

void XrdHtmlExport::undo(const QString& target, const QHash<QString, QDateTime>& before, int failedPages)
{
    if (m_canceled)
        m_error = QCoreApplication::translate("XrdHtmlExport", "The export was cancelled.");
    else if (failedPages > 0)
        m_error = QCoreApplication::translate("XrdHtmlExport", "%n page(s) could not be written.", nullptr, failedPages);
    else
        m_error = QCoreApplication::translate("XrdHtmlExport", "Nothing was written to %1.")
                      .arg(QDir::toNativeSeparators(target));
    // Only files this export created are removed; files it replaced are complete pages.
    QSet<QString> folders;
    for (const QString& file : std::as_const(m_written)) {
        if (!before.contains(file) && QFile::remove(file))
            folders.insert(QFileInfo(file).absolutePath());
    }
    // A folder the export made for its images goes too once it is empty (rmdir keeps others).
    const QString top = QDir(target).absolutePath();
    for (const QString& folder : std::as_const(folders))
        for (QString dir = folder; dir.startsWith(top + QLatin1Char('/')) && QDir().rmdir(dir);)
            dir = QFileInfo(dir).absolutePath();
    m_written.clear();
}

bool XrdHtmlExport::exportToFolder(QAStReportSession* session, XrdStudio* studio, const QString& dir)
{
    XrdHtmlExport exporter(studio);
    if (!exporter.run(session, dir)) {
        XrdHeadlessRunner::printError(QStringLiteral("xrdview: ") + exporter.errorString());
        return false;
    }
    XrdHeadlessRunner::print(exporter.writtenFiles().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return true;
}

QString XrdHtmlExport::summaryPage(const QStringList& files, const QString& dir)
{
    const QString top = QDir(dir).absolutePath();
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (info.absolutePath() == top && info.completeBaseName() == QLatin1String("index"))
            return info.absoluteFilePath();
    }
    return files.isEmpty() ? QString() : files.constFirst();
}

bool XrdHtmlExport::askAndExport(QWidget* parent, QAStViewerWindow* window, XrdStudio* studio)
{
    const QString what = QCoreApplication::translate(
        "XrdHtmlExport",
        "Exports all loaded reports, the reports they link to and the results summary.");
    QString done;
    QAExportHtmlDialog dialog(
        what,
        [window, studio, &done](const QString& dir, QAExportHtmlDialog& monitors) {
            XrdHtmlExport exporter(studio);
            exporter.setMonitors(&monitors, &monitors);
            QAExportHtmlDialog::Outcome outcome;
            if (exporter.run(window, dir)) {
                outcome.page = summaryPage(exporter.writtenFiles(), dir);
                outcome.files = int(exporter.writtenFiles().size());
                done = QCoreApplication::translate("XrdHtmlExport", "Exported %n file(s) to %1",
                                                   nullptr, outcome.files)
                           .arg(QDir::toNativeSeparators(dir));
            } else {
                outcome.error = exporter.errorString();
                outcome.canceled = exporter.canceled();
            }
            return outcome;
        },
        parent);
    QAModal::exec(&dialog);
    if (done.isEmpty())
        return false;
    XrdHtmlExport(studio).message(done);
    return true;
}
