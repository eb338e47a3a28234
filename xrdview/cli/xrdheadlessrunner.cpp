#include "xrdview/cli/xrdheadlessrunner.h"

#include "sdk/qastviewerplugin.h"
#include "sdk/qastviewerwindow.h"
#include "xrdview/cli/xrdhtmlexport.h"
#include "xrdview/cli/xrdreporttext.h"
#include "xrdview/host/xrdstudio.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

QString translated(const char* text)
{
    return QCoreApplication::translate("XrdHeadlessRunner", text);
}

// The file name as the host hands it to the plug-in: absolute and clean,
// so that the window's records and openedWindow agree on it.
QString hostPath(const QString& file)
{
    return QFileInfo(file).absoluteFilePath();
}

} // namespace

XrdHeadlessRunner::XrdHeadlessRunner(QAStViewerPlugin* plugin, XrdStudio* studio)
    : m_plugin(plugin), m_studio(studio)
{
}

XrdHeadlessRunner::~XrdHeadlessRunner() = default;

void XrdHeadlessRunner::exitNow(int status)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void XrdHeadlessRunner::print(const QString& text)
{
    // The plug-in may write to the same stream through the C++ streams.
    std::cout.flush();
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void XrdHeadlessRunner::printError(const QString& text)
{
    const QByteArray bytes = XrdReportText::withFinalNewline(text).toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int XrdHeadlessRunner::run(const XrdCommandLine& line)
{
    QStringList files;
    for (const QString& file : line.files)
        files << hostPath(file);

    QStringList none;
    m_window.reset(m_plugin->create(none, nullptr, "xrdview-report"));
    QAStViewerWindow* window = m_window.get();
    if (!window) {
        printError(translated("The plug-in did not create a report window."));
        return Error;
    }
    const ViewerMode mode = line.mode == XrdCommandLine::Summary ? ViewerSummary : ViewerNormal;
    window->setFiles(&files, nullptr, mode);
    std::cout.flush();
    std::fflush(stdout);

    bool allRead = true;
    for (const QString& file : files) {
        if (m_plugin->openedWindow(file) != window)
            allRead = false;
    }

    if (line.failedOnly
        && !QMetaObject::invokeMethod(window, "failedtests", Qt::DirectConnection)) {
        printError(translated("The report window cannot show failed tests only."));
        return Error;
    }
    for (const QString& type : line.hiddenTypes) {
        if (!QMetaObject::invokeMethod(window, "hideType", Qt::DirectConnection,
                                       Q_ARG(QString, type))) {
            printError(translated("The report window cannot hide node types."));
            return Error;
        }
    }

    int status = allRead ? Passed : Error;
    switch (line.mode) {
    case XrdCommandLine::Summary: {
        const std::optional<QAStViewerWindow::ResultTotals> totals = window->resultTotals();
        if (!totals && allRead) {
            printError(translated("The report window gave no results totals."));
            status = Error;
        } else if (allRead && totals->failed > 0) {
            status = Failed;
        }
        break;
    }
    case XrdCommandLine::PrintTree:
        if (const auto* view = qobject_cast<QAbstractItemView*>(window->contentOutlineWidget()))
            print(XrdReportText::outline(view->model()));
        break;
    case XrdCommandLine::PrintSummary:
        print(XrdReportText::withFinalNewline(window->plainText(QAStViewerWindow::SummaryText)));
        break;
    case XrdCommandLine::ExportHtml:
        if (allRead && !XrdHtmlExport::exportToFolder(window, m_studio, line.exportDir))
            status = Error;
        break;
    case XrdCommandLine::PrintText:
        print(XrdReportText::withFinalNewline(window->plainText(QAStViewerWindow::DocumentText)));
        break;
    default:
        break;
    }
    return status;
}
