#pragma once
// The fonts of the window's stored layout, mapped onto free fonts that the set-up installs.

#include <QFont>

#include "stamps/control_row.h"

namespace workbench {

// "MS Sans Serif" becomes Liberation Sans (Arial's metrics, the closest free match of its
// width), "MS Serif" Liberation Serif. Sizes are turned into pixels at 96 dots per inch, the
// resolution the layout was made for, so that captions keep their size against the fixed
// pixel geometry on any screen.
QFont classicFont(const stamps::FontSpec& stored);

// What controls that set no font use: 8.25-point "MS Sans Serif", regular.
QFont defaultFont();

// The font a control of the table shows: its own, or the window's default.
QFont fontOf(const std::optional<stamps::FontSpec>& stored);

} // namespace workbench
