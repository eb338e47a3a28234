#pragma once

#include <QString>
#include <QStringList>

// Where the host finds its parts. The build tree and an installation share
// one layout relative to the executable: <dir>/bin/xrdview, the plug-in
// beside it (build tree) or under <dir>/<plug-in subdirectory> (installed),
// and the style file at <dir>/lib/reporterstyle.aml.
class XrdPaths
{
public:
    // The directory above the executable's folder.
    static QString installDirectory();
    // Directories searched for the plug-in, in order: those named by
    // XRDVIEW_PLUGIN_PATH (':'-separated), the executable's folder, the
    // installed plug-in folder.
    static QStringList pluginDirectories();
    // File names a plug-in library may have in those directories.
    static QStringList pluginFileNames();
    // The settings file holding the resource tree.
    static QString resourceFile();
    // The installed example reports, or the source tree's in a build tree;
    // empty when neither exists.
    static QString examplesDirectory();
};
