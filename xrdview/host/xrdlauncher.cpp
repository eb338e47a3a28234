#include "xrdview/host/xrdlauncher.h"

#include <QDesktopServices>
#include <QProcess>

namespace {

XrdLauncher::StartHook& startHook()
{
    static XrdLauncher::StartHook hook;
    return hook;
}

XrdLauncher::UrlHook& urlHook()
{
    static XrdLauncher::UrlHook hook;
    return hook;
}

} // namespace

bool XrdLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    if (startHook())
        return startHook()(program, arguments);
    return QProcess::startDetached(program, arguments);
}

bool XrdLauncher::openUrl(const QUrl& url)
{
    if (urlHook())
        return urlHook()(url);
    return QDesktopServices::openUrl(url);
}

void XrdLauncher::setStartHook(StartHook hook)
{
    startHook() = std::move(hook);
}

void XrdLauncher::setUrlHook(UrlHook hook)
{
    urlHook() = std::move(hook);
}
