#include "rendoc/model/dpool.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <thread>

#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#define DPOOL_BYPASS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DPOOL_BYPASS 1
#endif
#endif

namespace {

// Items and nodes hold pointers, integers and doubles at most: 8-byte blocks waste nothing
// on them, where a 16-byte granule added 8 bytes to most of them.
constexpr std::size_t PoolGranule = 8;
constexpr std::size_t PoolSizeCount = DPool::MaxSize / PoolGranule;
constexpr std::size_t PoolChunkSize = std::size_t(2) << 20;

struct PoolFreeBlock
{
    PoolFreeBlock* next;
};

// The start of every chunk. Chunks are aligned on their size, so a block finds its chunk by
// masking its address.
struct PoolChunk
{
    PoolChunk* prev;
    PoolChunk* next;
    PoolFreeBlock* released; // blocks given back, reused first
    char* unused;        // the never-used tail, from here to the chunk's end
    std::size_t live;    // blocks handed out
    bool listed;         // in its size's list of chunks with room
};

constexpr std::size_t PoolHeaderSize = (sizeof(PoolChunk) + PoolGranule - 1) / PoolGranule * PoolGranule;

// The lock of a size. Its holder only moves a few pointers and counters, and nearly always
// one thread allocates (the one building a report), so taking it is one atomic exchange and
// giving it back a plain store, where a mutex's lock and unlock were two atomic operations and
// two library calls per block (5 % of building a JUnit file's document). A thread finding it
// held lets others run until it is free.
class PoolSpinLock
{
public:
    void lock() noexcept
    {
        while (m_held.exchange(true, std::memory_order_acquire)) {
            while (m_held.load(std::memory_order_relaxed))
                std::this_thread::yield();
        }
    }
    void unlock() noexcept { m_held.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_held { false };
};

// One block size: its chunks that have a block to give, and its counters. Everything here is
// guarded by `lock`.
struct PoolSizeClass
{
    PoolSpinLock lock;
    PoolChunk* room = nullptr;
    std::size_t chunks = 0;
    std::size_t emptyChunks = 0; // mapped chunks with no live block
    std::size_t live = 0;
};

PoolSizeClass poolSizeClasses[PoolSizeCount];

PoolChunk* poolChunkOf(void* block)
{
    return reinterpret_cast<PoolChunk*>(reinterpret_cast<std::uintptr_t>(block) & ~(PoolChunkSize - 1));
}

// A fresh chunk aligned on its size: twice the size is mapped and the ends trimmed. Chunks
// stay in small pages: on a virtual machine that hands freed memory back to its host, a huge
// page advised region faults in several times slower than small pages once the host took the
// memory back (0.5-1.0 s instead of 0.12-0.16 s for 240 MB; docs/performance.md).
PoolChunk* mapPoolChunk()
{
    void* area = mmap(nullptr, 2 * PoolChunkSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS,
                      -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    const auto begin = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (begin + PoolChunkSize - 1) & ~(PoolChunkSize - 1);
    if (aligned > begin)
        munmap(area, aligned - begin);
    const std::uintptr_t tail = aligned + PoolChunkSize;
    if (begin + 2 * PoolChunkSize > tail)
        munmap(reinterpret_cast<void*>(tail), begin + 2 * PoolChunkSize - tail);
    auto* chunk = reinterpret_cast<PoolChunk*>(aligned);
    chunk->prev = nullptr;
    chunk->next = nullptr;
    chunk->released = nullptr;
    chunk->unused = reinterpret_cast<char*>(aligned) + PoolHeaderSize;
    chunk->live = 0;
    chunk->listed = false;
    return chunk;
}

// Chunks mapped and touched by another thread, waiting for a size to need them.
constexpr std::size_t PoolMaxPrepared = 8;
std::mutex poolReserveLock;
PoolChunk* poolReserve[PoolMaxPrepared];
std::size_t poolReserved = 0; // guarded by poolReserveLock
std::atomic<std::size_t> poolChunkDemand { 0 };

PoolChunk* takePreparedChunk()
{
    std::lock_guard<std::mutex> guard(poolReserveLock);
    return poolReserved > 0 ? poolReserve[--poolReserved] : nullptr;
}

void linkRoom(PoolSizeClass& sizeClass, PoolChunk* chunk)
{
    chunk->prev = nullptr;
    chunk->next = sizeClass.room;
    if (sizeClass.room)
        sizeClass.room->prev = chunk;
    sizeClass.room = chunk;
    chunk->listed = true;
}

void unlinkRoom(PoolSizeClass& sizeClass, PoolChunk* chunk)
{
    if (chunk->prev)
        chunk->prev->next = chunk->next;
    else
        sizeClass.room = chunk->next;
    if (chunk->next)
        chunk->next->prev = chunk->prev;
    chunk->prev = nullptr;
    chunk->next = nullptr;
    chunk->listed = false;
}

} // namespace

void* DPool::allocate(std::size_t size)
{
#ifdef DPOOL_BYPASS
    return ::operator new(size);
#else
    if (size == 0 || size > MaxSize)
        return ::operator new(size);
    const std::size_t index = (size - 1) / PoolGranule;
    const std::size_t blockSize = (index + 1) * PoolGranule;
    PoolSizeClass& sizeClass = poolSizeClasses[index];
    std::lock_guard<PoolSpinLock> guard(sizeClass.lock);
    PoolChunk* chunk = sizeClass.room;
    if (!chunk) {
        poolChunkDemand.fetch_add(1, std::memory_order_relaxed);
        // A size's first chunk is mapped here, so that a small document touches only the
        // pages it uses; later ones may come prepared.
        chunk = sizeClass.chunks > 0 ? takePreparedChunk() : nullptr;
        if (!chunk)
            chunk = mapPoolChunk();
        if (!chunk)
            throw std::bad_alloc();
        ++sizeClass.chunks;
        ++sizeClass.emptyChunks;
        linkRoom(sizeClass, chunk);
    }
    void* block;
    if (chunk->released) {
        block = chunk->released;
        chunk->released = chunk->released->next;
    } else {
        block = chunk->unused;
        chunk->unused += blockSize;
    }
    if (chunk->live++ == 0)
        --sizeClass.emptyChunks;
    ++sizeClass.live;
    const bool full = !chunk->released
        && chunk->unused + blockSize > reinterpret_cast<char*>(chunk) + PoolChunkSize;
    if (full)
        unlinkRoom(sizeClass, chunk);
    return block;
#endif
}

void DPool::release(void* block, std::size_t size) noexcept
{
#ifdef DPOOL_BYPASS
    ::operator delete(block);
#else
    if (!block)
        return;
    if (size == 0 || size > MaxSize) {
        ::operator delete(block);
        return;
    }
    PoolSizeClass& sizeClass = poolSizeClasses[(size - 1) / PoolGranule];
    PoolChunk* chunk = poolChunkOf(block);
    std::lock_guard<PoolSpinLock> guard(sizeClass.lock);
    auto* freed = static_cast<PoolFreeBlock*>(block);
    freed->next = chunk->released;
    chunk->released = freed;
    --sizeClass.live;
    if (!chunk->listed)
        linkRoom(sizeClass, chunk);
    if (--chunk->live > 0)
        return;
    // One empty chunk stays for the next allocations, so that a count going up and down
    // across a chunk's edge does not map and unmap it each time.
    if (sizeClass.emptyChunks == 0) {
        ++sizeClass.emptyChunks;
        return;
    }
    unlinkRoom(sizeClass, chunk);
    --sizeClass.chunks;
    munmap(chunk, PoolChunkSize);
#endif
}

bool DPool::prepareChunk(std::size_t count)
{
#ifdef DPOOL_BYPASS
    (void)count;
    return false;
#else
    count = count < PoolMaxPrepared ? count : PoolMaxPrepared;
    {
        std::lock_guard<std::mutex> guard(poolReserveLock);
        if (poolReserved >= count)
            return false;
    }
    PoolChunk* chunk = mapPoolChunk();
    if (!chunk)
        return false;
#ifdef MADV_POPULATE_WRITE
    // The kernel fills the chunk's page table in one call (kernels before 5.14 refuse
    // it, and the writes below do all the work); on a virtual machine whose faults
    // are costly that takes half the time of faulting page by page.
    madvise(chunk, PoolChunkSize, MADV_POPULATE_WRITE);
#endif
    // One write per page faults them all in.
    auto* bytes = reinterpret_cast<volatile char*>(chunk);
    for (std::size_t offset = PoolHeaderSize; offset < PoolChunkSize; offset += 4096)
        bytes[offset] = 0;
    std::lock_guard<std::mutex> guard(poolReserveLock);
    if (poolReserved >= PoolMaxPrepared) {
        munmap(chunk, PoolChunkSize);
        return false;
    }
    poolReserve[poolReserved++] = chunk;
    return true;
#endif
}

void DPool::prepareChunks(std::size_t count)
{
    while (prepareChunk(count)) {
    }
}

std::size_t DPool::chunkDemand()
{
    return poolChunkDemand.load(std::memory_order_relaxed);
}

void DPool::releasePreparedChunks()
{
#ifndef DPOOL_BYPASS
    std::lock_guard<std::mutex> guard(poolReserveLock);
    while (poolReserved > 0)
        munmap(poolReserve[--poolReserved], PoolChunkSize);
#endif
}

bool DPool::enabled()
{
#ifdef DPOOL_BYPASS
    return false;
#else
    return true;
#endif
}

std::size_t DPool::chunkCount()
{
    std::size_t count = 0;
    for (PoolSizeClass& sizeClass : poolSizeClasses) {
        std::lock_guard<PoolSpinLock> guard(sizeClass.lock);
        count += sizeClass.chunks;
    }
    return count;
}

std::size_t DPool::liveBytes()
{
    std::size_t bytes = 0;
    for (std::size_t index = 0; index < PoolSizeCount; ++index) {
        std::lock_guard<PoolSpinLock> guard(poolSizeClasses[index].lock);
        bytes += poolSizeClasses[index].live * (index + 1) * PoolGranule;
    }
    return bytes;
}
