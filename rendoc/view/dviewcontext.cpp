#include "rendoc/view/dviewcontext.h"

#include "rendoc/aml/dregularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {
// Images are only decoded up to this many pixels, so a hostile file cannot exhaust memory.
constexpr int MaxImageSide = 8192;
// Decoded images kept for reuse, in KiB: 256 MiB.
constexpr int MaxCachedKiB = 256 * 1024;

int costOf(const QImage& image)
{
    return int(qMax<qsizetype>(1, image.sizeInBytes() / 1024));
}
} // namespace

DViewContext::DViewContext()
    : m_images(MaxCachedKiB)
{
    font.setPointSize(10);
}

void DViewContext::clearImages()
{
    m_files.clear();
    m_images.clear();
    m_undecodable.clear();
}

QImage DViewContext::image(const QString& src) const
{
    if (src.isEmpty())
        return QImage();
    const auto known = m_files.constFind(src);
    if (known != m_files.constEnd()) {
        if (known->isEmpty())
            return QImage();
        if (const QImage* cached = m_images.object(*known))
            return *cached;
    }
    return decodeFirst(src);
}

// Tries the candidate files of src in order and decodes the first that reads, unless the
// same file (under another spelling) is decoded already.
QImage DViewContext::decodeFirst(const QString& src) const
{
    QStringList candidates;
    if (QFileInfo(src).isAbsolute())
        candidates << src;
    else
        for (const QString& dir : searchPaths)
            candidates << QDir(dir).filePath(src);
    for (const QString& path : candidates) {
        // Reading a named pipe would block the window until something writes to it.
        if (!DRegularFile::isRegular(path))
            continue;
        const QString file = QFileInfo(path).canonicalFilePath();
        if (file.isEmpty() || m_undecodable.contains(file))
            continue;
        if (const QImage* cached = m_images.object(file)) {
            m_files.insert(src, file);
            return *cached;
        }
        QImageReader reader(file);
        const QSize size = reader.size();
        QImage result;
        if ((size.isValid() && (size.width() > MaxImageSide || size.height() > MaxImageSide))
            || !reader.read(&result)) {
            m_undecodable.insert(file);
            continue;
        }
        m_files.insert(src, file);
        m_images.insert(file, new QImage(result), costOf(result));
        return result;
    }
    m_files.insert(src, QString());
    return QImage();
}
