#pragma once
// How the program starts. Before any window shows text, the font configuration must be read
// (fontconfig's FcInit: dozens of XML files and the font caches), a large part of any window's
// start that needs nothing of Qt. So reading it begins on a second thread before the
// application exists, overlapping the application's set-up and its connection to the display,
// which mostly waits for the display server; the main window is built once it is done. The
// program and the start-up benchmark's probe both start this way, so the probe measures what
// a user waits for.

#include <memory>
#include <thread>

#include "workbench/main_window.h"

namespace workbench {

class ProgramStart {
  public:
    // Begins reading the font configuration. Made before the QApplication.
    ProgramStart();
    ~ProgramStart();
    ProgramStart(const ProgramStart&) = delete;
    ProgramStart& operator=(const ProgramStart&) = delete;

    // Once the application exists: waits for the font configuration, sets the icon every
    // window shows, creates the main window and shows it centred.
    std::unique_ptr<MainWindow> showMainWindow();

  private:
    void waitForFonts();

    std::thread m_fontConfiguration;
};

} // namespace workbench
