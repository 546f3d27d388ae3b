#pragma once
// The picture formats the loader reads (core/codec/picture_file.h) as the window's name
// patterns: what the panes' file lists show and what the open dialog offers.

#include <QString>
#include <QStringList>

namespace workbench {

// "*.bmp", "*.png": one a format, in lower case.
QStringList picturePatterns();
// The open dialog's filter of every format's files, in lower and upper case: "BMP and PNG
// pictures (*.bmp *.BMP *.png *.PNG)".
QString pictureFilter();

} // namespace workbench
