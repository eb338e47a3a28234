#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The results of one run for one block of test ids, packed into bytes: a store keeps a run's
// results as one row per block of Size consecutive test ids instead of one row per result,
// which costs a database a row header, a line pointer and index entries per result.
//
// Each entry is one head byte (the verdict code in bits 0-2, "has a duration" in bit 3, "has a
// fingerprint" in bit 4, the gap to the previous entry's slot in bits 5-7, 7 meaning "a varint
// follows"), then the varint gap when it did not fit, the duration in milliseconds as a varint,
// and the fingerprint as eight little-endian bytes. Entries are in slot order, one per slot.
class HistoryResultBlock
{
public:
    // Test ids per block: a block of a run holds the tests with id / Size equal to its number.
    static constexpr int Size = 256;

    struct Entry
    {
        int slot = 0; // test id % Size
        int code = 0; // HistoryResult::code()
        std::optional<qint64> durationMs;
        qint64 fingerprint = 0; // 0: none
    };

    // The bytes of `entries`, which must be sorted by slot, slots in [0, Size).
    static QByteArray pack(const QList<Entry> &entries);

    // The entries of `bytes`, or nothing when they are not a block this class writes (out of
    // range slots, entries out of order, a truncated or overlong value).
    static std::optional<QList<Entry>> unpack(const QByteArray &bytes);

    // The entry of `slot` alone, without building the others; nothing when the slot is absent
    // or the bytes are malformed (`malformed` says which).
    static std::optional<Entry> find(const QByteArray &bytes, int slot, bool *malformed);
};
