#pragma once
// The sides of the body that the preview faces at one press, as one table: each side's button
// below the 3D view, its caption, the key that does the same in the 3D view, and the yaw it
// faces. The buttons and the keys both come from these rows.

#include <qnamespace.h>

namespace workbench {

struct Facing {
    const char* button;  // object name: "cmdFront"
    const char* caption; // "Front"
    Qt::Key key;
    float yaw; // degrees round the body: 0 front, 90 its left side, 180 back, 270 its right side
};

// In the buttons' order, left to right.
inline constexpr Facing kFacings[] = {
    {"cmdFront", "Front", Qt::Key_F, 0},
    {"cmdBack", "Back", Qt::Key_B, 180},
    {"cmdLeft", "Left", Qt::Key_L, 90},
    {"cmdRight", "Right", Qt::Key_R, 270},
};

} // namespace workbench
