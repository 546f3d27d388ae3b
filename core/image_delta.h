#pragma once
// ImageDelta: what changed between two images of the same size, stored as the exclusive-or of
// the runs of bytes that differ. Applying it to either image gives the other, so one delta
// serves both undo and redo, and a stamp that changes a corner costs a corner, not a canvas.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace core {

class ImageDelta {
  public:
    // The change from before to after; both spans have the same length.
    static ImageDelta between(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after);

    // Turns before into after, or after into before; image has the length the delta was made for.
    void applyTo(std::span<std::uint8_t> image) const;

    bool isEmpty() const { return m_runs.empty(); }
    // Bytes held, runs and changed bytes together, for the history's bound.
    std::size_t memoryBytes() const {
        return m_runs.capacity() * sizeof(Run) + m_bytes.capacity() + sizeof(*this);
    }

  private:
    // Differences are found and stored a block at a time: fast to find, and a run header per
    // block of change is a small overhead.
    static constexpr std::size_t kBlock = 32;
    struct Run {
        std::uint32_t offset; // into the image
        std::uint32_t length; // bytes, their exclusive-or at the same place in m_bytes
    };
    std::vector<Run> m_runs;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace core
