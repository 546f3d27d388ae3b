#include "workbench/program_start.h"

#include <QApplication>
#include <fontconfig/fontconfig.h>

#include "workbench/app_icon.h"

namespace workbench {

// FcInit reads the configuration once per process, and Qt's font database then finds it read.
// Two threads reading it at the same time would each do the whole work, so the window, whose
// status line is the first text the program measures, waits for this thread before it is built.
ProgramStart::ProgramStart() : m_fontConfiguration([] { FcInit(); }) {}

ProgramStart::~ProgramStart() {
    waitForFonts();
}

void ProgramStart::waitForFonts() {
    if (m_fontConfiguration.joinable()) m_fontConfiguration.join();
}

std::unique_ptr<MainWindow> ProgramStart::showMainWindow() {
    waitForFonts();
    // Every window of the program shows the application icon; it is drawn once, here.
    QApplication::setWindowIcon(appIcon());
    auto window = std::make_unique<MainWindow>();
    window->showCentred();
    return window;
}

} // namespace workbench
