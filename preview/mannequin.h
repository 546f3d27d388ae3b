#pragma once
// The mannequin: a body built from the skin layout alone. The torso and hips are one closed tube
// whose circumference is the body area (the back half around the back, the front half around
// the front, side seams where column 172 meets 173 and where 255 meets 90); two legs below take
// their share of each half, with feet at the bottom rows; two arms at the shoulders take the arm
// strip, the second arm mirrored. A plain neck and head, not part of the skin, top it off.
//
// World units: y up from the soles, the body facing +z, its left side towards +x; about 170
// units tall, like centimetres on a grown person.

#include "core/picture.h"
#include "preview/mesh.h"

namespace preview {

struct Mannequin {
    Mesh skin;   // torso, hips, legs, feet and arms, textured from the skin
    Mesh plain;  // neck and head, in kPlainColour
    Vec3 centre; // what the view turns about: on the body's axis, halfway up
    float height = 0;
    float reach = 0; // the farthest any vertex lies from the vertical axis through the centre
};

// The head and neck: a neutral grey that no skin area is mistaken for.
constexpr core::Rgb kPlainColour{196, 194, 190};

// Built once, on first use.
const Mannequin& mannequin();

// Which way the mannequin's surface faces where skin place (u, v) lies on it (pixel edge
// coordinates; a pixel's centre is x + 0.5, y + 0.5): the normal of the nearest vertex.
Vec3 facingAt(float u, float v);

} // namespace preview
