#pragma once
// The mirror: one side of the body copied onto the other, mirrored about the body's centre
// line, so that what is drawn on one side is symmetric on the body. The centre line is where
// the layout puts it: down the navel's column on the front and between the spine's two columns
// on the back. Neither is the middle of its half, so a side of the torso is not a block of
// columns: the body's left side is the back's columns left of the spine together with the
// front's right of the navel, each side of the body takes its own number of columns, and a
// pixel's mirror image is found round the body (core/body_around.h), not by flipping columns.
// Below the hips the legs swap: one leg is copied, mirrored, onto the other. The arm strip,
// which both arms wear, stays as it is.

#include "core/retouch/raster.h"

namespace core::retouch {

// The body's own sides: its left hand's side is its left.
enum class Side { Left, Right };

// Copies the body's `copied` side onto its other side. The pixels on the centre line (the
// navel's column of the torso) and the copied side stay as they are. skin is 256 x 256.
void mirror(Raster& skin, Side copied);

} // namespace core::retouch
