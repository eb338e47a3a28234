#pragma once

#include "history/historyresult.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One recorded run: a label chosen by the user (a build number, a commit), when it was recorded,
// the hash of the recorded reports' content (recording the same content twice gives one run)
// and the results of its tests. `id` is the store's number for it, 0 before it is recorded.
struct HistoryRun
{
    qint64 id = 0;
    QString label;
    QDateTime time;
    QString contentHash;
    // The SHA-256 of the same reports (HistoryContentHash::sha256Of), by which the runs stored
    // before the 128-bit content hash are found again; asked for only while the store holds
    // such runs. Without it (or when it gives nothing) they are not looked at.
    std::function<QString()> sha256;
    QList<HistoryResult> results;
    // Listings handed to HistoryStore::prepareTests() whose tests are not this run's: `results`
    // holds what the run has of them.
    QStringList supersededListings;

    // The result of the test with `key` (HistoryResult::key()), or null.
    const HistoryResult *find(const QString &key) const;

    // The content hash of `files` (HistoryContentHash::of), so that the same reports always hash
    // alike whatever their file names. Empty, with `error` set, when a file cannot be read.
    static QString contentHashOf(const QStringList &files, QString *error);
    // sha256 for `files`: it hashes them when asked.
    static std::function<QString()> sha256Of(const QStringList &files);
};
