#include "rendoc/aml/dregularfile.h"

#include <QCoreApplication>
#include <QFileInfo>

QString DRegularFile::refusal(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return QCoreApplication::translate("DRegularFile", "No such file");
    if (info.isDir())
        return QCoreApplication::translate("DRegularFile", "Is a folder, not a file");
    if (!info.isFile())
        return QCoreApplication::translate("DRegularFile",
                                           "Not a regular file (a named pipe, socket or device)");
    return QString();
}
