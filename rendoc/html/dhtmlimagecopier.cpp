#include "rendoc/html/dhtmlimagecopier.h"

#include "rendoc/html/dexportfile.h"
#include "rendoc/html/dhtmlwriter.h"
#include "rendoc/html/dlogmonitor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

void DHTMLImageCopier::log(const QString& text) const
{
    if (DLogMonitor* monitor = m_writer.logMonitor())
        monitor->message(text);
}

QString DHTMLImageCopier::href(const QString& src, QStringList& written)
{
    if (auto found = m_hrefs.constFind(src); found != m_hrefs.cend())
        return found.value();
    const QString path = sourcePath(src);
    QString href;
    const QString notFound = QCoreApplication::translate("DHTMLWriter", "Image not found: %1").arg(src);
    // Only files inside the scope are looked at, and only those that read as images are copied.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        log(notFound);
    else if (const QString why = refusal(path); !why.isEmpty())
        log(why);
    else if (QImageReader::imageFormat(path).isEmpty())
        log(notFound);
    else if (folderReady())
        href = copy(path, written);
    m_hrefs.insert(src, href);
    return href;
}

QString DHTMLImageCopier::sourcePath(const QString& src) const
{
    const QString& pixmapDir = m_writer.pixmapDir();
    const QString& outputDir = m_writer.outputDir();
    if (QFileInfo(src).isAbsolute())
        return src;
    if (!pixmapDir.isEmpty() && QFileInfo::exists(QDir(pixmapDir).filePath(src)))
        return QDir(pixmapDir).filePath(src);
    if (!outputDir.isEmpty() && QFileInfo::exists(QDir(outputDir).filePath(src)))
        return QDir(outputDir).filePath(src);
    return QString();
}

QString DHTMLImageCopier::refusal(const QString& path) const
{
    if (!m_writer.scope().contains(path))
        return QCoreApplication::translate(
                   "DHTMLWriter", "Image outside the report's folder and the image folder, not copied: %1")
            .arg(path);
    if (QFileInfo(path).size() > MaxBytes)
        return QCoreApplication::translate("DHTMLWriter", "Image larger than %1 MiB, not copied: %2")
            .arg(MaxBytes / (1024 * 1024))
            .arg(path);
    return QString();
}

QString DHTMLImageCopier::copy(const QString& path, QStringList& written)
{
    const QFileInfo source(path);
    QString name = source.fileName();
    for (int n = 2; m_names.contains(name); ++n)
        name = QStringLiteral("%1-%2.%3").arg(source.completeBaseName()).arg(n).arg(source.suffix());
    const QString dirName = m_writer.config().imageDir();
    const QString relative = dirName.isEmpty() ? name : dirName + QLatin1Char('/') + name;
    const QString destination = QDir(m_writer.outputDir()).filePath(relative);
    const QFileInfo target(destination);
    // The image already in place (not through a link) is used as it is.
    const bool same = !target.isSymLink() && target.canonicalFilePath() == source.canonicalFilePath();
    QString why;
    if (!same && m_writer.isInputFile(destination))
        why = QCoreApplication::translate("DHTMLWriter", "it is an exported report");
    if (!same && (!why.isEmpty() || !DExportFile::copy(path, destination, &why))) {
        log(QCoreApplication::translate("DHTMLWriter", "Cannot copy the image %1 to %2: %3")
                .arg(path, destination, why));
        return QString();
    }
    m_names.insert(name);
    if (!same)
        written << destination;
    return QString::fromLatin1(QUrl::toPercentEncoding(relative, "/"));
}

bool DHTMLImageCopier::folderReady()
{
    const QString dirName = m_writer.config().imageDir();
    QDir dir(m_writer.outputDir());
    // Each part of the image folder must be a real folder: a link planted there would send
    // the copies elsewhere.
    QString part;
    for (const QString& name : dirName.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        part = part.isEmpty() ? name : part + QLatin1Char('/') + name;
        if (QFileInfo(dir.filePath(part)).isSymLink()) {
            log(QCoreApplication::translate(
                    "DHTMLWriter", "The image folder %1 is a symbolic link; images are not copied")
                    .arg(dir.filePath(part)));
            return false;
        }
    }
    if (!dirName.isEmpty() && !dir.mkpath(dirName)) {
        log(QCoreApplication::translate("DHTMLWriter", "Cannot create the image folder %1")
                .arg(dir.filePath(dirName)));
        return false;
    }
    return true;
}
