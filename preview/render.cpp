#include "preview/render.h"

#include <vector>

#include "preview/lighting.h"
#include "preview/rasteriser.h"

namespace preview {
namespace {

// A triangle with a corner nearer to the eye than the camera's nearest depth is left out rather
// than clipped; the mannequin never comes that close with the allowed views.
void drawMesh(FrameBuffer& frame, const Mesh& mesh, const Texture& texture, const Camera& camera,
              const Lighting& lighting, std::vector<ScreenVertex>& projected) {
    projected.clear();
    for (const Vertex& vertex : mesh.vertices) {
        const Projected p = camera.project(vertex.position);
        const float inverse = p.depth > camera.nearest() ? 1 / p.depth : 0;
        projected.push_back({p.x, p.y, inverse, vertex.u * inverse, vertex.v * inverse,
                             lighting.brightness(vertex.normal) * inverse});
    }
    for (const auto& [a, b, c] : mesh.triangles) {
        const ScreenVertex &pa = projected[a], &pb = projected[b], &pc = projected[c];
        if (pa.inverseDepth == 0 || pb.inverseDepth == 0 || pc.inverseDepth == 0) continue;
        frame.drawTriangle(texture, pa, pb, pc);
    }
}

} // namespace

core::Picture renderSkin(const core::Picture& skin, const View& view, int width, int height,
                         const Body& body) {
    core::PictureBuffer pixels(width, height);
    FrameBuffer frame(width, height, pixels.data(), kBackground);
    const Camera camera(view, width, height, body);
    const Lighting lighting(camera);
    std::vector<ScreenVertex> projected;
    projected.reserve(body.skin.vertices.size());
    if (!skin.isEmpty()) {
        const std::vector<std::uint8_t> texture = core::rgbBytes(skin);
        drawMesh(frame, body.skin, {texture.data(), skin.width(), skin.height()}, camera, lighting,
                 projected);
    }
    const std::uint8_t plain[] = {kPlainColour.r, kPlainColour.g, kPlainColour.b};
    drawMesh(frame, body.plain, {plain, 1, 1}, camera, lighting, projected);
    return std::move(pixels).finish();
}

} // namespace preview
