#include "preview/mesh.h"

namespace preview {

void Mesh::append(const Mesh& other) {
    const auto offset = std::uint32_t(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const auto& [a, b, c] : other.triangles)
        triangles.push_back({a + offset, b + offset, c + offset});
}

Mesh mirroredX(const Mesh& mesh) {
    Mesh mirrored = mesh;
    for (Vertex& vertex : mirrored.vertices) {
        vertex.position.x = -vertex.position.x;
        vertex.normal.x = -vertex.normal.x;
    }
    for (auto& triangle : mirrored.triangles)
        std::swap(triangle[1], triangle[2]);
    return mirrored;
}

} // namespace preview
