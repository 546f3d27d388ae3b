#pragma once
// How the program starts once the application exists: the application icon, then the main
// window, shown centred. The program and the start-up benchmark's probe both start this way,
// so the probe measures what a user waits for.

#include <memory>

#include "workbench/main_window.h"

namespace workbench {

// Sets the icon every window shows, creates the main window and shows it centred.
std::unique_ptr<MainWindow> startMainWindow();

} // namespace workbench
