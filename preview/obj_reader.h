#pragma once
// Body meshes from Wavefront OBJ files, the format every 3D tool exports: vertices (`v`),
// texture coordinates (`vt`) and faces (`f`) of three corners or more, each corner naming its
// vertex and texture coordinate (`v/vt` or `v/vt/vn`; negative indices count back from the
// line). Polygons are fanned into triangles from their first corner, keeping their winding
// (counter-clockwise seen from outside, as OBJ has it). Groups, objects, smoothing groups,
// materials, comments and every other statement are left aside; normals (`vn`) are checked but
// not used: each vertex takes the mean of its faces' normals. A texture coordinate's v runs
// upwards, from the skin's bottom row (0) to its top (1); places outside the skin take its
// edge pixels.
//
// Decoded from bytes, so the reader is easy to test and fuzz; the file is a thin wrapper. A file
// that is too large, holds too many of anything or cannot be read as above is refused with a
// one-line reason that names its line ("line 12: the corner "5//2" has no texture coordinate").

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/status.h"
#include "preview/body.h"
#include "preview/mesh.h"

namespace preview {

// What a file may hold at most, so that a hostile one cannot exhaust memory: a body of a game
// has some thousands of triangles, a finely sculpted one some hundred thousand.
struct ObjLimits {
    std::size_t bytes = std::size_t(64) << 20; // the whole text
    // Of each: vertices, texture coordinates, normals, triangles, and corners of a distinct
    // vertex and texture coordinate (the mesh's own vertices).
    std::uint32_t count = 1'000'000;
};

// The mesh the text describes, in the file's own units and place. A failure's message is the
// reason alone ("line 3: "x" is not a number."), written to follow "Cannot open body.obj: ".
core::Result<Mesh> readObj(std::string_view text, const ObjLimits& limits = {});

// The body in an OBJ file, framed about the middle of its bounding box. Errors name the file
// and the reason: "Cannot open <path>: line 3: ...". Only ordinary files are read.
core::Result<Body> loadObjBody(const std::string& path, const ObjLimits& limits = {});

} // namespace preview
