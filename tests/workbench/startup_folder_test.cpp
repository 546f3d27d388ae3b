// The start-up folder: the texture folder inside the Wine prefix, else its C: drive, else the
// home folder; both panes open on it.

#include <QtTest>

#include "window_fixture.h"
#include "workbench/file_lists.h"
#include "workbench/main_window.h"
#include "workbench/platform/startup_folder.h"

using fixture::TempEnvironment;

class StartupFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void choosesTheFirstFolderThatCanBeEntered_data() {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("expected"); // which folder of the environment
        QTest::newRow("texture folder") << int(TempEnvironment::Layout::TextureFolder) << "textures";
        QTest::newRow("no texture folder: drive_c") << int(TempEnvironment::Layout::DriveCOnly) << "driveC";
        QTest::newRow("no prefix: home") << int(TempEnvironment::Layout::NoPrefix) << "home";
    }
    void choosesTheFirstFolderThatCanBeEntered() {
        QFETCH(int, layout);
        QFETCH(QString, expected);
        TempEnvironment env{TempEnvironment::Layout(layout)};
        const QString folder = expected == "textures" ? env.textures()
                               : expected == "driveC" ? env.driveC()
                                                      : env.home();

        const std::filesystem::path entered = workbench::enterStartupFolder();
        QCOMPARE(QDir(QString::fromStdString(entered.string())).canonicalPath(),
                 QDir(folder).canonicalPath());
        QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
    }

    void theTextureFolderMustBeAFolder() {
        // A file where the texture folder should be cannot be entered: drive_c is used.
        TempEnvironment env(TempEnvironment::Layout::DriveCOnly);
        QDir(env.driveC()).mkpath("Program Files/Korvane/Posebox/Gamedata");
        fixture::writeText(env.textures(), "not a folder");
        workbench::enterStartupFolder();
        QCOMPARE(QDir::currentPath(), QDir(env.driveC()).canonicalPath());
    }

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
