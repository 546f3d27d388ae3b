#pragma once
// Where the preview window goes: beside the main window where the screen has room, not over it,
// and where the user last put it while that place is still on a screen. All rectangles are
// window frames (title bar and borders included) in the desktop's coordinates.

#include <QList>
#include <QRect>
#include <QSize>

namespace workbench {

// The frame beside mainFrame on the screen's available area room: right of it when a frame of
// the wanted size fits there, else left of it; where neither side holds that much, on the side
// with more room, as wide as that room (not narrower than least). gap: pixels between the two.
// The frame keeps inside room wherever room holds least; it overlaps the main window only when
// neither side holds least.
QRect placeBeside(const QRect& mainFrame, QSize wanted, QSize least, const QRect& room, int gap);

// How far to move the main window sideways (negative: to the left) so that a frame of the
// wanted size fits beside it: 0 when one side already holds it, or when moving gives no side
// more room. The main window moves towards the side with less room, by no more than it must,
// and stays on the screen; what the screen cannot hold of wanted's width is taken off it, as
// placeBeside then narrows the frame.
int makeRoomBeside(const QRect& mainFrame, QSize wanted, QSize least, const QRect& room, int gap);

// Whether a window at frame may be put back there: the middle of its title bar, where the user
// takes hold of it, lies on one of the screens' available areas.
bool isOnAScreen(const QRect& frame, const QList<QRect>& rooms);

} // namespace workbench
