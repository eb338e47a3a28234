#include "history/historyresultblock.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int CodeMask = 0x07;
constexpr int HasDuration = 0x08;
constexpr int HasFingerprint = 0x10;
constexpr int GapShift = 5;
// A gap of this value or more is written as a varint after the head byte.
constexpr int GapInVarint = 7;
// A varint of more bytes than this does not fit the 63 bits a value may have.
constexpr int MaxVarintBytes = 9;

void putVarint(QByteArray &out, quint64 value)
{
    while (value >= 0x80) {
        out.append(char(0x80 | (value & 0x7f)));
        value >>= 7;
    }
    out.append(char(value));
}

// Walks the entries of a block one at a time, checking every value it reads.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData())), m_end(m_data + bytes.size())
    {
    }

    bool atEnd() const { return m_data == m_end; }
    bool failed() const { return m_failed; }

    // The next entry; false at the end or on malformed bytes (then failed()).
    bool next(HistoryResultBlock::Entry *entry)
    {
        if (atEnd() || m_failed)
            return false;
        const int head = *m_data++;
        quint64 gap = quint64(head >> GapShift);
        if (gap == GapInVarint && !varint(&gap))
            return fail();
        const quint64 slot = m_slot < 0 ? gap : quint64(m_slot) + 1 + gap;
        if (slot >= quint64(HistoryResultBlock::Size))
            return fail();
        m_slot = int(slot);
        entry->slot = m_slot;
        entry->code = head & CodeMask;
        entry->durationMs.reset();
        entry->fingerprint = 0;
        if (head & HasDuration) {
            quint64 duration = 0;
            if (!varint(&duration) || duration > quint64(std::numeric_limits<qint64>::max()))
                return fail();
            entry->durationMs = qint64(duration);
        }
        if (head & HasFingerprint) {
            if (m_end - m_data < 8)
                return fail();
            quint64 value = 0;
            for (int i = 7; i >= 0; --i)
                value = (value << 8) | m_data[i];
            m_data += 8;
            entry->fingerprint = qint64(value);
        }
        return true;
    }

private:
    bool varint(quint64 *value)
    {
        *value = 0;
        for (int i = 0; i < MaxVarintBytes; ++i) {
            if (atEnd())
                return false;
            const uchar byte = *m_data++;
            *value |= quint64(byte & 0x7f) << (7 * i);
            if (!(byte & 0x80))
                return true;
        }
        return false;
    }

    bool fail()
    {
        m_failed = true;
        return false;
    }

    const uchar *m_data;
    const uchar *m_end;
    int m_slot = -1;
    bool m_failed = false;
};

} // namespace

QByteArray HistoryResultBlock::pack(const QList<Entry> &entries)
{
    QByteArray out;
    out.reserve(entries.size() * 4);
    int previous = -1;
    for (const Entry &entry : entries) {
        const quint64 gap = quint64(entry.slot - previous - 1);
        previous = entry.slot;
        int head = entry.code & CodeMask;
        if (entry.durationMs)
            head |= HasDuration;
        if (entry.fingerprint != 0)
            head |= HasFingerprint;
        head |= int(std::min<quint64>(gap, GapInVarint)) << GapShift;
        out.append(char(head));
        if (gap >= GapInVarint)
            putVarint(out, gap);
        if (entry.durationMs)
            putVarint(out, quint64(std::max<qint64>(*entry.durationMs, 0)));
        if (entry.fingerprint != 0) {
            quint64 value = quint64(entry.fingerprint);
            for (int i = 0; i < 8; ++i, value >>= 8)
                out.append(char(value & 0xff));
        }
    }
    return out;
}

std::optional<QList<HistoryResultBlock::Entry>> HistoryResultBlock::unpack(const QByteArray &bytes)
{
    QList<Entry> entries;
    Reader reader(bytes);
    Entry entry;
    while (reader.next(&entry))
        entries.append(entry);
    if (reader.failed())
        return std::nullopt;
    return entries;
}

std::optional<HistoryResultBlock::Entry> HistoryResultBlock::find(const QByteArray &bytes, int slot, bool *malformed)
{
    *malformed = false;
    Reader reader(bytes);
    Entry entry;
    while (reader.next(&entry)) {
        if (entry.slot == slot)
            return entry;
        if (entry.slot > slot)
            return std::nullopt;
    }
    *malformed = reader.failed();
    return std::nullopt;
}
