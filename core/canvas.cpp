#include "core/canvas.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace core {
namespace {

constexpr int kBpp = Picture::kChannels;

// The background colour everywhere: the first row pixel by pixel, the others copied from it.
void fillBackground(std::vector<std::uint8_t>& image) {
    const std::size_t row = std::size_t(kSkinSize) * kBpp;
    for (std::size_t i = 0; i < row; i += kBpp) {
        image[i] = Canvas::kBackground.r;
        image[i + 1] = Canvas::kBackground.g;
        image[i + 2] = Canvas::kBackground.b;
    }
    for (std::size_t at = row; at < image.size(); at += row)
        std::memcpy(&image[at], image.data(), row);
}

// Combines n bytes of source into destination. Written per operation so each loop vectorizes.
void combineRun(RasterOp op, std::uint8_t* d, const std::uint8_t* s, std::size_t n) {
    switch (op) {
    case RasterOp::SRCCOPY:
        std::memcpy(d, s, n);
        return;
    case RasterOp::SRCPAINT:
        for (std::size_t i = 0; i < n; ++i)
            d[i] |= s[i];
        return;
    case RasterOp::SRCAND:
        for (std::size_t i = 0; i < n; ++i)
            d[i] &= s[i];
        return;
    case RasterOp::NOTSRCCOPY:
        for (std::size_t i = 0; i < n; ++i)
            d[i] = std::uint8_t(~s[i]);
        return;
    }
}

// Maps destination offsets 0..count-1 onto source offsets from2 + floor(i * size2 / size1).
// Same sizes map one to one.
long sourceIndex(long i, long from2, long size1, long size2) {
    return size1 == size2 ? from2 + i : from2 + (i * size2) / size1;
}

// Revisions count up across every canvas of the run, so no two states ever share one.
std::uint64_t nextRevision() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

} // namespace

Canvas::Canvas() : m_image(std::size_t(kSkinSize) * kSkinSize * kBpp), m_revision(nextRevision()) {
    fillBackground(m_image);
}

void Canvas::restore(Picture picture, const ImageDelta& change, std::uint64_t revision) {
    m_picture = std::move(picture);
    change.applyTo(m_image);
    m_revision = revision;
}

void Canvas::setPicture(Picture picture) {
    m_picture = std::move(picture);
    m_revision = nextRevision();
    const int w = std::min(m_picture.width(), kSkinSize);
    const int h = std::min(m_picture.height(), kSkinSize);
    // The background shows only where the picture leaves the canvas uncovered.
    if (w < kSkinSize || h < kSkinSize) fillBackground(m_image);
    if (m_picture.isEmpty()) return;
    // Only the top-left 256 x 256 pixels are ever shown or painted from here.
    for (int y = 0; y < h; ++y) {
        std::uint8_t* dst = &m_image[std::size_t(y) * kSkinSize * kBpp];
        const std::uint8_t* src = m_picture.rgb(0, y, w, dst); // an indexed picture expands into dst
        if (src != dst) std::memcpy(dst, src, std::size_t(w) * kBpp);
    }
}

Picture Canvas::image() const {
    return Picture(kSkinSize, kSkinSize, m_image);
}

Status Canvas::paintPicture(const Picture& picture, const PaintArgs& args) {
    if (picture.isEmpty()) return Status::error("There is no picture to paint from.");
    const RasterOp op = args.op;

    const long x1 = std::lround(args.x1), y1 = std::lround(args.y1);
    const long w1 = args.width1, h1 = args.height1;
    const long x2 = args.x2, y2 = args.y2;
    const long w2 = args.width2 ? long(*args.width2) : picture.width() - x2;
    const long h2 = args.height2 ? long(*args.height2) : picture.height() - y2;
    // An empty or inverted rectangle on either side has nothing to paint.
    if (w1 <= 0 || h1 <= 0 || w2 <= 0 || h2 <= 0) return Status::ok();

    // Destination columns and rows on the canvas, then the source column each one reads.
    const long colFirst = std::max(0L, -x1), colLast = std::min(w1, kSkinSize - x1); // i in [first, last)
    const long rowFirst = std::max(0L, -y1), rowLast = std::min(h1, kSkinSize - y1);
    if (colFirst >= colLast || rowFirst >= rowLast) return Status::ok();

    // Columns whose source lies inside the picture form one contiguous run, since the
    // mapping is monotonic: find it once.
    long runFirst = colLast, runLast = colFirst;
    for (long i = colFirst; i < colLast; ++i) {
        const long sx = sourceIndex(i, x2, w1, w2);
        if (sx >= 0 && sx < picture.width()) {
            runFirst = std::min(runFirst, i);
            runLast = i + 1;
        }
    }
    if (runFirst >= runLast) return Status::ok();

    m_revision = nextRevision();
    // One destination run of source colours: at most kSkinSize pixels, since the run lies on the canvas.
    std::uint8_t run[kSkinSize * kBpp];
    const bool sameWidth = w1 == w2;
    for (long j = rowFirst; j < rowLast; ++j) {
        const long sy = sourceIndex(j, y2, h1, h2);
        if (sy < 0 || sy >= picture.height()) continue;
        std::uint8_t* dst = &m_image[(std::size_t(y1 + j) * kSkinSize + std::size_t(x1 + runFirst)) * kBpp];
        const std::uint8_t* from = run;
        if (sameWidth) {
            from = picture.rgb(int(x2 + runFirst), int(sy), int(runLast - runFirst), run);
        } else {
            for (long i = runFirst; i < runLast; ++i) {
                const Rgb c = picture.pixel(int(sourceIndex(i, x2, w1, w2)), int(sy));
                std::uint8_t* p = &run[std::size_t(i - runFirst) * kBpp];
                p[0] = c.r;
                p[1] = c.g;
                p[2] = c.b;
            }
        }
        combineRun(op, dst, from, std::size_t(runLast - runFirst) * kBpp);
    }
    return Status::ok();
}

} // namespace core
