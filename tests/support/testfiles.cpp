#include "testfiles.h"

#include <QFile>
#include <QFileInfo>

namespace TestFiles {

QString example(const char *name)
{
    return QStringLiteral(KORVAT_EXAMPLES "/") + QLatin1String(name);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList fileNames(const QStringList &paths, bool sorted)
{
    QStringList names;
    for (const QString &path : paths)
        names << QFileInfo(path).fileName();
    if (sorted)
        names.sort();
    return names;
}

} // namespace TestFiles
