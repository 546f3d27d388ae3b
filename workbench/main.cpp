// Quiltane: builds body-skin textures from stamps. The main window is the program.

#include <QApplication>

#include "core/atomic_file.h"
#include "workbench/program_start.h"

int main(int argc, char** argv) {
    // Ctrl-C or a termination signal during a save leaves no temporary file behind.
    core::cleanUpSavesOnSignals();
    workbench::ProgramStart start; // before the application: the fonts are read meanwhile
    QApplication app(argc, argv);
    const auto window = start.showMainWindow();
    return app.exec();
}
