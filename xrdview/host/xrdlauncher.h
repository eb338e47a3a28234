#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// The one way the viewer hands something to an outside program: a source
// file to the user's editor, a web address to the desktop's browser.
// Callers pass arguments that are already checked; this class only starts
// them. Tests install hooks, after which nothing is started: a hook sees
// exactly what would have been handed over and says whether it worked.
class XrdLauncher
{
public:
    using StartHook = std::function<bool(const QString& program, const QStringList& arguments)>;
    using UrlHook = std::function<bool(const QUrl& url)>;

    // Starts `program` with `arguments`, without a shell, and does not wait.
    static bool startDetached(const QString& program, const QStringList& arguments);
    // Opens `url` with the desktop's handler for its scheme.
    static bool openUrl(const QUrl& url);

    // An empty hook restores the real behaviour.
    static void setStartHook(StartHook hook);
    static void setUrlHook(UrlHook hook);
};
