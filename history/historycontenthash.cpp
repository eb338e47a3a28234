#include "history/historycontenthash.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {

constexpr quint64 Prime1 = 0x9E3779B185EBCA87ULL;
constexpr quint64 Prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr quint64 Prime3 = 0x165667B19E3779F9ULL;
constexpr quint64 Prime4 = 0x85EBCA77C2B2AE63ULL;
constexpr quint64 Prime5 = 0x27D4EB2F165667C5ULL;
// The two seeds of a content hash.
constexpr quint64 SeedLow = 0;
constexpr quint64 SeedHigh = 0x6b6f72766174ULL;

quint64 rotl64(quint64 value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

quint64 xxhRound(quint64 acc, quint64 input)
{
    acc += input * Prime2;
    return rotl64(acc, 31) * Prime1;
}

quint64 xxhMerge(quint64 acc, quint64 value)
{
    acc ^= xxhRound(0, value);
    return acc * Prime1 + Prime4;
}

// XXH64 over bytes given piece by piece: whole stripes of 32 bytes, then the end.
class Xxh64Stream
{
public:
    explicit Xxh64Stream(quint64 seed)
        : m_seed(seed), m_v{seed + Prime1 + Prime2, seed + Prime2, seed, seed - Prime1}
    {
    }

    // `size` is a multiple of 32.
    void stripes(const uchar *p, qsizetype size)
    {
        quint64 v1 = m_v[0], v2 = m_v[1], v3 = m_v[2], v4 = m_v[3];
        for (const uchar *const end = p + size; p < end; p += 32) {
            v1 = xxhRound(v1, qFromLittleEndian<quint64>(p));
            v2 = xxhRound(v2, qFromLittleEndian<quint64>(p + 8));
            v3 = xxhRound(v3, qFromLittleEndian<quint64>(p + 16));
            v4 = xxhRound(v4, qFromLittleEndian<quint64>(p + 24));
        }
        m_v[0] = v1, m_v[1] = v2, m_v[2] = v3, m_v[3] = v4;
        m_size += size;
    }

    // The hash, given the last bytes (fewer than 32).
    quint64 finish(const uchar *p, qsizetype size) const
    {
        quint64 h = m_seed + Prime5;
        if (m_size > 0) {
            h = rotl64(m_v[0], 1) + rotl64(m_v[1], 7) + rotl64(m_v[2], 12) + rotl64(m_v[3], 18);
            for (const quint64 v : m_v)
                h = xxhMerge(h, v);
        }
        h += quint64(m_size + size);
        const uchar *const end = p + size;
        for (; p + 8 <= end; p += 8) {
            h ^= xxhRound(0, qFromLittleEndian<quint64>(p));
            h = rotl64(h, 27) * Prime1 + Prime4;
        }
        if (p + 4 <= end) {
            h ^= quint64(qFromLittleEndian<quint32>(p)) * Prime1;
            h = rotl64(h, 23) * Prime2 + Prime3;
            p += 4;
        }
        for (; p < end; ++p) {
            h ^= quint64(*p) * Prime5;
            h = rotl64(h, 11) * Prime1;
        }
        h ^= h >> 33;
        h *= Prime2;
        h ^= h >> 29;
        h *= Prime3;
        return h ^ (h >> 32);
    }

private:
    quint64 m_seed;
    quint64 m_v[4];
    qsizetype m_size = 0; // bytes given to stripes()
};

void appendLe64(QByteArray *bytes, quint64 value)
{
    for (int i = 0; i < 8; ++i)
        bytes->append(char(value >> (8 * i)));
}

QString unreadable(const QString &name, const QString &why)
{
    return QCoreApplication::translate("KorvatHistory", "Cannot read %1: %2").arg(name, why);
}

} // namespace

quint64 HistoryContentHash::xxh64(QByteArrayView bytes, quint64 seed)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype whole = bytes.size() / 32 * 32;
    Xxh64Stream stream(seed);
    stream.stripes(p, whole);
    return stream.finish(p + whole, bytes.size() - whole);
}

QString HistoryContentHash::of(const QStringList &files, QString *error)
{
    // Per file its size and its two hashes; the run's hash is that of these. A file is read in
    // pieces into one buffer (from the page cache that costs less than mapping it: no page
    // faults) and both hashes take each piece while it is in the processor's cache.
    constexpr qsizetype Piece = 1 << 20;
    QByteArray buffer(Piece, Qt::Uninitialized);
    auto *data = reinterpret_cast<uchar *>(buffer.data());
    QByteArray summary;
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            *error = unreadable(name, file.errorString());
            return QString();
        }
        Xxh64Stream low(SeedLow);
        Xxh64Stream high(SeedHigh);
        qsizetype held = 0; // bytes at the start of the buffer not hashed yet
        qint64 size = 0;
        for (;;) {
            const qint64 read = file.read(buffer.data() + held, Piece - held);
            if (read < 0) {
                *error = unreadable(name, file.errorString());
                return QString();
            }
            if (read == 0)
                break;
            size += read;
            held += read;
            const qsizetype whole = held / 32 * 32;
            low.stripes(data, whole);
            high.stripes(data, whole);
            std::memmove(data, data + whole, size_t(held - whole));
            held -= whole;
        }
        appendLe64(&summary, quint64(size));
        appendLe64(&summary, low.finish(data, held));
        appendLe64(&summary, high.finish(data, held));
    }
    QByteArray hash;
    appendLe64(&hash, xxh64(summary, SeedHigh));
    appendLe64(&hash, xxh64(summary, SeedLow));
    return QString::fromLatin1(hash.toHex());
}

QString HistoryContentHash::sha256Of(const QStringList &files, QString *error)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = unreadable(name, file.errorString());
            return QString();
        }
        hash.addData(QByteArray::number(file.size()) + '\n');
        if (!hash.addData(&file)) {
            *error = unreadable(name, file.errorString());
            return QString();
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}
