#include "fuzz/fuzzheapmeter.h"

#include <atomic>
#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORVAT_HEAP_HOOKS 1
#endif
#endif
#if !defined(KORVAT_HEAP_HOOKS) && defined(__SANITIZE_ADDRESS__)
#define KORVAT_HEAP_HOOKS 1
#endif

#ifdef KORVAT_HEAP_HOOKS
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
// GCC ships no header for the allocator interface its AddressSanitizer runtime exports.
extern "C" {
int __sanitizer_get_ownership(const volatile void* pointer);
size_t __sanitizer_get_allocated_size(const volatile void* pointer);
int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                              void (*onFree)(const volatile void*));
}
#endif
#endif

namespace {

// Bytes held since the hooks went in (they can go below zero: memory allocated
// before is freed too), and the highest value since the last start().
std::atomic<std::int64_t> held{0};
std::atomic<std::int64_t> highest{0};
std::int64_t base = 0;

#ifdef KORVAT_HEAP_HOOKS
void onMalloc(const volatile void*, size_t size)
{
    const std::int64_t now = held.fetch_add(std::int64_t(size), std::memory_order_relaxed)
                             + std::int64_t(size);
    std::int64_t seen = highest.load(std::memory_order_relaxed);
    while (now > seen && !highest.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

void onFree(const volatile void* pointer)
{
    // The sanitizer still owns the block here, so its size is known.
    if (pointer && __sanitizer_get_ownership(const_cast<const void*>(pointer)))
        held.fetch_sub(std::int64_t(__sanitizer_get_allocated_size(const_cast<const void*>(pointer))),
                       std::memory_order_relaxed);
}

bool install()
{
    return __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
}
#else
bool install()
{
    return false;
}
#endif

bool installed()
{
    static const bool done = install();
    return done;
}

} // namespace

bool FuzzHeapMeter::available()
{
    return installed();
}

void FuzzHeapMeter::start()
{
    installed();
    base = held.load(std::memory_order_relaxed);
    highest.store(base, std::memory_order_relaxed);
}

std::int64_t FuzzHeapMeter::peak()
{
    return installed() ? highest.load(std::memory_order_relaxed) - base : 0;
}
