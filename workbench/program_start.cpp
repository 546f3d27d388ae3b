#include "workbench/program_start.h"

#include <QApplication>

#include "workbench/app_icon.h"

namespace workbench {

std::unique_ptr<MainWindow> startMainWindow() {
    // Every window of the program shows the application icon; it is drawn once, here.
    QApplication::setWindowIcon(appIcon());
    auto window = std::make_unique<MainWindow>();
    window->showCentred();
    return window;
}

} // namespace workbench
