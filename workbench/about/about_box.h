#pragma once
// The About box `frmAbout`: the program's name, version and notes, and the "System Info" button.

#include <QWidget>

namespace workbench {

// Loads `frmAbout` anew, shows it modal over parent and unloads it when the user leaves it.
void showAboutBox(QWidget* parent);

} // namespace workbench
