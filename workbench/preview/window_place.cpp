// Where the preview window goes; see window_place.h.

#include "workbench/preview/window_place.h"

#include <algorithm>

namespace workbench {

QRect placeBeside(const QRect& mainFrame, QSize wanted, QSize least, const QRect& room, int gap) {
    wanted = wanted.expandedTo(least);
    // The widths free on each side of the main window, gap left out.
    const int rightRoom = room.right() - mainFrame.right() - gap;
    const int leftRoom = mainFrame.left() - gap - room.left();
    const bool right = rightRoom >= wanted.width() || (leftRoom < wanted.width() && rightRoom >= leftRoom);
    const int width = std::max(least.width(), std::min(wanted.width(), right ? rightRoom : leftRoom));
    const int height = std::max(least.height(), std::min(wanted.height(), room.height()));
    QRect frame(0, mainFrame.top(), width, height);
    if (right)
        frame.moveLeft(mainFrame.right() + 1 + gap);
    else
        frame.moveRight(mainFrame.left() - 1 - gap);
    // Kept on the screen; a frame larger than the screen keeps its top left corner there.
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - width)));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - height)));
    return frame;
}

int makeRoomBeside(const QRect& mainFrame, QSize wanted, QSize least, const QRect& room, int gap) {
    wanted = wanted.expandedTo(least);
    const int rightRoom = room.right() - mainFrame.right() - gap;
    const int leftRoom = mainFrame.left() - gap - room.left();
    if (rightRoom >= wanted.width() || leftRoom >= wanted.width()) return 0;
    // The most one side can have, with the main window against the screen's other edge.
    const int most = room.width() - mainFrame.width() - gap;
    if (most <= std::max(rightRoom, leftRoom)) return 0;
    const int width = std::min(wanted.width(), most);
    return rightRoom >= leftRoom ? -(width - rightRoom) : width - leftRoom;
}

bool isOnAScreen(const QRect& frame, const QList<QRect>& rooms) {
    const QPoint titleBar(frame.center().x(), frame.top());
    return std::any_of(rooms.begin(), rooms.end(),
                       [&](const QRect& room) { return room.contains(titleBar); });
}

} // namespace workbench
