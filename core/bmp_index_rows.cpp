// Expanding rows of 8-bit palette indices to red, green and blue: the hot loop of loading a
// game skin. Where the processor has AVX-512 byte permutes, 64 pixels go at a time through the
// palette split into one 256-byte plane per channel; elsewhere eight pixels at a time through
// the 32-bit table.

#include <bit>
#include <cstring>

#include "core/bmp_format.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUILTANE_WIDE_EXPAND 1
#endif

namespace core::bmp {
namespace {

void expandNarrow(const std::uint8_t* indices, std::uint8_t* rgb, int from, int width,
                  const PaletteLut& lut) {
    int x = from;
    rgb += std::size_t(from) * 3;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight pixels are 24 bytes: three 8-byte stores instead of 24 single bytes.
        for (; x + 8 <= width; x += 8, rgb += 24) {
            const std::uint8_t* i = indices + x;
            const std::uint64_t t0 = lut[i[0]], t1 = lut[i[1]], t2 = lut[i[2]], t3 = lut[i[3]],
                                t4 = lut[i[4]], t5 = lut[i[5]], t6 = lut[i[6]], t7 = lut[i[7]];
            const std::uint64_t w0 = t0 | t1 << 24 | t2 << 48, w1 = t2 >> 16 | t3 << 8 | t4 << 32 | t5 << 56,
                                w2 = t5 >> 8 | t6 << 16 | t7 << 40;
            // Separate stores: one 24-byte copy from a local array stalls on store forwarding.
            std::memcpy(rgb, &w0, 8);
            std::memcpy(rgb + 8, &w1, 8);
            std::memcpy(rgb + 16, &w2, 8);
        }
    }
    for (; x < width; ++x, rgb += 3) {
        const std::uint32_t c = lut[indices[x]];
        rgb[0] = std::uint8_t(c);
        rgb[1] = std::uint8_t(c >> 8);
        rgb[2] = std::uint8_t(c >> 16);
    }
}

#ifdef QUILTANE_WIDE_EXPAND

// For output vector j (bytes 64j .. 64j + 63 of 64 interleaved pixels), byte k holds channel
// (64j + k) % 3 of pixel (64j + k) / 3. Red and green come from one two-plane permute (green
// offset by 64), blue from a permute of its plane alone, chosen per byte by the blue mask.
struct InterleaveTables {
    alignas(64) std::uint8_t redGreen[3][64];
    alignas(64) std::uint8_t blue[3][64];
    std::uint64_t blueMask[3];
};

constexpr InterleaveTables makeInterleaveTables() {
    InterleaveTables t{};
    for (int j = 0; j < 3; ++j)
        for (int k = 0; k < 64; ++k) {
            const int at = 64 * j + k, pixel = at / 3, channel = at % 3;
            t.redGreen[j][k] = std::uint8_t(channel == 1 ? pixel + 64 : pixel);
            t.blue[j][k] = std::uint8_t(pixel);
            if (channel == 2) t.blueMask[j] |= std::uint64_t(1) << k;
        }
    return t;
}
constexpr InterleaveTables kInterleave = makeInterleaveTables();

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) int
expandWide(const std::uint8_t* indices, std::uint8_t* rgb, int width, const std::uint8_t (&planes)[3][256]) {
    __m512i quarter[3][4];
    for (int c = 0; c < 3; ++c)
        for (int q = 0; q < 4; ++q)
            quarter[c][q] = _mm512_loadu_si512(planes[c] + 64 * q);
    __m512i redGreen[3], blue[3];
    for (int j = 0; j < 3; ++j) {
        redGreen[j] = _mm512_load_si512(kInterleave.redGreen[j]);
        blue[j] = _mm512_load_si512(kInterleave.blue[j]);
    }

    int x = 0;
    for (; x + 64 <= width; x += 64, rgb += 192) {
        const __m512i index = _mm512_loadu_si512(indices + x);
        const __mmask64 upperHalf = _mm512_movepi8_mask(index); // indices 128-255
        __m512i channel[3];
        for (int c = 0; c < 3; ++c) {
            // Each permute reads 128 entries by the index's low seven bits.
            const __m512i lower = _mm512_permutex2var_epi8(quarter[c][0], index, quarter[c][1]);
            const __m512i upper = _mm512_permutex2var_epi8(quarter[c][2], index, quarter[c][3]);
            channel[c] = _mm512_mask_blend_epi8(upperHalf, lower, upper);
        }
        for (int j = 0; j < 3; ++j) {
            const __m512i rg = _mm512_permutex2var_epi8(channel[0], redGreen[j], channel[1]);
            const __m512i b = _mm512_permutex2var_epi8(channel[2], blue[j], channel[2]);
            _mm512_storeu_si512(rgb + 64 * j, _mm512_mask_blend_epi8(kInterleave.blueMask[j], rg, b));
        }
    }
    return x;
}

bool hasWideExpand() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vbmi");
    return has;
}

#endif

} // namespace

bool IndexRowExpander::wideAvailable() {
#ifdef QUILTANE_WIDE_EXPAND
    return hasWideExpand();
#else
    return false;
#endif
}

IndexRowExpander::IndexRowExpander(const PaletteLut& lut, bool wide) : m_lut(lut) {
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c)
            m_planes[c][i] = std::uint8_t(lut[std::size_t(i)] >> (8 * c));
    m_wide = wide && wideAvailable();
}

void IndexRowExpander::operator()(const std::uint8_t* indices, std::uint8_t* rgb, int width) const {
    int done = 0;
#ifdef QUILTANE_WIDE_EXPAND
    if (m_wide) done = expandWide(indices, rgb, width, m_planes);
#endif
    expandNarrow(indices, rgb, done, width, m_lut);
}

} // namespace core::bmp
