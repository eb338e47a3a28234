#pragma once

#include <QHash>
#include <QPixmap>
#include <QStringList>

// The process's pixmap store: finds image files in its search directories
// and keeps the pixmaps built from compiled-in XPM data, one per name.
class QAPixmapCenter
{
public:
    QAPixmapCenter();
    ~QAPixmapCenter();

    void setSearchDirectories(const QStringList& dirs);
    void addSearchDirectory(const QString& dir);
    QStringList searchDirectories() const { return m_dirs; }

    // Path of `fileName` in the first search directory holding it; an
    // existing absolute path as it is; empty when not found.
    QString getPathByFileName(const QString& fileName) const;
    // The image at `path`, or a null pixmap when it cannot be read.
    QPixmap getPixmapByFilePath(const QString& path, const char* format = nullptr,
                                Qt::ImageConversionFlags flags = Qt::AutoColor) const;

    // The pixmap called `name`: an image file "<name>.png" or "<name>.xpm"
    // (for a name ending in "_xpm" also the name without it) from the search
    // directories, else the one built from `fallbackXpm`, else null.
    QPixmap pixmap(const QString& name, const char* const* fallbackXpm = nullptr);

    // Drops the pixmaps built from XPM data.
    void clearCache();

private:
    QStringList m_dirs;
    QHash<QString, QPixmap> m_builtin;
};

// The one pixmap centre of the process.
QAPixmapCenter* pixmapcenter();
