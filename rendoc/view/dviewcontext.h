#pragma once

#include <QCache>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QStringList>

// Settings shared by everything that builds and lays out blocks for one view (or one print
// run): default font and colours, wrapping, and the image search path with its image cache.
class DViewContext
{
public:
    DViewContext();

    QFont font;
    QColor textColor = QColor(0x20, 0x20, 0x20);
    QColor linkColor = QColor(0x1a, 0x5f, 0xb4);
    QColor borderColor = QColor(0xa8, 0xa8, 0xa8);
    QStringList searchPaths;
    bool wordWrap = true;

    // The image that src names: an absolute path, else the first search path that holds it.
    // A null image when none reads. Images are decoded once per file, however src spells
    // its path, and kept in a cache bounded in memory.
    QImage image(const QString& src) const;
    void clearImages();

private:
    QImage decodeFirst(const QString& src) const;

    // src as written → canonical path of the file it resolved to ("" when none read).
    mutable QHash<QString, QString> m_files;
    // Canonical path → decoded image; cost in KiB.
    mutable QCache<QString, QImage> m_images;
    // Canonical paths of files that exist but do not decode.
    mutable QSet<QString> m_undecodable;
};
