#pragma once
// A path as the window's messages show it: as the command line's messages show a name, quoted
// when it holds control characters (a line break would otherwise split a message box's text).

#include <QDir>
#include <QString>

#include "core/file_messages.h"

namespace workbench {

inline QString shownPath(const QString& path) {
    return QString::fromStdString(core::shownName(QDir::toNativeSeparators(path).toStdString()));
}

} // namespace workbench
