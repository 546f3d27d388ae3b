#pragma once
// A body to show the skin on: the mannequin built from the skin layout, or a mesh read from an
// OBJ file. What the renderer draws and what the camera frames it by.

#include "core/picture.h"
#include "preview/mesh.h"

namespace preview {

// The parts of a body that wear no skin: a neutral grey that no skin area is mistaken for.
constexpr core::Rgb kPlainColour{196, 194, 190};

struct Body {
    Mesh skin;        // textured from the skin
    Mesh plain;       // in kPlainColour: the mannequin's neck and head; empty for a body from a file
    Vec3 centre;      // what the view turns about: on the body's vertical axis, halfway up
    float height = 0; // from the lowest vertex to the highest, world units
    float reach = 0;  // the farthest any vertex lies from the vertical axis through the centre
};

// The body made of skin and plain, turning about the vertical axis through (axisX, axisZ).
Body measuredBody(Mesh skin, Mesh plain, float axisX, float axisZ);

// A body from a file, in its own units and place: it turns about the vertical axis through the
// middle of its bounding box.
Body bodyOfMesh(Mesh skin);

} // namespace preview
