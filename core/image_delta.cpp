#include "core/image_delta.h"

#include <algorithm>
#include <cstring>

namespace core {

namespace {

// to ^= from over n bytes, eight at a time where it can.
void exclusiveOr(std::uint8_t* to, const std::uint8_t* from, std::size_t n) {
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, to + i, 8);
        std::memcpy(&b, from + i, 8);
        a ^= b;
        std::memcpy(to + i, &a, 8);
    }
    for (; i < n; ++i)
        to[i] ^= from[i];
}

} // namespace

ImageDelta ImageDelta::between(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after) {
    ImageDelta delta;
    const std::size_t size = std::min(before.size(), after.size());
    // First the runs of differing blocks, then their bytes in one allocation of the exact size.
    std::size_t changed = 0;
    bool inRun = false;
    for (std::size_t block = 0; block < size; block += kBlock) {
        const std::size_t length = std::min(kBlock, size - block);
        const bool differs = std::memcmp(before.data() + block, after.data() + block, length) != 0;
        if (differs) {
            if (!inRun) delta.m_runs.push_back({std::uint32_t(block), 0});
            delta.m_runs.back().length += std::uint32_t(length);
            changed += length;
        }
        inRun = differs;
    }
    delta.m_runs.shrink_to_fit();
    delta.m_bytes.resize(changed);
    std::uint8_t* to = delta.m_bytes.data();
    for (const Run& run : delta.m_runs) {
        std::memcpy(to, before.data() + run.offset, run.length);
        exclusiveOr(to, after.data() + run.offset, run.length);
        to += run.length;
    }
    return delta;
}

void ImageDelta::applyTo(std::span<std::uint8_t> image) const {
    const std::uint8_t* change = m_bytes.data();
    for (const Run& run : m_runs) {
        exclusiveOr(image.data() + run.offset, change, run.length);
        change += run.length;
    }
}

} // namespace core
