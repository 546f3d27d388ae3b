#pragma once
// A triangle mesh: vertices with a normal and a place in the skin, and triangles that index
// them, wound counter-clockwise as seen from outside the body.

#include <array>
#include <cstdint>
#include <vector>

#include "preview/vec.h"

namespace preview {

struct Vertex {
    Vec3 position; // world units
    Vec3 normal;   // unit length, pointing out of the body
    float u = 0;   // skin column, a pixel edge coordinate: pixel x covers u from x to x + 1
    float v = 0;   // skin row, likewise
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    std::uint32_t add(const Vertex& vertex) {
        vertices.push_back(vertex);
        return std::uint32_t(vertices.size() - 1);
    }
    // Adds the triangle wound so that it faces `outward`.
    void addFacing(std::uint32_t a, std::uint32_t b, std::uint32_t c, Vec3 outward) {
        const Vec3 pa = vertices[a].position;
        const Vec3 normal = cross(vertices[b].position - pa, vertices[c].position - pa);
        if (dot(normal, outward) >= 0)
            triangles.push_back({a, b, c});
        else
            triangles.push_back({a, c, b});
    }
    // Appends other's vertices and triangles.
    void append(const Mesh& other);
};

// The mesh reflected in the plane x = 0, triangles rewound to keep facing outwards.
Mesh mirroredX(const Mesh& mesh);

} // namespace preview
