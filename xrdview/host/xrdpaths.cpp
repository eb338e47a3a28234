#include "xrdview/host/xrdpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString XrdPaths::installDirectory()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}

QStringList XrdPaths::pluginDirectories()
{
    QStringList dirs;
    const QString env = qEnvironmentVariable("XRDVIEW_PLUGIN_PATH");
    for (const QString& dir : env.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        dirs << QDir::cleanPath(dir);
    dirs << QCoreApplication::applicationDirPath();
    dirs << QDir::cleanPath(installDirectory() + QLatin1Char('/')
                            + QStringLiteral(XRDVIEW_PLUGIN_SUBDIR));
    dirs.removeDuplicates();
    return dirs;
}

QStringList XrdPaths::pluginFileNames()
{
    return { QStringLiteral("korvatreporter.so"), QStringLiteral("libkorvatreporter.so") };
}

QString XrdPaths::resourceFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)
           + QStringLiteral("/resources.xml");
}

QString XrdPaths::examplesDirectory()
{
    const QStringList candidates{
        installDirectory() + QLatin1Char('/') + QStringLiteral(XRDVIEW_EXAMPLES_SUBDIR),
        QStringLiteral(XRDVIEW_SOURCE_EXAMPLES),
    };
    for (const QString& dir : candidates) {
        if (QFileInfo(dir).isDir())
            return QDir::cleanPath(dir);
    }
    return QString();
}
