// The 24-bit writer's rows through each row-loop kernel the processor runs: an RGB picture's
// pixels swapped to blue, green, red, an indexed picture's expanded through its palette in the
// same order, each row padded with zeros, the bottom row first.

#include <gtest/gtest.h>

#include "core/codec/bmp_encoder.h"
#include "tests/core/rows/row_kernel_test_support.h"

namespace {

using core::BmpEncoder;
using core::Picture;
using core::Rgb;
using core::rows::Kernel;

// Every pixel of a row distinct, red and blue apart: red = x, green = a tag of the row.
Rgb colourAt(int x, int y) {
    return {std::uint8_t(x), std::uint8_t(40 + y), std::uint8_t(250 - x)};
}

Picture rgbPicture(int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return Picture(width, height, rgb);
}

// The same colours through a palette: index y * width + x, modulo 256 (the widths used keep
// every index distinct from its row's neighbours).
Picture indexedPicture(int width, int height) {
    std::vector<Rgb> entries(256);
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = std::uint8_t(y * width + x);
            entries[index] = colourAt(x, y);
            indices.push_back(index);
        }
    return Picture(width, height, core::Palette(entries), indices);
}

class EncoderRows : public kerneltest::EachKernel {};

TEST_P(EncoderRows, StoreEachPixelBlueGreenRedAndPadWithZeros) {
    const Kernel kernel = GetParam();
    const int height = 2;
    for (bool indexed : {false, true})
        for (int width : {1, 5, 6, 21, 22, 43, 64, 65, 127}) {
            SCOPED_TRACE((indexed ? "indexed, width " : "RGB, width ") + std::to_string(width));
            const Picture picture = indexed ? indexedPicture(width, height) : rgbPicture(width, height);
            const auto encoder = BmpEncoder::trueColour(picture, kernel);
            ASSERT_TRUE(encoder) << encoder.message();
            const std::size_t stride = encoder.value().rowStride();
            for (int i = 0; i < height; ++i) {
                std::vector<std::uint8_t> expected;
                for (int x = 0; x < width; ++x) {
                    const Rgb c = colourAt(x, height - 1 - i); // stored bottom-up
                    expected.insert(expected.end(), {c.b, c.g, c.r});
                }
                expected.resize(stride, 0);
                std::vector<std::uint8_t> row(stride, 0xA5);
                encoder.value().storedRow(i, row.data());
                EXPECT_EQ(row, expected) << "stored row " << i;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Kernels, EncoderRows, ::testing::ValuesIn(core::rows::kKernels),
                         kerneltest::kernelTestName);

} // namespace
