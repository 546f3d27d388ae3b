#pragma once
// Swapping red and blue along a row of 3-byte pixels: how 24-bit BMP files store colours
// (blue, green, red) against how pictures hold them (red, green, blue). The one swap serves
// both ways, the writer and the reader. The loops are in bmp_bgr_rows.cpp.

#include <cstdint>
#include <vector>

#include "core/rows/row_kernel.h"

namespace core::bmp {

// Writes width pixels of src (3 bytes each) to dst with the first and third byte of each
// swapped: width * 3 bytes, nothing beyond, reading nothing beyond src's width * 3 bytes.
// src and dst do not overlap. Runs the widest version this processor has.
void swapRedBlue(const std::uint8_t* src, std::uint8_t* dst, int width);
// The same through the kernel's version where this processor runs it, else the portable one
// (tests and benchmarks compare them).
void swapRedBlue(rows::Kernel kernel, const std::uint8_t* src, std::uint8_t* dst, int width);
// The kernels the swap has that this processor runs, portable first.
std::vector<rows::Kernel> swapKernels();
// The kernel swapRedBlue without one runs.
rows::Kernel swapKernel();

} // namespace core::bmp
