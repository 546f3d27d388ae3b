#pragma once
// What the "Delete" buttons do with a file: move it to the desktop's trash, from where a file
// manager brings it back. Where no trash takes it, the user is asked before it is deleted for
// good; a file that cannot be moved at all (gone, a folder) is named with the reason.

#include <QString>

class QWidget;

namespace workbench {

// Discards the file at path (absolute). Returns what the status line says of it ("Moved
// skin.bmp to the trash"); a failure is shown in a message box over parent and returns
// nothing to say.
QString discardFile(QWidget* parent, const QString& path);

} // namespace workbench
