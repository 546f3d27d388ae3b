#pragma once
// quiltane-cli's preview actions: the destination skin rendered on the mannequin or a body read
// from an OBJ file, and the seam check printed one seam a line.

#include <iosfwd>
#include <string>

#include "core/picture.h"
#include "core/status.h"
#include "preview/body.h"

namespace cli {

// `--preview PATH YAW`: skin on the body seen from yaw degrees (0 front, 90 the body's left
// side, 180 back), 512 x 512, written to path as a 24-bit BMP.
core::Status writePreview(const core::Picture& skin, const preview::Body& body, double yaw,
                          const std::string& path);

// `--seams`: per seam "name<TAB>mean difference, one decimal<TAB>worst rows", the rows separated by
// blanks, or "-" where the two sides match on every row.
void printSeams(const core::Picture& skin, std::ostream& out);

} // namespace cli
