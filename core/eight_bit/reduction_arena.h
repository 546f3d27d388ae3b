#pragma once
// The memory libimagequant works in during one colour reduction, taken whole before it runs.
// libimagequant does not survive every allocation that fails: a pool it grows while counting
// colours is used as if the allocation had succeeded, and the program ends on a bad address. So
// it is handed an allocator that cannot fail: every block comes from this arena, reserved up
// front with a margin over the most libimagequant was measured to ask for (blocks it frees are
// not reused). A reduction that cannot have its arena fails cleanly before libimagequant runs.

#include <atomic>
#include <cstddef>

namespace core {

class ReductionArena {
  public:
    // What libimagequant asks for in all, at most, to reduce a picture of `pixels` pixels at
    // the reduction's settings, with a margin (measured from 4 x 4 to 8192 x 8192 pixels,
    // gradients to noise, with and without dithering: see the .cpp). A 256 x 256 skin: 6.4 MiB.
    static std::size_t bytesFor(std::size_t pixels);

    // Reserves bytesFor(pixels); holds nothing when memory is short.
    explicit ReductionArena(std::size_t pixels);
    ~ReductionArena();
    ReductionArena(const ReductionArena&) = delete;
    ReductionArena& operator=(const ReductionArena&) = delete;
    bool isReserved() const { return m_memory != nullptr; }

    // While an Active lives, allocate and release on this thread serve libimagequant from the
    // arena; every block from it must be released before the Active ends. One arena is active
    // on a thread at a time.
    class Active {
      public:
        explicit Active(ReductionArena& arena);
        ~Active();
        Active(const Active&) = delete;
        Active& operator=(const Active&) = delete;
    };

    // The allocator handed to libimagequant: 16-byte aligned blocks from the active arena;
    // when there is none, or it is used up, from the heap, where a failure is again
    // libimagequant's to survive.
    static void* allocate(std::size_t bytes);
    static void release(void* block);

    // How many blocks, in the whole run, had to come from the heap because an active arena was
    // used up: a sign that bytesFor is too small.
    static std::size_t overflows() { return s_overflows.load(); }

  private:
    bool holds(const void* block) const;
    std::byte* m_memory = nullptr;
    std::size_t m_size = 0, m_used = 0;
    static std::atomic<std::size_t> s_overflows;
};

} // namespace core
