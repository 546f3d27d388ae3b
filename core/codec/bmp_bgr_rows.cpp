// Swapping red and blue along a row: the hot loop of writing and of reading a 24-bit file.
// The vector versions shuffle bytes within each 3-byte pixel: SSSE3 five pixels (15 bytes)
// to a 16-byte register, AVX2 two such groups to a register's two lanes, AVX-512 twenty-one
// pixels (63 bytes) to a 64-byte register with one byte permute. The portable loop does the
// last few pixels of a row that the vector steps leave.

#include "core/codec/bmp_bgr_rows.h"

#ifdef QUILTANE_X86_KERNELS
#include <immintrin.h>
#endif

namespace core::bmp {
namespace {

using SwapRow = void (*)(const std::uint8_t*, std::uint8_t*, int);

void swapPortable(const std::uint8_t* src, std::uint8_t* dst, int width) {
    for (int x = 0; x < width; ++x, src += 3, dst += 3) {
        const std::uint8_t first = src[0], second = src[1], third = src[2];
        dst[0] = third;
        dst[1] = second;
        dst[2] = first;
    }
}

#ifdef QUILTANE_X86_KERNELS

// A 16-byte step swaps five pixels and copies the 16th byte as it is: the first byte of the
// next pixel, which the next step (or the portable tail) writes again, swapped. So a step
// reads and writes one byte past its five pixels, and steps go only while a sixth pixel
// follows.
constexpr int kPixelsIn16 = 5;

__attribute__((target("ssse3"))) inline __m128i swapFiveIndex() {
    return _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
}

__attribute__((target("ssse3"))) inline void swapFive(const std::uint8_t* src, std::uint8_t* dst,
                                                      __m128i swap) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(v, swap));
}

__attribute__((target("ssse3"))) void swapSsse3(const std::uint8_t* src, std::uint8_t* dst, int width) {
    const __m128i swap = swapFiveIndex();
    int x = 0;
    for (; x + 4 * kPixelsIn16 < width; x += 4 * kPixelsIn16)
        for (int k = 0; k < 4 * kPixelsIn16; k += kPixelsIn16)
            swapFive(src + 3 * (x + k), dst + 3 * (x + k), swap);
    for (; x + kPixelsIn16 < width; x += kPixelsIn16)
        swapFive(src + 3 * x, dst + 3 * x, swap);
    swapPortable(src + 3 * x, dst + 3 * x, width - x);
}

// Ten pixels: lane 0 takes the first five, lane 1 the next five. Each lane is stored on its
// own, as the two groups are 15 bytes apart, not 16.
__attribute__((target("avx2"))) inline void swapTen(const std::uint8_t* src, std::uint8_t* dst,
                                                    __m256i swap) {
    const __m256i v =
        _mm256_shuffle_epi8(_mm256_loadu2_m128i(reinterpret_cast<const __m128i*>(src + 3 * kPixelsIn16),
                                                reinterpret_cast<const __m128i*>(src)),
                            swap);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * kPixelsIn16), _mm256_extracti128_si256(v, 1));
}

__attribute__((target("avx2"))) void swapAvx2(const std::uint8_t* src, std::uint8_t* dst, int width) {
    const __m128i swap5 = swapFiveIndex();
    const __m256i swap10 = _mm256_broadcastsi128_si256(swap5);
    int x = 0;
    for (; x + 4 * kPixelsIn16 < width; x += 4 * kPixelsIn16) {
        swapTen(src + 3 * x, dst + 3 * x, swap10);
        swapTen(src + 3 * (x + 2 * kPixelsIn16), dst + 3 * (x + 2 * kPixelsIn16), swap10);
    }
    for (; x + kPixelsIn16 < width; x += kPixelsIn16)
        swapFive(src + 3 * x, dst + 3 * x, swap5);
    swapPortable(src + 3 * x, dst + 3 * x, width - x);
}

// The byte permute for 21 pixels: byte i takes byte i of its pixel counted from the other
// end; byte 63 (the next pixel's first) stays.
struct Swap21 {
    alignas(64) std::uint8_t index[64];
};
constexpr Swap21 makeSwap21() {
    Swap21 t{};
    for (int i = 0; i < 63; ++i)
        t.index[i] = std::uint8_t(3 * (i / 3) + 2 - i % 3);
    t.index[63] = 63;
    return t;
}
constexpr Swap21 kSwap21 = makeSwap21();
constexpr int kPixelsIn64 = 21;

// The permute of one register's bytes, written as the two-register form with the register
// twice (the same instruction speed; GCC 12 warns on its own one-register form).
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) inline __m512i permute(__m512i v, __m512i index) {
    return _mm512_permutex2var_epi8(v, index, v);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void swapAvx512(const std::uint8_t* src,
                                                                       std::uint8_t* dst, int width) {
    const __m512i swap = _mm512_load_si512(kSwap21.index);
    int x = 0;
    for (; x + kPixelsIn64 < width; x += kPixelsIn64) {
        const __m512i v = _mm512_loadu_si512(src + 3 * x);
        _mm512_storeu_si512(dst + 3 * x, permute(v, swap));
    }
    // The last 1 to 21 pixels: masked loads and stores touch their bytes only.
    const int rest = 3 * (width - x);
    if (rest > 0) {
        const __mmask64 bytes = (std::uint64_t(1) << rest) - 1; // rest is at most 63
        const __m512i v = _mm512_maskz_loadu_epi8(bytes, src + 3 * x);
        _mm512_mask_storeu_epi8(dst + 3 * x, bytes, permute(v, swap));
    }
}

constexpr rows::KernelSet<SwapRow> kSwap({swapPortable, swapSsse3, swapAvx2, swapAvx512});

#else

constexpr rows::KernelSet<SwapRow> kSwap({swapPortable, nullptr, nullptr, nullptr});

#endif

SwapRow chosen() {
    static const SwapRow swap = kSwap.pick(kSwap.widest());
    return swap;
}

} // namespace

void swapRedBlue(const std::uint8_t* src, std::uint8_t* dst, int width) {
    chosen()(src, dst, width);
}

void swapRedBlue(rows::Kernel kernel, const std::uint8_t* src, std::uint8_t* dst, int width) {
    kSwap.pick(kernel)(src, dst, width);
}

std::vector<rows::Kernel> swapKernels() {
    return kSwap.runnable();
}

rows::Kernel swapKernel() {
    return kSwap.widest();
}

} // namespace core::bmp
