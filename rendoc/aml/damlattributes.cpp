#include "rendoc/aml/damlattributes.h"

#include <cstring>

DAmlAttributes::DAmlAttributes(const char* const* pairs, const quint32* lengths)
    : m_pairs(pairs)
    , m_lengths(lengths)
{
    if (m_pairs) {
        while (m_pairs[2 * m_count])
            ++m_count;
    }
}

size_t DAmlAttributes::length(int string) const
{
    return m_lengths ? size_t(m_lengths[string]) : std::strlen(m_pairs[string]);
}

int DAmlAttributes::index(QLatin1String name) const
{
    const size_t size = size_t(name.size());
    if (m_lengths) {
        for (int i = 0; i < m_count; ++i) {
            // The first byte before the call: attribute names mostly differ there.
            if (m_lengths[2 * i] == size && (size == 0 || m_pairs[2 * i][0] == name.data()[0])
                && std::memcmp(m_pairs[2 * i], name.data(), size) == 0)
                return i;
        }
        return -1;
    }
    for (int i = 0; i < m_count; ++i) {
        const char* candidate = m_pairs[2 * i];
        if (std::strncmp(candidate, name.data(), size) == 0 && candidate[size] == '\0')
            return i;
    }
    return -1;
}

QString DAmlAttributes::qName(int i) const
{
    if (i < 0 || i >= m_count)
        return QString();
    return QString::fromUtf8(m_pairs[2 * i], qsizetype(length(2 * i)));
}

QString DAmlAttributes::value(int i) const
{
    if (i < 0 || i >= m_count)
        return QString();
    const char* text = m_pairs[2 * i + 1];
    if (!*text)
        return QLatin1String(""); // present and empty stays apart from absent
    return QString::fromUtf8(text, qsizetype(length(2 * i + 1)));
}

QString DAmlAttributes::value(QLatin1String name) const
{
    return value(index(name));
}

QByteArrayView DAmlAttributes::utf8Name(int i) const
{
    return i < 0 || i >= m_count ? QByteArrayView() : QByteArrayView(m_pairs[2 * i], qsizetype(length(2 * i)));
}

QByteArrayView DAmlAttributes::utf8Value(int i) const
{
    return i < 0 || i >= m_count ? QByteArrayView() : QByteArrayView(m_pairs[2 * i + 1], qsizetype(length(2 * i + 1)));
}
