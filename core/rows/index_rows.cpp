// Expanding rows of 8-bit palette indices to red, green and blue: the hot loop of loading a
// game skin. Where the processor has AVX-512 byte permutes, 64 pixels go at a time through the
// palette split into one 256-byte plane per channel; elsewhere eight pixels at a time through
// the 32-bit table. SSSE3 and AVX2 have no 256-entry byte lookup: AVX2's gather of the 32-bit
// table, 16 pixels at a time packed to 3 bytes each by byte shuffles, was slower than the
// portable loop on a Zen 4 (decoding and expanding a 256 x 256 skin: 27 against 21
// microseconds), so those processors run the portable loop.

#include <bit>
#include <cstring>

#include "core/rows/index_rows.h"

#ifdef QUILTANE_X86_KERNELS
#include <immintrin.h>
#endif

namespace core::rows {
namespace {

using Tables = IndexRowExpander::Tables;

void expandPortable(const Tables& tables, const std::uint8_t* indices, std::uint8_t* rgb, int width) {
    const PaletteLut& lut = tables.lut;
    int x = 0;
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

#ifdef QUILTANE_X86_KERNELS

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

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void
expandAvx512(const Tables& tables, const std::uint8_t* indices, std::uint8_t* rgb, int width) {
    const std::uint8_t(&planes)[3][256] = tables.planes;
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
    expandPortable(tables, indices + x, rgb, width - x);
}

constexpr KernelSet<IndexRowExpander::ExpandRow> kExpand({expandPortable, nullptr, nullptr, expandAvx512});

#else

constexpr KernelSet<IndexRowExpander::ExpandRow> kExpand({expandPortable, nullptr, nullptr, nullptr});

#endif

Kernel widestKernel() {
    static const Kernel widest = kExpand.widest();
    return widest;
}

} // namespace

IndexRowExpander::IndexRowExpander(const PaletteLut& lut) : IndexRowExpander(lut, widestKernel()) {}

IndexRowExpander::IndexRowExpander(const PaletteLut& lut, Kernel kernel)
    : m_kernel(kExpand.runs(kernel) ? kernel : Kernel::Portable), m_expand(kExpand.pick(kernel)) {
    m_tables.lut = lut;
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c)
            m_tables.planes[c][i] = std::uint8_t(lut[std::size_t(i)] >> (8 * c));
}

std::vector<Kernel> IndexRowExpander::kernels() {
    return kExpand.runnable();
}

} // namespace core::rows
