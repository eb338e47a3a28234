#include "rendoc/aml/damlnamecache.h"

#include <cstring>

const QString& DAmlNameCache::text(const char* utf8, size_t size)
{
    // Most names differ from each other in their first byte: compared first, it spares most
    // full comparisons.
    for (const Name& name : m_names) {
        const char* known = name.utf8.constData();
        if (known[0] == utf8[0] && size_t(name.utf8.size()) == size
            && std::memcmp(known, utf8, size) == 0)
            return name.text;
    }
    if (m_names.size() >= MaxNames)
        m_names.erase(m_names.begin());
    const QByteArray bytes(utf8, qsizetype(size));
    m_names.push_back(Name { bytes, QString::fromUtf8(bytes) });
    return m_names.back().text;
}
