#pragma once
// Drawing primitives for masks. Coordinates are canvas pixels; a pixel is inside a shape when
// its centre (x + 0.5, y + 0.5) is. Rectangles are inclusive of both corners.

#include <vector>

#include "tools/draw_library/masks.h"

namespace draw {

struct Point {
    double x = 0, y = 0;
};

void fillRect(MaskGrid& grid, int left, int top, int right, int bottom, bool black = true);
void fillPolygon(MaskGrid& grid, const std::vector<Point>& corners, bool black = true);
void fillEllipse(MaskGrid& grid, double centreX, double centreY, double radiusX, double radiusY,
                 bool black = true);
// A straight stroke of the given width in pixels between two points.
void drawLine(MaskGrid& grid, Point from, Point to, double width, bool black = true);

// A horizontal run of columns, inclusive at both ends.
struct Span {
    double left = 0, right = 0;
};

// The skin layout in the inclusive terms of the shapes.
constexpr int kLast = core::lastBefore(core::kSkinSize); // the last column and the last row
constexpr Span kBackHalf{core::kArmRight, core::lastBefore(core::kBackRight)};
constexpr Span kFrontHalf{core::kBackRight, kLast};
// The arm strip black over rows top..bottom.
void fillArms(MaskGrid& grid, int top, int bottom);

// Fills every row from fromRow to toRow (either may be the lower one) with a span that moves from
// `fromSpan` in fromRow to `toSpan` in toRow; both end rows get exactly their span, each edge rounded
// to the nearest column. `shape` bends the sides: 1 straight; above 1 the span keeps close to
// fromSpan for longer and turns late (a rounded point or a U notch); below 1 it turns early
// (a slender point with hollow sides). Ending on a one-column span gives a one-pixel tip.
void fillTaper(MaskGrid& grid, int fromRow, Span fromSpan, int toRow, Span toSpan, double shape = 1,
               bool black = true);
// A black point hanging down from `span` in row `top` to the one-pixel tip (tipX, tipY): the
// lowest black pixel of the point.
void fillPoint(MaskGrid& grid, int top, Span span, int tipX, int tipY, double shape = 1);
// A white notch cut downwards into a black block: `span` white in row `top`, narrowing to
// `last` in row closedBy - 1, so that row closedBy is the first row left black all across it.
void cutNotch(MaskGrid& grid, int top, Span span, int closedBy, Span last, double shape = 1);

// One of the two lower points under a hip band: its span in the first row below the band and
// its tip pixel.
struct LowerPoint {
    Span span;
    int tipX = 0, tipY = 0;
};
// A black hip band over columns left..right and rows top..bottom with a point hanging from it
// under each half of the body, both bent by `shape` as in fillTaper.
void fillHipBand(MaskGrid& grid, int left, int top, int right, int bottom, LowerPoint back, LowerPoint front,
                 double shape = 1);

// A rounded edge over the columns of `span`: in each column, `depth` rows from `row` on, going
// down when `direction` is +1 and up when it is -1. The depth is `endDepth` at both ends of the
// span and `middleDepth` in its middle, along a quarter ellipse each side, so a larger middle
// depth draws a rounded cap (a cup over a block, a rounded hem below it) and a larger end depth
// rounds off two corners (a curved hem, a leg opening).
void fillBow(MaskGrid& grid, Span span, int row, int direction, int endDepth, int middleDepth,
             bool black = true);

// Facts for checking a drawing.
struct MaskBox {
    int left = 0, top = 0, right = -1, bottom = -1; // inclusive; right < left when no black
};
double blackShare(const MaskGrid& grid); // 0..1 of all 65,536 pixels
MaskBox blackBox(const MaskGrid& grid);

} // namespace draw
