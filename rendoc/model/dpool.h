#pragma once

#include <cstddef>

// Storage for the small objects a report has by the million: document items, report nodes and
// their tree entries. Classes route their operator new and delete here.
//
// Blocks of one size (rounded up to 8 bytes) come from 2 MiB chunks of that size alone, so a
// report's items lie side by side instead of scattered between its strings, with no per-block
// header. Blocks are aligned on 8 bytes: a class that needs more must not be allocated here.
// A size's first chunk is touched only as its blocks are handed out, so a small report uses the
// few pages it needs. A chunk whose blocks are all released is unmapped, save one spare per size.
//
// Any thread may allocate and release, also a block another thread allocated. Sizes above
// MaxSize, and every size in builds with the address sanitizer (so that it keeps seeing each
// object), go to the global operator new and delete.
class DPool
{
public:
    static constexpr std::size_t MaxSize = 256;

    static void* allocate(std::size_t size);
    // Takes back a block of `size` bytes, the size it was allocated with. Null is ignored.
    static void release(void* block, std::size_t size) noexcept;

    // False in builds that hand every size to the global operator new and delete.
    static bool enabled();

    // A thread with time to spare can take the kernel's zeroing of fresh pages off the
    // allocating one: prepareChunk() maps and touches one chunk when fewer than `count` wait
    // in a reserve (true when it did), which a size needing a further chunk takes from first;
    // prepareChunks() fills the reserve up to `count`. chunkDemand() counts the chunks sizes
    // took so far; releasePreparedChunks() unmaps what is left.
    static bool prepareChunk(std::size_t count);
    static void prepareChunks(std::size_t count);
    static std::size_t chunkDemand();
    static void releasePreparedChunks();

    // Chunks mapped now, over all sizes (not those in reserve); for tests and memory figures.
    static std::size_t chunkCount();
    // Bytes of blocks handed out and not yet released, over all sizes.
    static std::size_t liveBytes();
};
