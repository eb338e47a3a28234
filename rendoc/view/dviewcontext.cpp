#include "rendoc/view/dviewcontext.h"

#include "rendoc/aml/dregularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Images are only decoded up to this many pixels, so a hostile file cannot exhaust memory.
constexpr int MaxImageSide = 8192;
}

DViewContext::DViewContext()
{
    font.setPointSize(10);
}

QImage DViewContext::image(const QString& src) const
{
    if (src.isEmpty())
        return QImage();
    auto it = m_images.constFind(src);
    if (it != m_images.constEnd())
        return *it;
    QStringList candidates;
    if (QFileInfo(src).isAbsolute())
        candidates << src;
    else
        for (const QString& dir : searchPaths)
            candidates << QDir(dir).filePath(src);
    QImage result;
    for (const QString& path : candidates) {
        // Reading a named pipe would block the window until something writes to it.
        if (!DRegularFile::isRegular(path))
            continue;
        QImageReader reader(path);
        const QSize size = reader.size();
        if (size.isValid() && (size.width() > MaxImageSide || size.height() > MaxImageSide))
            continue;
        if (reader.read(&result))
            break;
    }
    m_images.insert(src, result);
    return result;
}
