// The start-up folder in the window: both panes open on it. Which folder is chosen is tested
// without Qt in tests/platform.

#include <QtTest>

#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/main_window.h"

using fixture::TempEnvironment;

class StartupFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void bothPanesOpenOnTheStartupFolder() {
        TempEnvironment env;
        fixture::writeBmp(env.textures() + "/skin.bmp", {1, 2, 3});
        QDir::setCurrent(env.home()); // wherever the program was started from
        workbench::MainWindow window;
        const QString textures = QDir(env.textures()).canonicalPath();
        QCOMPARE(QDir::currentPath(), textures);
        for (const char* name : {"Dir1", "DirTwo"})
            QCOMPARE(QDir(fixture::child<workbench::FolderList>(&window, name)->folder()).canonicalPath(),
                     textures);
        for (const char* name : {"FilMain", "FilTwo"}) {
            auto* list = fixture::child<workbench::FileList>(&window, name);
            QCOMPARE(list->count(), 1);
            QCOMPARE(list->selectedName(), QString());
        }
        QCOMPARE(window.windowTitle(), QStringLiteral("Quiltane "));
    }
};

QTEST_MAIN(StartupFolderTest)
#include "startup_folder_test.moc"
