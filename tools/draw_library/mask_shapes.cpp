#include "tools/draw_library/mask_shapes.h"

#include <algorithm>
#include <cmath>

namespace draw {

void fillRect(MaskGrid& grid, int left, int top, int right, int bottom, bool black) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            grid.set(x, y, black);
}

void fillPolygon(MaskGrid& grid, const std::vector<Point>& corners, bool black) {
    if (corners.size() < 3) return;
    for (int y = 0; y < core::kSkinSize; ++y) {
        const double cy = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Point a = corners[i], b = corners[(i + 1) % corners.size()];
            if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
                crossings.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre lies between the two crossings.
            const int from = int(std::ceil(crossings[i] - 0.5));
            const int to = int(std::floor(crossings[i + 1] - 0.5));
            for (int x = from; x <= to; ++x)
                grid.set(x, y, black);
        }
    }
}

void fillEllipse(MaskGrid& grid, double centreX, double centreY, double radiusX, double radiusY, bool black) {
    if (radiusX <= 0 || radiusY <= 0) return;
    const int top = int(std::floor(centreY - radiusY)), bottom = int(std::ceil(centreY + radiusY));
    const int left = int(std::floor(centreX - radiusX)), right = int(std::ceil(centreX + radiusX));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const double dx = (x + 0.5 - centreX) / radiusX, dy = (y + 0.5 - centreY) / radiusY;
            if (dx * dx + dy * dy <= 1.0) grid.set(x, y, black);
        }
}

void drawLine(MaskGrid& grid, Point from, Point to, double width, bool black) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) {
        fillEllipse(grid, from.x, from.y, width / 2, width / 2, black);
        return;
    }
    // The stroke is a rectangle around the segment.
    const double nx = -dy / length * width / 2, ny = dx / length * width / 2;
    fillPolygon(grid,
                {{from.x + nx, from.y + ny},
                 {to.x + nx, to.y + ny},
                 {to.x - nx, to.y - ny},
                 {from.x - nx, from.y - ny}},
                black);
}

void fillTaper(MaskGrid& grid, int fromRow, Span fromSpan, int toRow, Span toSpan, double shape, bool black) {
    const int rows = std::abs(toRow - fromRow);
    const int step = toRow >= fromRow ? 1 : -1;
    for (int i = 0; i <= rows; ++i) {
        const double t = rows == 0 ? 1.0 : std::pow(double(i) / rows, shape);
        const double left = fromSpan.left + (toSpan.left - fromSpan.left) * t;
        const double right = fromSpan.right + (toSpan.right - fromSpan.right) * t;
        const int from = int(std::floor(left + 0.5)), to = int(std::floor(right + 0.5));
        for (int x = from; x <= to; ++x)
            grid.set(x, fromRow + i * step, black);
    }
}

void fillPoint(MaskGrid& grid, int top, Span span, int tipX, int tipY, double shape) {
    fillTaper(grid, top, span, tipY, {double(tipX), double(tipX)}, shape);
}

void cutNotch(MaskGrid& grid, int top, Span span, int closedBy, Span last, double shape) {
    fillTaper(grid, top, span, closedBy - 1, last, shape, false);
}

void fillHipBand(MaskGrid& grid, int left, int top, int right, int bottom, LowerPoint back, LowerPoint front,
                 double shape) {
    fillRect(grid, left, top, right, bottom);
    for (const LowerPoint& point : {back, front})
        fillPoint(grid, bottom + 1, point.span, point.tipX, point.tipY, shape);
}

void fillArms(MaskGrid& grid, int top, int bottom) {
    fillRect(grid, 0, top, core::lastBefore(core::kArmRight), bottom);
}

void fillBow(MaskGrid& grid, Span span, int row, int direction, int endDepth, int middleDepth, bool black) {
    const double middle = (span.left + span.right + 1) / 2, halfWidth = (span.right - span.left + 1) / 2;
    for (int x = int(span.left); x <= int(span.right); ++x) {
        const double t = std::min(1.0, std::abs(x + 0.5 - middle) / halfWidth);
        const double depth = endDepth + (middleDepth - endDepth) * std::sqrt(1 - t * t);
        const int rows = int(std::floor(depth + 0.5));
        for (int i = 0; i < rows; ++i)
            grid.set(x, row + i * direction, black);
    }
}

double blackShare(const MaskGrid& grid) {
    int count = 0;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            count += grid.isBlack(x, y);
    return count / double(core::kSkinSize * core::kSkinSize);
}

MaskBox blackBox(const MaskGrid& grid) {
    MaskBox box{core::kSkinSize, core::kSkinSize, -1, -1};
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x)
            if (grid.isBlack(x, y)) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
    if (box.right < 0) box = MaskBox{};
    return box;
}

} // namespace draw
