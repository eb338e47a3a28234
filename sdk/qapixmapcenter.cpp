#include "sdk/qapixmapcenter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QAPixmapCenter::QAPixmapCenter() = default;

QAPixmapCenter::~QAPixmapCenter() = default;

void QAPixmapCenter::setSearchDirectories(const QStringList& dirs)
{
    m_dirs = dirs;
}

void QAPixmapCenter::addSearchDirectory(const QString& dir)
{
    if (!m_dirs.contains(dir))
        m_dirs.append(dir);
}

QString QAPixmapCenter::getPathByFileName(const QString& fileName) const
{
    if (fileName.isEmpty())
        return QString();
    const QFileInfo direct(fileName);
    if (direct.isAbsolute())
        return direct.isFile() ? fileName : QString();
    for (const QString& dir : m_dirs) {
        if (dir.isEmpty())
            continue;
        const QString path = QDir(dir).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

QPixmap QAPixmapCenter::getPixmapByFilePath(const QString& path, const char* format,
                                            Qt::ImageConversionFlags flags) const
{
    QPixmap pixmap;
    // Only regular files: loading a named pipe would block until something writes to it.
    if (!path.isEmpty() && QFileInfo(path).isFile())
        pixmap.load(path, format, flags);
    return pixmap;
}

QPixmap QAPixmapCenter::pixmap(const QString& name, const char* const* fallbackXpm)
{
    if (!name.isEmpty()) {
        QStringList candidates{ name + QLatin1String(".png"), name + QLatin1String(".xpm") };
        if (name.endsWith(QLatin1String("_xpm"))) {
            const QString base = name.chopped(4);
            candidates << base + QLatin1String(".png") << base + QLatin1String(".xpm");
        }
        for (const QString& candidate : candidates) {
            const QString path = getPathByFileName(candidate);
            if (path.isEmpty())
                continue;
            const QPixmap found = getPixmapByFilePath(path);
            if (!found.isNull())
                return found;
        }
    }
    if (!fallbackXpm)
        return QPixmap();
    auto it = m_builtin.constFind(name);
    if (it != m_builtin.constEnd())
        return it.value();
    const QPixmap built(fallbackXpm);
    m_builtin.insert(name, built);
    return built;
}

void QAPixmapCenter::clearCache()
{
    m_builtin.clear();
}

namespace {

void dropPixmaps()
{
    pixmapcenter()->clearCache();
}

} // namespace

QAPixmapCenter* pixmapcenter()
{
    // Lives as long as the process; its pixmaps are dropped while the
    // application object still exists.
    static QAPixmapCenter* center = [] {
        qAddPostRoutine(dropPixmaps);
        return new QAPixmapCenter;
    }();
    return center;
}
