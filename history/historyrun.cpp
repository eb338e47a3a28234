#include "history/historyrun.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

const HistoryResult *HistoryRun::find(const QString &key) const
{
    for (const HistoryResult &result : results) {
        if (result.key() == key)
            return &result;
    }
    return nullptr;
}

QString HistoryRun::contentHashOf(const QStringList &files, QString *error)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QCoreApplication::translate("KorvatHistory", "Cannot read %1: %2")
                         .arg(name, file.errorString());
            return QString();
        }
        hash.addData(QByteArray::number(file.size()) + '\n');
        if (!hash.addData(&file)) {
            *error = QCoreApplication::translate("KorvatHistory", "Cannot read %1: %2")
                         .arg(name, file.errorString());
            return QString();
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}
