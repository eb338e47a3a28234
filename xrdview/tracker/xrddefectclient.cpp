#include "xrdview/tracker/xrddefectclient.h"

#include "sdk/qamodal.h"
#include "xrdview/tracker/xrdcommandtracker.h"
#include "xrdview/gui/xrddefectdialog.h"
#include "xrdview/tracker/xrdfoldertracker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

XrdDefectClient::XrdDefectClient() = default;

XrdDefectClient::~XrdDefectClient() = default;

void XrdDefectClient::setSettings(const XrdDefectSettings& settings)
{
    m_settings = settings;
    setCmdLineTracing(settings.trace);
}

short XrdDefectClient::fail(const QString& message)
{
    setErrorMessage(message.toLocal8Bit());
    return 0;
}

void XrdDefectClient::tracePreview()
{
    if (m_settings.kind == XrdDefectSettings::Command) {
        const XrdCommandTracker tracker(m_settings.command);
        setCmdLine(XrdCommandTracker::displayLine(
                       tracker.arguments(m_form, tr("<description file>")))
                       .toLocal8Bit());
    } else {
        setCmdLine(destination().toLocal8Bit());
    }
}

QString XrdDefectClient::destination() const
{
    switch (m_settings.kind) {
    case XrdDefectSettings::Command:
        return tr("command: %1").arg(m_settings.command);
    case XrdDefectSettings::Folder:
        return tr("folder: %1").arg(QDir::toNativeSeparators(m_settings.folder));
    case XrdDefectSettings::None:
        break;
    }
    return tr("none configured");
}

short XrdDefectClient::establishConnection()
{
    return 1;
}

short XrdDefectClient::createForm()
{
    m_form = XrdDefect();
    m_formOpen = true;
    tracePreview();
    return 1;
}

short XrdDefectClient::setHeadLine(const char* headline)
{
    if (!m_formOpen)
        return fail(tr("No defect form was created."));
    m_form.headline = QString::fromLocal8Bit(headline);
    tracePreview();
    return 1;
}

short XrdDefectClient::setDescription(const char* description)
{
    if (!m_formOpen)
        return fail(tr("No defect form was created."));
    m_form.description = QString::fromLocal8Bit(description);
    tracePreview();
    return 1;
}

short XrdDefectClient::addFileAttachment(const char* path, const char* description)
{
    if (!m_formOpen)
        return fail(tr("No defect form was created."));
    const QString file = QString::fromLocal8Bit(path);
    if (!QFileInfo(file).isFile())
        return fail(tr("The attachment \"%1\" is not a readable file.").arg(file));
    m_form.attachments << XrdDefect::Attachment{ QFileInfo(file).absoluteFilePath(),
                                                 QString::fromLocal8Bit(description) };
    tracePreview();
    return 1;
}

short XrdDefectClient::showMerrowDefectWindow(short)
{
    if (!m_formOpen)
        return fail(tr("No defect form was created."));
    m_formOpen = false;
    XrdDefectDialog dialog(
        m_form, destination(),
        [this](const XrdDefect& defect, QString* error, const XrdDefectDialog::CancelQuery& canceled) {
            return submit(defect, error, canceled);
        },
        m_parent);
    QAModal::exec(&dialog);
    return 1;
}

bool XrdDefectClient::submit(const XrdDefect& defect, QString* error, const std::function<bool()>& canceled)
{
    QString result;
    bool done = false;
    switch (m_settings.kind) {
    case XrdDefectSettings::Command: {
        QString line;
        XrdCommandTracker tracker(m_settings.command);
        tracker.setTimeoutSeconds(m_settings.timeoutSeconds);
        done = tracker.submit(defect, &result, error, &line, canceled);
        setCmdLine(line.toLocal8Bit());
        break;
    }
    case XrdDefectSettings::Folder:
        done = XrdFolderTracker(m_settings.folder).submit(defect, &result, error);
        if (done)
            result = QDir::toNativeSeparators(result);
        break;
    case XrdDefectSettings::None:
        *error = tr("No defect tracker is configured.");
        break;
    }
    if (!done) {
        setErrorMessage(error->toLocal8Bit());
        if (m_report)
            m_report(tr("Defect not submitted: %1\n").arg(*error));
        return false;
    }
    if (m_report) {
        m_report(result.isEmpty() ? tr("Defect submitted.\n")
                                  : tr("Defect submitted: %1\n").arg(result));
    }
    return true;
}
