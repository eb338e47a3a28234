#pragma once

#include "history/historyresult.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One recorded run: a label chosen by the user (a build number, a commit), when it was recorded,
// the hash of the recorded reports' content (recording the same content twice gives one run)
// and the results of its tests. `id` is the store's number for it, 0 before it is recorded.
struct HistoryRun
{
    qint64 id = 0;
    QString label;
    QDateTime time;
    QString contentHash;
    QList<HistoryResult> results;

    // The result of the test with `key` (HistoryResult::key()), or null.
    const HistoryResult *find(const QString &key) const;

    // Hex SHA-256 over the contents of `files` in the order given, each preceded by its size, so
    // that the same reports always hash alike whatever their file names. Empty, with `error`
    // set, when a file cannot be read.
    static QString contentHashOf(const QStringList &files, QString *error);
};
