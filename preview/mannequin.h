#pragma once
// The mannequin: a body built from the skin layout alone. The torso and hips are one closed tube
// whose circumference is the body area (the back half around the back, the front half around
// the front, side seams where column 172 meets 173 and where 255 meets 90); two legs below take
// their share of each half, with feet at the bottom rows; two arms at the shoulders take the arm
// strip, the second arm mirrored. A plain neck and head, not part of the skin, top it off.
//
// World units: y up from the soles, the body facing +z, its left side towards +x; about 170
// units tall, like centimetres on a grown person.

#include "preview/body.h"

namespace preview {

// Built once, on first use: the skin on torso, hips, legs, feet and arms; the neck and head
// plain. It turns about the vertical axis through x = 0, z = 0.
const Body& mannequin();

// Which way the mannequin's surface faces where skin place (u, v) lies on it (pixel edge
// coordinates; a pixel's centre is x + 0.5, y + 0.5): the normal of the nearest vertex.
Vec3 facingAt(float u, float v);

} // namespace preview
