#pragma once
// The status line: one line of text below the classic client area, across the window's whole
// width, where the window says briefly what a command did ("Saved skin2.bmp, 8-bit, ...").
// The classic area and every control in it stay where they are; the window grows by the
// line's height.

#include <QRect>

class QLabel;
class QWidget;

namespace workbench {

// Makes the line `statusLine` on window, right below the classic client area, which lies at
// classicArea in the window.
QLabel* makeStatusLine(QWidget* window, QRect classicArea);

} // namespace workbench
