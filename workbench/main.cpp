// Quiltane: builds body-skin textures from stamps. The main window is the program.

#include <QApplication>

#include "core/atomic_file.h"
#include "workbench/app_icon.h"
#include "workbench/main_window.h"

int main(int argc, char** argv) {
    // Ctrl-C or a termination signal during a save leaves no temporary file behind.
    core::cleanUpSavesOnSignals();
    QApplication app(argc, argv);
    // Every window of the program shows the application icon; it is drawn once, here.
    QApplication::setWindowIcon(workbench::appIcon());
    workbench::MainWindow window;
    window.showCentred();
    return app.exec();
}
