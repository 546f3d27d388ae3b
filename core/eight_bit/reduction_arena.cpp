// The arena is a bump allocator over pages of its own: mapped from the system rather than taken
// from the heap, so that it is given back whole when the reduction ends and leaves the heap as
// it found it, and pages it never touches cost no memory. A block is the next 16-byte aligned
// stretch (libimagequant keeps its pixel rows in SSE registers' alignment). The active arena
// is found through a variable of the calling thread, since libimagequant's allocator takes no
// argument; the reduction runs on that thread alone.

#include "core/eight_bit/reduction_arena.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace core {
namespace {

constexpr std::size_t kAlignment = 16;
// The measured most, with a quarter more: about 230 KiB and up to 76 bytes a pixel (a million
// pixels of noise), then 34 a pixel beyond four million, where libimagequant keeps no converted
// copy of the pixels (16.7 million pixels of noise; 12 at 67 million). The fixed part has more,
// since it is nearly all there is to a small picture.
constexpr std::size_t kFixedBytes = 384 * 1024;
constexpr std::size_t kBytesPerPixel = 96;
constexpr std::size_t kLowMemoryPixels = std::size_t(4) << 20;
constexpr std::size_t kLowMemoryBytesPerPixel = 44;

std::size_t alignedUp(std::size_t bytes) {
    return (bytes + kAlignment - 1) / kAlignment * kAlignment;
}

thread_local ReductionArena* t_active = nullptr;

} // namespace

std::atomic<std::size_t> ReductionArena::s_overflows{0};

std::size_t ReductionArena::bytesFor(std::size_t pixels) {
    const std::size_t beyond = pixels > kLowMemoryPixels ? pixels - kLowMemoryPixels : 0;
    return kFixedBytes + (pixels - beyond) * kBytesPerPixel + beyond * kLowMemoryBytesPerPixel;
}

ReductionArena::ReductionArena(std::size_t pixels) : m_size(alignedUp(bytesFor(pixels))) {
    void* pages = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages != MAP_FAILED) m_memory = static_cast<std::byte*>(pages);
}

ReductionArena::~ReductionArena() {
    if (m_memory != nullptr) ::munmap(m_memory, m_size);
}

ReductionArena::Active::Active(ReductionArena& arena) {
    t_active = &arena;
}

ReductionArena::Active::~Active() {
    t_active = nullptr;
}

bool ReductionArena::holds(const void* block) const {
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    const auto begin = reinterpret_cast<std::uintptr_t>(m_memory);
    return at >= begin && at < begin + m_size;
}

void* ReductionArena::allocate(std::size_t bytes) {
    const std::size_t size = alignedUp(bytes == 0 ? 1 : bytes);
    if (ReductionArena* arena = t_active) {
        if (arena->m_size - arena->m_used >= size) {
            std::byte* block = arena->m_memory + arena->m_used;
            arena->m_used += size;
            return block;
        }
        s_overflows.fetch_add(1);
    }
    return std::aligned_alloc(kAlignment, size);
}

void ReductionArena::release(void* block) {
    if (t_active != nullptr && t_active->holds(block)) return; // freed with the arena
    std::free(block);
}

} // namespace core
