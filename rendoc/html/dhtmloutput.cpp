#include "rendoc/html/dhtmloutput.h"

#include <QIODevice>
#include <QTextStream>

#include <array>
#include <charconv>
#include <cstring>

namespace {

// The most bytes one UTF-16 unit can give: a waiting lone surrogate's replacement character
// and "&quot;".
constexpr qsizetype MaxBytesPerUnit = 9;
// The most bytes one ASCII byte can give: "&quot;".
constexpr qsizetype MaxBytesPerAsciiByte = 6;

// U+FFFD, written for a surrogate without its partner.
inline char* putReplacement(char* out)
{
    *out++ = char(0xEF);
    *out++ = char(0xBF);
    *out++ = char(0xBD);
    return out;
}

inline bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
inline bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

} // namespace

DHTMLOutput::DHTMLOutput(QIODevice* device) : m_device(device), m_buffer(new char[Capacity]) {}

DHTMLOutput::DHTMLOutput(QTextStream* stream) : m_stream(stream), m_buffer(new char[Capacity]) {}

DHTMLOutput::~DHTMLOutput()
{
    flush();
}

bool DHTMLOutput::flush()
{
    if (m_used == 0 || m_failed)
        return !m_failed;
    // The buffer only ever ends between characters, so each block decodes on its own.
    if (m_device)
        m_failed = m_device->write(m_buffer.get(), m_used) != m_used;
    else if (m_stream)
        *m_stream << QString::fromUtf8(m_buffer.get(), m_used);
    m_flushed += m_used;
    m_used = 0;
    return !m_failed;
}

void DHTMLOutput::write(QLatin1String text)
{
    const char* data = text.data();
    qsizetype size = text.size();
    while (size > 0) {
        // Two bytes at most for each character, and a waiting surrogate's replacement.
        reserve(qMin<qsizetype>(2 * size + 3, Capacity));
        if (m_highSurrogate) {
            m_used = putReplacement(m_buffer.get() + m_used) - m_buffer.get();
            m_highSurrogate = 0;
        }
        const qsizetype room = (Capacity - m_used) / 2;
        const qsizetype n = qMin(size, qMax<qsizetype>(1, room));
        char* out = m_buffer.get() + m_used;
        // Markup is ASCII: its runs are copied whole, a Latin-1 letter takes two bytes.
        for (qsizetype i = 0; i < n;) {
            qsizetype run = i;
            while (run < n && uchar(data[run]) < 0x80)
                ++run;
            std::memcpy(out, data + i, size_t(run - i));
            out += run - i;
            if (run == n)
                break;
            const uchar c = uchar(data[run]);
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
            i = run + 1;
        }
        m_used = out - m_buffer.get();
        data += n;
        size -= n;
    }
    if (m_stream)
        flush();
}

void DHTMLOutput::write(QStringView text)
{
    encode(text, false, false);
}

void DHTMLOutput::writeEscaped(QStringView text, bool attribute)
{
    encode(text, true, attribute);
}

void DHTMLOutput::writeEscapedUtf8(QByteArrayView utf8, bool attribute)
{
    if (m_highSurrogate) {
        encode(QString::fromUtf8(utf8), true, attribute);
        return;
    }
    const char* data = utf8.data();
    qsizetype size = utf8.size();
    while (size > 0) {
        reserve(qMin<qsizetype>(size * MaxBytesPerAsciiByte, Capacity));
        const qsizetype n = qMin(size, qMax<qsizetype>(1, (Capacity - m_used) / MaxBytesPerAsciiByte));
        const qsizetype done = escapeAsciiChunk(data, n, attribute);
        if (done < n) {
            // A character beyond ASCII: the rest goes the way of every other text, from the
            // character on (an ASCII byte always ends a character).
            encode(QString::fromUtf8(data + done, size - done), true, attribute);
            return;
        }
        data += n;
        size -= n;
    }
    if (m_stream)
        flush();
}

qsizetype DHTMLOutput::escapeAsciiChunk(const char* text, qsizetype size, bool attribute)
{
    // What encodeChunk() does to the characters below 0x80 (no surrogate waiting): runs that
    // need nothing are copied whole.
    enum : uchar { Copy, Special, Beyond };
    static const auto kinds = [] {
        std::array<uchar, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[size_t(c)] = (c == '\t' || c == '\n' || c == '\r') ? Copy : Special;
        for (const char c : {'&', '<', '>', '"', '\''})
            table[uchar(c)] = Special;
        for (int c = 0x80; c < 0x100; ++c)
            table[size_t(c)] = Beyond;
        return table;
    }();
    char* out = m_buffer.get() + m_used;
    auto put = [&out](const char* s, size_t length) {
        std::memcpy(out, s, length);
        out += length;
    };
    qsizetype i = 0;
    while (i < size) {
        qsizetype run = i;
        while (run < size && kinds[uchar(text[run])] == Copy)
            ++run;
        put(text + i, size_t(run - i));
        i = run;
        if (i == size || kinds[uchar(text[i])] == Beyond)
            break;
        switch (text[i]) {
        case '&': put("&amp;", 5); break;
        case '<': put("&lt;", 4); break;
        case '>': put("&gt;", 4); break;
        case '"': put("&quot;", 6); break;
        case '\'':
            if (attribute)
                put("&#39;", 5);
            else
                *out++ = '\'';
            break;
        default: // a control character HTML does not allow: dropped
            break;
        }
        ++i;
    }
    m_used = out - m_buffer.get();
    return i;
}

void DHTMLOutput::writeNumber(qint64 number)
{
    reserve(24);
    if (m_highSurrogate) {
        m_used = putReplacement(m_buffer.get() + m_used) - m_buffer.get();
        m_highSurrogate = 0;
    }
    char* out = m_buffer.get() + m_used;
    m_used = std::to_chars(out, out + 21, number).ptr - m_buffer.get();
    if (m_stream)
        flush();
}

void DHTMLOutput::encode(QStringView text, bool escape, bool attribute)
{
    const char16_t* data = text.utf16();
    qsizetype size = text.size();
    while (size > 0) {
        reserve(qMin<qsizetype>(size * MaxBytesPerUnit, Capacity));
        const qsizetype done = encodeChunk(data, size, escape, attribute);
        data += done;
        size -= done;
    }
    if (m_stream)
        flush();
}

qsizetype DHTMLOutput::encodeChunk(const char16_t* text, qsizetype size, bool escape, bool attribute)
{
    const qsizetype n = qMin(size, qMax<qsizetype>(1, (Capacity - m_used) / MaxBytesPerUnit));
    char* out = m_buffer.get() + m_used;
    auto put = [&out](const char* s, size_t length) {
        std::memcpy(out, s, length);
        out += length;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i];
        // Dropped characters leave a waiting high surrogate waiting: the text around them is
        // joined as if they had never been there.
        if (escape && ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF))
            continue;
        if (m_highSurrogate) {
            if (isLowSurrogate(c)) {
                const char32_t u = 0x10000 + ((char32_t(m_highSurrogate) - 0xD800) << 10) + (c - 0xDC00);
                *out++ = char(0xF0 | (u >> 18));
                *out++ = char(0x80 | ((u >> 12) & 0x3F));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
                *out++ = char(0x80 | (u & 0x3F));
                m_highSurrogate = 0;
                continue;
            }
            out = putReplacement(out);
            m_highSurrogate = 0;
        }
        if (c < 0x80) {
            if (escape) {
                switch (c) {
                case u'&': put("&amp;", 5); continue;
                case u'<': put("&lt;", 4); continue;
                case u'>': put("&gt;", 4); continue;
                case u'"': put("&quot;", 6); continue;
                case u'\'':
                    if (attribute) {
                        put("&#39;", 5);
                        continue;
                    }
                    break;
                default:
                    break;
                }
            }
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (isHighSurrogate(c)) {
            m_highSurrogate = c;
        } else if (isLowSurrogate(c)) {
            out = putReplacement(out);
        } else {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    m_used = out - m_buffer.get();
    return n;
}
