#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The content hash of recorded reports: 128 bits, two 64-bit hashes of the same bytes with two
// seeds (XXH64, a published non-cryptographic hash; about a twentieth of SHA-256's processor
// time here). It tells the same content from other content, not against someone forging a
// clash: a clash only makes a recording return an older run's id. Each file is hashed on its own
// in one pass, and the run's hash is taken over each file's size and two hashes in the order
// given, so that the same reports hash alike whatever their file names. Stable on every machine
// and by every version: it is stored.
class HistoryContentHash
{
public:
    HistoryContentHash() = delete;

    // 32 lower-case hex digits for `files`; empty, with `error` set, when a file cannot be read.
    static QString of(const QStringList &files, QString *error);
    // The hex SHA-256 of `files`, each preceded by its size in decimal and a line feed: the
    // content hash of the runs stored before the 128-bit one.
    static QString sha256Of(const QStringList &files, QString *error);

    // XXH64 of `bytes` with `seed`.
    static quint64 xxh64(QByteArrayView bytes, quint64 seed);
};
