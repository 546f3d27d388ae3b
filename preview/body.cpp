#include "preview/body.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace preview {
namespace {

// The lowest and highest corner of the box around every vertex of the meshes.
struct Bounds {
    Vec3 low{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::max()};
    Vec3 high{std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
              std::numeric_limits<float>::lowest()};

    void add(const Mesh& mesh) {
        for (const Vertex& vertex : mesh.vertices) {
            const Vec3 p = vertex.position;
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
    }
    bool isEmpty() const { return low.y > high.y; }
};

} // namespace

Body measuredBody(Mesh skin, Mesh plain, float axisX, float axisZ) {
    Body body{std::move(skin), std::move(plain), {axisX, 0, axisZ}};
    Bounds bounds;
    bounds.add(body.skin);
    bounds.add(body.plain);
    if (bounds.isEmpty()) return body;
    body.height = bounds.high.y - bounds.low.y;
    body.centre.y = (bounds.high.y + bounds.low.y) / 2;
    for (const Mesh* mesh : {&body.skin, &body.plain})
        for (const Vertex& vertex : mesh->vertices)
            body.reach =
                std::max(body.reach, std::hypot(vertex.position.x - axisX, vertex.position.z - axisZ));
    return body;
}

Body bodyOfMesh(Mesh skin) {
    Bounds bounds;
    bounds.add(skin);
    if (bounds.isEmpty()) return measuredBody(std::move(skin), {}, 0, 0);
    return measuredBody(std::move(skin), {}, (bounds.low.x + bounds.high.x) / 2,
                        (bounds.low.z + bounds.high.z) / 2);
}

} // namespace preview
