#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// An array that grows by fixed chunks of ChunkSize elements instead of reallocating.
//
// The layout of a large report appends hundreds of thousands of entries in the background
// after the first paint. A std::vector doubling its capacity holds the old and the new copy at
// once at each step and keeps up to twice what it needs afterwards; here growing costs one more
// chunk, nothing is copied and at most one chunk stands unused. An element stays at its
// address until clear(). Indexing is one shift, one mask and one more load than a vector.
template <class T>
class DViewChunkedArray
{
public:
    static constexpr std::size_t ChunkBits = 12;
    static constexpr std::size_t ChunkSize = std::size_t(1) << ChunkBits;

    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    T& operator[](std::size_t index) { return m_chunks[index >> ChunkBits][index & (ChunkSize - 1)]; }
    const T& operator[](std::size_t index) const
    {
        return m_chunks[index >> ChunkBits][index & (ChunkSize - 1)];
    }
    T& back() { return (*this)[m_size - 1]; }
    const T& back() const { return (*this)[m_size - 1]; }

    void push_back(const T& value)
    {
        if ((m_size & (ChunkSize - 1)) == 0 && (m_size >> ChunkBits) == m_chunks.size())
            m_chunks.push_back(std::make_unique<T[]>(ChunkSize));
        (*this)[m_size++] = value;
    }

    // `count` copies of value, replacing what was held.
    void assign(std::size_t count, const T& value)
    {
        clear();
        for (std::size_t i = 0; i < count; ++i)
            push_back(value);
    }

    // Drops every element and gives their memory back.
    void clear()
    {
        std::vector<std::unique_ptr<T[]>>().swap(m_chunks);
        m_size = 0;
    }

private:
    std::vector<std::unique_ptr<T[]>> m_chunks;
    std::size_t m_size = 0;
};
