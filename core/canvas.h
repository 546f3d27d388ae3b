#pragma once
// Canvas: a skin-sized (256 x 256) surface that keeps its loaded picture apart from the persistent image it
// shows. Painting changes only the persistent image; the loaded picture stays as it was loaded.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/image_delta.h"
#include "core/picture.h"
#include "core/raster_op.h"
#include "core/skin_layout.h"
#include "core/status.h"

namespace core {

// The arguments of one paint. Destination X1, Y1 hold whole pixels (stored as reals, as the
// mouse and the band copies hand them over); the rest are 16-bit. Omitted Width2/Height2 run
// the source rectangle to the picture's right and bottom edges; the operation is SRCCOPY
// unless a paint names another.
struct PaintArgs {
    float x1 = 0, y1 = 0;
    std::int16_t width1 = 0, height1 = 0;
    std::int16_t x2 = 0, y2 = 0;
    std::optional<std::int16_t> width2, height2;
    RasterOp op = RasterOp::SRCCOPY;
};

class Canvas {
  public:
    // The toolkit's default face colour: what an empty canvas shows.
    static constexpr Rgb kBackground{240, 240, 240};

    Canvas();

    // The loaded picture, possibly empty.
    const Picture& picture() const { return m_picture; }
    // Loads a picture: the persistent image becomes the background with the picture drawn
    // unscaled at (0, 0). Earlier paints are lost.
    void setPicture(Picture picture);
    // A copy of the persistent image as it is now, always 256 x 256.
    Picture image() const;

    // Draws a rectangle of the picture into the persistent image. Destination pixels outside
    // the canvas are skipped; those whose source pixel lies outside the picture stay as they
    // are. A size mismatch stretches by nearest neighbour: destination column X1 + i reads
    // source column X2 + floor(i * Width2 / Width1), rows likewise. Fails, painting nothing,
    // for an empty picture.
    Status paintPicture(const Picture& picture, const PaintArgs& args);

    Rgb pixel(int x, int y) const {
        const std::uint8_t* p = &m_image[(std::size_t(y) * kSkinSize + x) * Picture::kChannels];
        return {p[0], p[1], p[2]};
    }
    // Persistent image bytes, rows top to bottom, r g b per pixel: for drawing on screen.
    const std::uint8_t* imageBytes() const { return m_image.data(); }
    std::span<const std::uint8_t> imageSpan() const { return m_image; }

    // Changes with every load, paint and restore, and no two states of any canvases of the run
    // share one: how the history knows that a canvas is still as it left it.
    std::uint64_t revision() const { return m_revision; }
    // Puts back a state the history recorded: the loaded picture as it was, the persistent
    // image changed by change (made between this image and the one wanted), and the revision
    // the canvas had in that state.
    void restore(Picture picture, const ImageDelta& change, std::uint64_t revision);

  private:
    Picture m_picture;
    std::vector<std::uint8_t> m_image; // kSkinSize * kSkinSize * 3
    std::uint64_t m_revision;
};

} // namespace core
