#include "xrdview/host/xrdpluginloader.h"

#include "sdk/qastviewerplugin.h"
#include "xrdview/host/xrdpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

using VerificationFunction = const char* (*)();
using InstantiateFunction = QUnknownInterface* (*)();

} // namespace

const char* const XrdPluginLoader::VerificationText =
    "pattern=QT_UCM_VERIFICATION_DATA\nversion=3.3.5\nflags=11\nbuildkey=unspecified";

XrdPluginLoader::XrdPluginLoader() = default;

XrdPluginLoader::~XrdPluginLoader()
{
    // Drop the creator's reference; the library itself stays mapped
    // (QLibrary does not unload on destruction).
    if (m_plugin)
        m_plugin->release();
}

QString XrdPluginLoader::findPlugin(const QStringList& dirs)
{
    for (const QString& dir : dirs) {
        for (const QString& name : XrdPaths::pluginFileNames()) {
            const QFileInfo info(QDir(dir), name);
            if (info.isFile())
                return info.absoluteFilePath();
        }
    }
    return QString();
}

bool XrdPluginLoader::loadFrom(const QStringList& dirs)
{
    const QString path = findPlugin(dirs);
    if (path.isEmpty()) {
        QStringList shown;
        for (const QString& dir : dirs)
            shown << QStringLiteral("  ") + QDir::toNativeSeparators(dir);
        return fail(tr("The report viewer plug-in (%1) was not found. Searched:\n%2\n"
                       "Set XRDVIEW_PLUGIN_PATH to the directory that holds it.")
                        .arg(XrdPaths::pluginFileNames().constFirst(),
                             shown.join(QLatin1Char('\n'))));
    }
    return load(path);
}

bool XrdPluginLoader::load(const QString& path)
{
    if (m_plugin)
        return fail(tr("A plug-in is already loaded from %1.").arg(m_fileName));
    m_fileName = path;
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load())
        return fail(tr("Cannot load the plug-in %1: %2").arg(path, library->errorString()));

    auto verify = reinterpret_cast<VerificationFunction>(
        library->resolve("qt_ucm_query_verification_data"));
    auto instantiate = reinterpret_cast<InstantiateFunction>(library->resolve("ucm_instantiate"));
    if (!verify || !instantiate) {
        library->unload();
        return fail(tr("%1 is not a viewer plug-in: the entry points "
                       "qt_ucm_query_verification_data and ucm_instantiate are missing.")
                        .arg(path));
    }
    // Copied before anything else: the text lives in the library.
    const char* raw = verify();
    const QByteArray text = raw ? QByteArray(raw) : QByteArray();
    if (!raw || text != VerificationText) {
        library->unload();
        const QString found = raw ? QString::fromLatin1(text).replace(QLatin1Char('\n'),
                                                                      QLatin1String("; "))
                                  : tr("none");
        return fail(tr("The plug-in %1 was refused: its verification data (%2) does "
                               "not match this host's (%3).")
                        .arg(path, found,
                             QString::fromLatin1(VerificationText)
                                 .replace(QLatin1Char('\n'), QLatin1String("; "))));
    }

    QUnknownInterface* iface = instantiate();
    if (!iface)
        return fail(tr("The plug-in %1 did not create its plug-in object.").arg(path));
    QAStViewerPlugin* plugin = QAStViewerPlugin::fromInterface(iface);
    if (!plugin) {
        iface->release();
        return fail(tr("The plug-in %1 does not offer a viewer plug-in interface.").arg(path));
    }
    m_plugin = plugin;
    m_library = std::move(library);
    m_error.clear();
    return true;
}

bool XrdPluginLoader::fail(const QString& error)
{
    m_error = error;
    return false;
}
