#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
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
    // A null image when none reads; results are cached.
    QImage image(const QString& src) const;
    void clearImages() { m_images.clear(); }

private:
    mutable QHash<QString, QImage> m_images;
};
