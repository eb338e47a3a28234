#include "rendoc/model/dutf8string.h"

#include "rendoc/model/dpool.h"

#include <QByteArray>

#include <cstring>
#include <limits>
#include <new>

DUtf8String::DUtf8String(QByteArrayView utf8)
{
    allocate(utf8.size());
    if (!utf8.isEmpty())
        std::memcpy(m_block->bytes(), utf8.data(), std::size_t(utf8.size()));
}

DUtf8String::DUtf8String(const QString& text)
{
    if (text.isNull())
        return;
    // Most texts are ASCII: their bytes are their UTF-16 units narrowed, written straight into
    // the block without a QByteArray in between.
    const QChar* units = text.constData();
    const qsizetype size = text.size();
    qsizetype ascii = 0;
    while (ascii < size && units[ascii].unicode() < 0x80)
        ++ascii;
    if (ascii == size) {
        allocate(size);
        char* to = m_block->bytes();
        for (qsizetype i = 0; i < size; ++i)
            to[i] = char(units[i].unicode());
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    DUtf8String made{QByteArrayView(utf8)};
    swap(made);
}

void DUtf8String::allocate(qsizetype size)
{
    // Texts are bounded far below this by the readers; a longer one would not fit the length.
    if (size > qsizetype(std::numeric_limits<std::uint32_t>::max() - sizeof(Block)))
        throw std::bad_alloc();
    const std::size_t bytes = sizeof(Block) + std::size_t(size);
    m_block = new (DPool::allocate(bytes)) Block{{1}, std::uint32_t(size)};
}

QString DUtf8String::toString() const
{
    if (!m_block)
        return QString();
    if (m_block->size == 0)
        return QLatin1String("");
    return QString::fromUtf8(m_block->bytes(), qsizetype(m_block->size));
}

void DUtf8String::release() noexcept
{
    if (!m_block)
        return;
    // The last holder frees the block; the acquire pairs with the other holders' releases.
    if (m_block->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        const std::size_t bytes = sizeof(Block) + m_block->size;
        m_block->~Block();
        DPool::release(m_block, bytes);
    }
    m_block = nullptr;
}

qsizetype DUtf8String::utf16Length(QByteArrayView utf8)
{
    // One unit per character, two for those beyond the BMP (lead bytes 0xf0 and up);
    // continuation bytes (10xxxxxx) add none. ASCII, eight bytes at a time, is one unit a byte.
    const char* at = utf8.data();
    const char* const end = at + utf8.size();
    qsizetype units = 0;
    while (end - at >= 8) {
        quint64 word;
        std::memcpy(&word, at, sizeof word);
        if (word & 0x8080808080808080ull)
            break;
        units += 8;
        at += 8;
    }
    for (; at != end; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        units += (byte & 0xc0) != 0x80;
        units += byte >= 0xf0;
    }
    return units;
}
