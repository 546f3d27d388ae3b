#pragma once
// The program's icon: a black pictogram of a man and, right of a black vertical bar, a woman
// in a dress, on a transparent background, at 32 x 32 and 16 x 16 pixels.

#include <QIcon>

namespace workbench {

QIcon appIcon();

} // namespace workbench
