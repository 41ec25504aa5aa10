#include "heap_meter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> g_inUse{0};
std::atomic<std::size_t> g_peak{0};

void RaisePeak(std::size_t inUse)
{
    std::size_t peak = g_peak.load(std::memory_order_relaxed);
    while (inUse > peak && !g_peak.compare_exchange_weak(peak, inUse, std::memory_order_relaxed)) {
    }
}

// Usable sizes are counted on both sides, so every block adds what it removes.
void* Allocate(std::size_t size) noexcept
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block) {
        const std::size_t usable = malloc_usable_size(block);
        RaisePeak(g_inUse.fetch_add(usable, std::memory_order_relaxed) + usable);
    }
    return block;
}

void Release(void* block) noexcept
{
    if (!block)
        return;
    g_inUse.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

void* AllocateOrThrow(std::size_t size)
{
    void* block = Allocate(size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

}  // namespace

namespace heap_meter {

std::size_t InUse() { return g_inUse.load(std::memory_order_relaxed); }
std::size_t Peak() { return g_peak.load(std::memory_order_relaxed); }
void ResetPeak() { g_peak.store(InUse(), std::memory_order_relaxed); }

}  // namespace heap_meter

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
