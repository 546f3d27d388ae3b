#pragma once
// What the status line says once a picture of the user's own (a stamp, a mask or body file) is
// pressed: its name, as a classic stamp's caption is said, and for a mask drawn with grey
// pixels how many of them were read as black or white by their lightness.

#include <QString>

namespace workbench {

inline QString pressedText(const QString& name, int rounded) {
    if (rounded == 0) return name;
    return QStringLiteral("%1: %2 grey pixel%3 read as black or white by lightness")
        .arg(name)
        .arg(rounded)
        .arg(rounded == 1 ? QString() : QStringLiteral("s"));
}

} // namespace workbench
