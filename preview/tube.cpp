#include "preview/tube.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "preview/angles.h"

namespace preview {
namespace {

// Texture places are kept this far (in skin pixels) inside a piece's columns and the tube's
// rows, so that rounding never samples the pixel on the other side of a piece's edge.
constexpr float kInset = 1.0f / 64;

float lerp(float from, float to, float t) {
    return from + (to - from) * t;
}

// A unit circle's coordinate c moved out onto the rounded box of that squareness.
float rounded(float c, float squareness) {
    return squareness == 2 ? c : std::copysign(std::pow(std::abs(c), 2 / squareness), c);
}

// The surface point at an angle (degrees) around the tube and a skin row down it.
Vec3 surface(const TubeSpec& shape, float angle, float row) {
    const Ring ring = shape.ring(std::clamp(row, shape.topRow, shape.bottomRow));
    const float a = radians(angle);
    const float across = rounded(std::sin(a), ring.squareness),
                forward = rounded(std::cos(a), ring.squareness);
    const float reach = forward > 0 ? ring.rz * ring.frontStretch : ring.rz;
    return ring.centre + Vec3{ring.rx * across, 0, reach * forward};
}

// Out of the surface: rows run down the body and angles turn from the front towards the body's
// left, so (down the tube) x (around it) points outwards everywhere.
Vec3 surfaceNormal(const TubeSpec& shape, float angle, float row) {
    constexpr float kDegrees = 0.5f, kRows = 0.25f;
    const Vec3 around = surface(shape, angle + kDegrees, row) - surface(shape, angle - kDegrees, row);
    const Vec3 down = surface(shape, angle, row + kRows) - surface(shape, angle, row - kRows);
    return normalized(cross(down, around));
}

// One piece of the circumference as a grid of vertices, ring by ring.
struct Grid {
    std::vector<std::uint32_t> index; // rings x (segments + 1)
    int columns = 0;
    std::uint32_t at(int ring, int column) const { return index[std::size_t(ring) * columns + column]; }
};

Grid addPiece(Mesh& mesh, const TubeSpec& shape, const ArcPiece& piece) {
    const int segments =
        std::max(1, int(std::ceil((piece.toAngle - piece.fromAngle) / shape.degreesPerSegment)));
    Grid grid;
    grid.columns = segments + 1;
    for (int i = 0; i < shape.rings; ++i) {
        const float t = float(i) / float(shape.rings - 1);
        const float row = lerp(shape.topRow, shape.bottomRow, t);
        for (int j = 0; j <= segments; ++j) {
            const float s = float(j) / float(segments);
            const float angle = lerp(piece.fromAngle, piece.toAngle, s);
            grid.index.push_back(mesh.add({surface(shape, angle, row), surfaceNormal(shape, angle, row),
                                           lerp(piece.fromColumn + kInset, piece.toColumn - kInset, s),
                                           lerp(shape.topRow + kInset, shape.bottomRow - kInset, t)}));
        }
    }
    for (int i = 0; i + 1 < shape.rings; ++i)
        for (int j = 0; j < segments; ++j) {
            const std::uint32_t a = grid.at(i, j), b = grid.at(i, j + 1);
            const std::uint32_t c = grid.at(i + 1, j), d = grid.at(i + 1, j + 1);
            const Vec3 outward = mesh.vertices[a].normal + mesh.vertices[d].normal;
            mesh.addFacing(a, c, b, outward);
            mesh.addFacing(b, c, d, outward);
        }
    return grid;
}

// A flat disc over one end: a fan from the end's centre, each facet textured from the columns
// of the rim it closes.
void addCap(Mesh& mesh, const TubeSpec& shape, const Grid& grid, int ring, bool top) {
    const Vec3 normal{0, top ? 1.0f : -1.0f, 0};
    const float row = top ? shape.topRow + kInset : shape.bottomRow - kInset;
    const Vec3 centre = shape.ring(top ? shape.topRow : shape.bottomRow).centre;
    for (int j = 0; j + 1 < grid.columns; ++j) {
        Vertex left = mesh.vertices[grid.at(ring, j)], right = mesh.vertices[grid.at(ring, j + 1)];
        left.normal = right.normal = normal;
        const std::uint32_t a = mesh.add(left), b = mesh.add(right);
        const std::uint32_t middle = mesh.add({centre, normal, (left.u + right.u) / 2, row});
        mesh.addFacing(middle, a, b, normal);
    }
}

} // namespace

Mesh tube(const TubeSpec& shape) {
    Mesh mesh;
    for (const ArcPiece& piece : shape.around) {
        const Grid grid = addPiece(mesh, shape, piece);
        if (shape.capTop) addCap(mesh, shape, grid, 0, true);
        if (shape.capBottom) addCap(mesh, shape, grid, shape.rings - 1, false);
    }
    return mesh;
}

} // namespace preview
