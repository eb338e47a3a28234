#pragma once

#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <cstdint>

// An immutable text kept as UTF-8 in one shared block, one word wide: document texts are
// mostly ASCII, so the bytes take half what a QString's UTF-16 takes, and copies (filtered
// documents, repeated short runs) share the block. The text becomes a QString when it is
// shown. A default string is null; a string made from an empty text is empty but not null.
// Blocks of short texts come from DPool, like the items that hold them.
class DUtf8String
{
public:
    DUtf8String() = default;
    explicit DUtf8String(QByteArrayView utf8);
    explicit DUtf8String(const QString& text);
    DUtf8String(const DUtf8String& other) noexcept : m_block(other.m_block) { retain(); }
    DUtf8String(DUtf8String&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
    DUtf8String& operator=(const DUtf8String& other) noexcept
    {
        DUtf8String copy(other);
        swap(copy);
        return *this;
    }
    DUtf8String& operator=(DUtf8String&& other) noexcept
    {
        swap(other);
        return *this;
    }
    ~DUtf8String() { release(); }

    void swap(DUtf8String& other) noexcept { std::swap(m_block, other.m_block); }

    bool isNull() const { return m_block == nullptr; }
    bool isEmpty() const { return !m_block || m_block->size == 0; }
    QByteArrayView utf8() const
    {
        return m_block ? QByteArrayView(m_block->bytes(), qsizetype(m_block->size)) : QByteArrayView();
    }
    // The text as UTF-16; null for a null string.
    QString toString() const;
    // The length of toString(), counted from the bytes.
    qsizetype utf16Size() const { return utf16Length(utf8()); }
    // How many UTF-16 units the well-formed UTF-8 `utf8` makes.
    static qsizetype utf16Length(QByteArrayView utf8);
    // Whether both hold the same block (a shared copy); equal texts may still be apart.
    bool sharesWith(const DUtf8String& other) const { return m_block == other.m_block; }

    friend bool operator==(const DUtf8String& a, const DUtf8String& b)
    {
        return a.m_block == b.m_block || (a.isNull() == b.isNull() && a.utf8() == b.utf8());
    }
    friend bool operator!=(const DUtf8String& a, const DUtf8String& b) { return !(a == b); }

private:
    // The count and the length share one word in front of the bytes.
    struct Block
    {
        std::atomic<std::uint32_t> refs;
        std::uint32_t size;
        char* bytes() { return reinterpret_cast<char*>(this + 1); }
        const char* bytes() const { return reinterpret_cast<const char*>(this + 1); }
    };
    static_assert(sizeof(Block) == 8, "a block's header is one word");

    void retain() const
    {
        if (m_block)
            m_block->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void release() noexcept;
    // Points m_block at a new block of `size` bytes, not yet written.
    void allocate(qsizetype size);

    Block* m_block = nullptr;
};
static_assert(sizeof(DUtf8String) == sizeof(void*), "a text is one word");
