// The imaging core against its baselines: a full-canvas paint beside a memcpy of the same
// bytes, the BMP codec beside Qt's own BMP reader and writer on the same bytes, and the
// codec's row loops through each instruction set this processor runs.

#include <benchmark/benchmark.h>

#include <cstring>

#include "core/codec/bmp.h"
#include "core/codec/bmp_bgr_rows.h"
#include "core/codec/bmp_encoder.h"
#include "core/rows/index_rows.h"
#include "core/canvas.h"

#ifdef QUILTANE_WITH_QT
#include <QBuffer>
#include <QImage>
#endif

namespace {

using core::Canvas;
using core::PaintArgs;
using core::Picture;
using core::rows::Kernel;

std::vector<std::uint8_t> skinRgb() {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)});
    return rgb;
}

Picture skinPicture() {
    return Picture(256, 256, skinRgb());
}

// A 256 x 256 8-bit palette BMP, as the game's own skins are stored, written by the codec's
// own writer: a full palette and every index in use.
std::vector<std::uint8_t> skinBmp8() {
    std::vector<core::Rgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.push_back({std::uint8_t(255 - i), std::uint8_t(i), std::uint8_t(i / 2)});
    std::vector<std::uint8_t> indices(256 * 256);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = std::uint8_t((i * 7) ^ (i >> 8));
    return core::BmpEncoder::palette({256, 256, palette, indices}, 8, core::BmpEncoder::ColoursUsed::Stated)
        .value()
        .bytes();
}

PaintArgs fullCanvas(core::RasterOp op) {
    PaintArgs args;
    args.width1 = 256;
    args.height1 = 256;
    args.op = op;
    return args;
}

void BM_MemcpyCanvas(benchmark::State& state) {
    std::vector<std::uint8_t> from(256 * 256 * 3, 1), to(256 * 256 * 3);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(to.size()));
}
BENCHMARK(BM_MemcpyCanvas);

void BM_PaintFullCanvas(benchmark::State& state) {
    const auto op = static_cast<core::RasterOp>(state.range(0));
    Canvas canvas;
    const Picture source = skinPicture();
    const PaintArgs args = fullCanvas(op);
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.paintPicture(source, args));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 256 * 256 * 3);
    state.SetLabel(std::string(core::rasterOpName(op)));
}
BENCHMARK(BM_PaintFullCanvas)->Arg(0xCC0020)->Arg(0xEE0086)->Arg(0x8800C6)->Arg(0x330008);

// The one stamp that stretches: 34 source rows onto 29.
void BM_PaintB475Stretch(benchmark::State& state) {
    Canvas canvas;
    const Picture source = skinPicture();
    PaintArgs args;
    args.x1 = 90;
    args.y1 = 227;
    args.width1 = 166;
    args.height1 = 29;
    args.x2 = 90;
    args.y2 = 222;
    for (auto _ : state) {
        benchmark::DoNotOptimize(canvas.paintPicture(source, args));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintB475Stretch);

// Decoding keeps the indices, as QImage does: no palette expansion, so no processor feature
// plays a part.
void BM_DecodeSkin8(benchmark::State& state) {
    const std::vector<std::uint8_t> bmp = skinBmp8();
    for (auto _ : state) {
        auto picture = core::decodeBmp(bmp);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_DecodeSkin8);

// One benchmark run per kernel a row loop has that this processor runs, the kernel as its
// argument: the portable loop (what a processor without the vector sets runs) beside each
// vector version.
template <std::vector<Kernel> (*kernels)()> void eachKernel(benchmark::internal::Benchmark* b) {
    for (Kernel kernel : kernels())
        b->Arg(int(kernel));
}

// Decoding and then every row's red, green and blue, as loading a skin into a canvas needs.
void BM_DecodeSkin8ToRgb(benchmark::State& state) {
    const auto kernel = Kernel(state.range(0));
    state.SetLabel(std::string(core::rows::kernelName(kernel)));
    const std::vector<std::uint8_t> bmp = skinBmp8();
    std::vector<std::uint8_t> rgb(256 * 256 * 3);
    for (auto _ : state) {
        auto picture = core::decodeBmp(bmp);
        const Picture& p = picture.value();
        const core::rows::IndexRowExpander expand(p.palette()->lut(), kernel);
        for (int y = 0; y < 256; ++y)
            expand(p.indexRow(y), &rgb[std::size_t(y) * 256 * 3], 256);
        benchmark::DoNotOptimize(rgb.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeSkin8ToRgb)->Apply(eachKernel<core::rows::IndexRowExpander::kernels>);

// The whole file in memory, through the row loops this processor runs best.
void BM_EncodeSkin24(benchmark::State& state) {
    const Picture picture = skinPicture();
    for (auto _ : state) {
        auto bytes = core::encodeBmp24(picture);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_EncodeSkin24);

// The same through each kernel's red-blue swap.
void BM_EncodeSkin24ByKernel(benchmark::State& state) {
    const auto kernel = Kernel(state.range(0));
    state.SetLabel(std::string(core::rows::kernelName(kernel)));
    const Picture picture = skinPicture();
    for (auto _ : state) {
        auto bytes = core::BmpEncoder::trueColour(picture, kernel).value().bytes();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * 256 * 256 * 3);
}
BENCHMARK(BM_EncodeSkin24ByKernel)->Apply(eachKernel<core::bmp::swapKernels>);

// The swap alone, every row of the skin into rows padded as the file pads them: the part of
// the encode that the kernel changes.
void BM_SwapSkinRows(benchmark::State& state) {
    const auto kernel = Kernel(state.range(0));
    state.SetLabel(std::string(core::rows::kernelName(kernel)));
    const std::vector<std::uint8_t> rgb = skinRgb();
    const std::size_t stride = 256 * 3; // already a whole number of 4-byte words
    std::vector<std::uint8_t> stored(stride * 256);
    for (auto _ : state) {
        for (std::size_t y = 0; y < 256; ++y)
            core::bmp::swapRedBlue(kernel, &rgb[y * 256 * 3], &stored[y * stride], 256);
        benchmark::DoNotOptimize(stored.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 256 * 256 * 3);
}
BENCHMARK(BM_SwapSkinRows)->Apply(eachKernel<core::bmp::swapKernels>);

// A 24-bit file read back: the same swap, the other way.
void BM_DecodeSkin24(benchmark::State& state) {
    const std::vector<std::uint8_t> bmp = core::encodeBmp24(skinPicture());
    for (auto _ : state) {
        auto picture = core::decodeBmp(bmp);
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_DecodeSkin24);

#ifdef QUILTANE_WITH_QT
void BM_QImageDecodeSkin8(benchmark::State& state) {
    const std::vector<std::uint8_t> bmp = skinBmp8();
    for (auto _ : state) {
        QImage image = QImage::fromData(bmp.data(), int(bmp.size()), "BMP");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QImageDecodeSkin8);

// Qt keeps an 8-bit file indexed; this is Qt giving what our picture holds, red-green-blue.
void BM_QImageDecodeSkin8ToRgb(benchmark::State& state) {
    const std::vector<std::uint8_t> bmp = skinBmp8();
    for (auto _ : state) {
        QImage image =
            QImage::fromData(bmp.data(), int(bmp.size()), "BMP").convertToFormat(QImage::Format_RGB888);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QImageDecodeSkin8ToRgb);

void BM_QImageEncodeSkin24(benchmark::State& state) {
    const std::vector<std::uint8_t> rgb = skinRgb();
    const QImage image(rgb.data(), 256, 256, 256 * 3, QImage::Format_RGB888);
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_QImageEncodeSkin24);
#endif

} // namespace
