#pragma once
// A mesh written as Wavefront OBJ text, as readObj reads it back: a vertex and a texture
// coordinate for each mesh vertex, a face for each triangle. For a body made here to be seen in
// other programs, and for tests and benchmarks that need a file of a known body.

#include <string>

#include "preview/mesh.h"

namespace preview {

// Numbers in their shortest form that reads back as the same float; texture coordinates with
// v running upwards, as OBJ has them.
std::string objText(const Mesh& mesh);

} // namespace preview
