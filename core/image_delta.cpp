#include "core/image_delta.h"

#include <algorithm>
#include <cstring>

namespace core {

ImageDelta ImageDelta::between(std::span<const std::uint8_t> before, std::span<const std::uint8_t> after) {
    ImageDelta delta;
    const std::size_t size = std::min(before.size(), after.size());
    std::size_t runStart = 0;
    bool inRun = false;
    auto closeRun = [&](std::size_t end) {
        const std::size_t at = delta.m_bytes.size();
        delta.m_runs.push_back({std::uint32_t(runStart), std::uint32_t(end - runStart)});
        delta.m_bytes.resize(at + (end - runStart));
        for (std::size_t i = runStart; i < end; ++i)
            delta.m_bytes[at + i - runStart] = before[i] ^ after[i];
    };
    for (std::size_t block = 0; block < size; block += kBlock) {
        const std::size_t length = std::min(kBlock, size - block);
        const bool differs = std::memcmp(before.data() + block, after.data() + block, length) != 0;
        if (differs && !inRun) runStart = block;
        if (!differs && inRun) closeRun(block);
        inRun = differs;
    }
    if (inRun) closeRun(size);
    delta.m_runs.shrink_to_fit();
    return delta;
}

void ImageDelta::applyTo(std::span<std::uint8_t> image) const {
    const std::uint8_t* change = m_bytes.data();
    for (const Run& run : m_runs) {
        std::uint8_t* at = image.data() + run.offset;
        for (std::uint32_t i = 0; i < run.length; ++i)
            at[i] ^= change[i];
        change += run.length;
    }
}

} // namespace core
