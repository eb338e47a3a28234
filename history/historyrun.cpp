#include "history/historyrun.h"

#include "history/historycontenthash.h"

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
    return HistoryContentHash::of(files, error);
}

std::function<QString()> HistoryRun::sha256Of(const QStringList &files)
{
    return [files]() {
        QString error;
        return HistoryContentHash::sha256Of(files, &error);
    };
}
