// Quiltane: builds body-skin textures from stamps. The main window is the program.

#include <QApplication>
#include <QFileInfo>

#include "core/atomic_file.h"
#include "workbench/classic/panes.h"
#include "workbench/program_start.h"

int main(int argc, char** argv) {
    // Ctrl-C or a termination signal during a save leaves no temporary file behind.
    core::cleanUpSavesOnSignals();
    workbench::ProgramStart start; // before the application: the fonts are read meanwhile
    QApplication app(argc, argv);
    // "Open with Quiltane" on a skin, or quiltane FILE: the file opens as the destination, as
    // File, Open Destination would open it. Its path is taken before the window enters the
    // start-up folder.
    const QStringList arguments = QApplication::arguments();
    const QString file = arguments.size() > 1 ? QFileInfo(arguments.at(1)).absoluteFilePath() : QString();
    const auto window = start.showMainWindow();
    if (!file.isEmpty()) window->panes().openFile(workbench::Pane::Destination, file);
    return app.exec();
}
