#include "korvatreporter/data/json/qajsonfile.h"

#include <QFile>

#include <climits>

bool QAJsonFile::contents(QFile &file, QByteArray &bytes)
{
    const qint64 size = file.size();
    if (size > 0 && size <= qint64(INT_MAX)) {
        if (uchar *mapped = file.map(0, size)) {
            bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(size));
            return true;
        }
    }
    if (!file.seek(0))
        return false;
    bytes = file.readAll();
    return file.error() == QFile::NoError;
}
