// The file panes: listing, opening into the canvases, the title and labels they set, a file
// that cannot be opened told in the status line, the destination lock and the "Delete" buttons,
// which move a file to the trash.

#define QTEST_QPA_MOUSE_HANDLING // real press, release and double-click sequences
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "tests/core/codec/png_test_fixtures.h"
#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_window.h"

using fixture::child;
using fixture::click;
using fixture::entry;
using fixture::kGreen;
using fixture::kRed;
using workbench::FileList;
using workbench::FolderList;

namespace {

QStringList entries(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// A 256 x 256 PNG file, clear at the left half, opaque red at the right.
void writeClearPng(const QString& path) {
    pngtest::PngLayout clear;
    clear.width = clear.height = 256;
    clear.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 256 * 256; ++i)
        clear.samples.insert(clear.samples.end(), {kRed.r, kRed.g, kRed.b, i % 256 < 128 ? 0 : 255});
    const pngtest::Bytes bytes = pngtest::writePng(clear);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())),
             qint64(bytes.size()));
}

void doubleClick(QListWidget* list, const QString& name) {
    QListWidgetItem* item = entry(list, name);
    QVERIFY2(item, qPrintable(name));
    list->scrollToItem(item);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class PanesTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_folder = m_env->textures();
        fixture::writeBmp(m_folder + "/skin.bmp", kRed);
        fixture::writeBmp(m_folder + "/SKIN.BMP", kGreen);
        fixture::writeBmp(m_folder + "/b069fafit.bmp", kGreen, 128);
        fixture::writeBmp(m_folder + "/ab.bmp", kGreen);
        fixture::writeBmp(m_folder + "/.bmp", kGreen);
        fixture::writeText(m_folder + "/broken.bmp", "this is text, not a picture");
        fixture::writeBmp(m_folder + "/notes.txt", kGreen);
        fixture::writeBmp(m_folder + "/skin.bmp.bak", kGreen);
        writeClearPng(m_folder + "/clear.png");
        fixture::writeBmp(m_folder + "/PAINTED.PNG", kGreen); // a BMP file, whatever its name
        QVERIFY(showWindow());
        m_filMain = child<FileList>(m_window.get(), "FilMain");
        m_filTwo = child<FileList>(m_window.get(), "FilTwo");
    }
    void cleanup() { closeWindow(); }

    void listsBmpFilesWhateverTheirCaseSorted() {
        // Names equal but for case: upper case first.
        const QStringList expected{".bmp",      "ab.bmp",      "b069fafit.bmp", "broken.bmp",
                                   "clear.png", "PAINTED.PNG", "SKIN.BMP",      "skin.bmp"};
        QCOMPARE(entries(m_filMain), expected);
        QCOMPARE(entries(m_filTwo), expected);
    }

    void openingTheSourceSetsTheLabelNotTheTitle_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::newRow("long name") << "b069fafit.bmp"
                                   << "b069";
        QTest::newRow("short name") << "ab.bmp"
                                    << "ab.b";
    }
    void openingTheSourceSetsTheLabelNotTheTitle() {
        QFETCH(QString, name);
        QFETCH(QString, label);
        click(m_filMain, name);
        QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), label);
        // The title names the destination's file, which a save writes; there is none yet.
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quiltane "));
        QCOMPARE(m_window->workspace().picSource.picture().width(), name == "ab.bmp" ? 256 : 128);
        // The destination is not touched, nor the save dialog made.
        QVERIFY(m_window->workspace().picTarget.picture().isEmpty());
        QVERIFY(!m_window->saveDialog());
    }

    void openingTheDestinationProposesASaveName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saveName");
        QTest::newRow("lower case") << "skin.bmp"
                                    << "skin2";
        QTest::newRow("upper case") << "SKIN.BMP"
                                    << "SKIN2";
        QTest::newRow("nothing before the ending") << ".bmp"
                                                   << "2";
    }
    void openingTheDestinationProposesASaveName() {
        QFETCH(QString, name);
        QFETCH(QString, saveName);
        click(m_filTwo, name);
        QCOMPARE(m_window->windowTitle(), QDir(m_folder).filePath(name));
        QVERIFY(!m_window->workspace().picTarget.picture().isEmpty());
        // The dialog is made hidden to receive the name.
        QVERIFY(m_window->saveDialog());
        QVERIFY(!m_window->saveDialog()->isVisible());
        QCOMPARE(m_window->saveDialog()->name(), saveName);
        QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QString());
    }

    // A PNG file opens as a BMP file does, told by its first bytes; its transparency is laid
    // onto white, and the status line says so.
    void aPngFileOpensAndItsTransparencyIsTold() {
        click(m_filTwo, "clear.png");
        QCOMPARE(m_window->windowTitle(), QDir(m_folder).filePath("clear.png"));
        QCOMPARE(m_window->workspace().picTarget.pixel(10, 10), (core::Rgb{255, 255, 255}));
        QCOMPARE(m_window->workspace().picTarget.pixel(200, 10), kRed);
        QCOMPARE(status(), m_folder + "/clear.png: its transparency was flattened onto white.");
        QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("clear2"));
        click(m_filTwo, "PAINTED.PNG");
        QCOMPARE(m_window->workspace().picTarget.pixel(10, 10), kGreen);
    }

    void openingReplacesEarlierPaints() {
        click(m_filTwo, "skin.bmp");
        m_window->workspace().picSource.setPicture(fixture::filled(kGreen));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 200), kGreen);
        click(m_filTwo, "ab.bmp");
        click(m_filTwo, "skin.bmp");
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 200), kRed);
    }

    void aFileThatCannotBeOpenedChangesNothing() {
        fixture::MessageCatcher messages;
        click(m_filMain, "ab.bmp");
        click(m_filTwo, "skin.bmp");
        const QString title = m_window->windowTitle();
        const core::Picture source = m_window->workspace().picSource.image();
        const core::Picture target = m_window->workspace().picTarget.image();

        // Each failure is told in the status line, naming the file, not in a message box.
        click(m_filMain, "broken.bmp");
        QCOMPARE(status(), "Cannot open " + m_folder + "/broken.bmp: it is not a BMP or PNG file.");
        click(m_filTwo, "broken.bmp");
        // A file that vanished after it was listed.
        QVERIFY(QFile::remove(m_folder + "/SKIN.BMP"));
        click(m_filTwo, "SKIN.BMP");
        QCOMPARE(status(), "Cannot open " + m_folder + "/SKIN.BMP: the file does not exist.");

        QCOMPARE(m_window->windowTitle(), title);
        QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QStringLiteral("ab.b"));
        QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("skin2"));
        QCOMPARE(m_window->workspace().picSource.image(), source);
        QCOMPARE(m_window->workspace().picTarget.image(), target);
        QVERIFY(messages.messages().isEmpty());
    }

    void theKeyboardPicksFilesToo() {
        m_filMain->setFocus();
        QTest::keyClick(m_filMain, Qt::Key_Home);
        QTest::keyClick(m_filMain, Qt::Key_Down);
        QCOMPARE(m_filMain->selectedName(), QStringLiteral("ab.bmp"));
        QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QStringLiteral("ab.b"));
    }

    void doubleClickLocksTheDestinationUntilTheWindowIsDoubleClicked() {
        // A double-click on an entry not yet selected opens it, then locks the list.
        doubleClick(m_filTwo, "skin.bmp");
        QVERIFY(!m_filTwo->isEnabled());
        QCOMPARE(m_window->windowTitle(), QDir(m_folder).filePath("skin.bmp"));
        const core::Picture locked = m_window->workspace().picTarget.image();

        // Single clicks on the greyed list open nothing.
        click(m_filTwo, "ab.bmp");
        QCOMPARE(m_window->workspace().picTarget.image(), locked);
        QCOMPARE(m_filTwo->selectedName(), QStringLiteral("skin.bmp"));

        // A double-click on the greyed list reaches the window and releases it.
        doubleClick(m_filTwo, "ab.bmp");
        QVERIFY(m_filTwo->isEnabled());
        QCOMPARE(m_window->workspace().picTarget.image(), locked);

        // Locked again by a double-click on the selected entry, released on the window's
        // empty surface.
        doubleClick(m_filTwo, "skin.bmp");
        QVERIFY(!m_filTwo->isEnabled());
        QTest::mouseDClick(m_window.get(), Qt::LeftButton, {}, QPoint(690, 420));
        QVERIFY(m_filTwo->isEnabled());
        // A double-click on the window while unlocked leaves it unlocked.
        QTest::mouseDClick(m_window.get(), Qt::LeftButton, {}, QPoint(690, 420));
        QVERIFY(m_filTwo->isEnabled());
    }

    void foldersOpenOnDoubleClickAndFeedTheirFileList() {
        const QString sub = m_folder + "/Sub";
        QDir().mkpath(sub);
        fixture::writeBmp(sub + "/inner.BMP", kRed);
        auto* dirTwo = child<FolderList>(m_window.get(), "DirTwo");
        dirTwo->openFolder(m_folder); // read the new subfolder

        QTreeWidgetItem* item = dirTwo->findItems("Sub", Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY(item);
        // One click only selects.
        QTest::mouseClick(dirTwo->viewport(), Qt::LeftButton, {}, dirTwo->visualItemRect(item).center());
        QCOMPARE(entries(m_filTwo).size(), 8);

        m_window->panes().switchLock(); // the locked list follows its folder too
        QTest::mouseDClick(dirTwo->viewport(), Qt::LeftButton, {}, dirTwo->visualItemRect(item).center());
        QCOMPARE(QDir(dirTwo->folder()).canonicalPath(), QDir(sub).canonicalPath());
        QCOMPARE(entries(m_filTwo), QStringList{"inner.BMP"});
        QVERIFY(!m_filTwo->isEnabled());
        // The chain from the root down to the folder.
        QTreeWidgetItem* top = dirTwo->topLevelItem(0);
        QCOMPARE(top->text(0), QStringLiteral("/"));
        // Browsing never changes where saves go; the other pane stays.
        QCOMPARE(QDir::currentPath(), QDir(m_folder).canonicalPath());
        QCOMPARE(entries(m_filMain).size(), 8);
    }

    void deleteMovesOnlyLowerCaseBmpEndingsToTheTrash_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("select"); // empty: nothing selected
        QTest::addColumn<bool>("deleted");
        QTest::newRow("source, nothing selected") << "Command28"
                                                  << "" << false;
        QTest::newRow("source, upper-case ending") << "Command28"
                                                   << "SKIN.BMP" << false;
        QTest::newRow("source, skin.bmp") << "Command28"
                                          << "skin.bmp" << true;
        QTest::newRow("destination, upper-case ending") << "Command37"
                                                        << "SKIN.BMP" << false;
        QTest::newRow("destination, skin.bmp") << "Command37"
                                               << "skin.bmp" << true;
        QTest::newRow("destination, .bmp alone") << "Command37"
                                                 << ".bmp" << true;
    }
    void deleteMovesOnlyLowerCaseBmpEndingsToTheTrash() {
        QFETCH(QString, button);
        QFETCH(QString, select);
        QFETCH(bool, deleted);
        fixture::MessageCatcher messages;
        fixture::WindowPromptCatcher prompts;
        FileList* list = button == "Command28" ? m_filMain : m_filTwo;
        if (!select.isEmpty()) click(list, select);
        const core::Picture shown =
            m_window->workspace()
                .canvas(button == "Command28" ? stamps::CanvasId::picSource : stamps::CanvasId::picTarget)
                .image();
        const QString title = m_window->windowTitle();
        // A file that appeared since the lists were read shows up after the refresh.
        fixture::writeBmp(m_folder + "/new.bmp", kRed);

        QTest::mouseClick(child<QPushButton>(m_window.get(), button.toLatin1()), Qt::LeftButton);

        const QStringList all{".bmp", "SKIN.BMP", "skin.bmp"};
        for (const QString& name : all)
            QCOMPARE(QFile::exists(m_folder + "/" + name), !(deleted && name == select));
        // The file can be brought back from the trash; nothing was deleted for good.
        QCOMPARE(m_env->trashed(), deleted ? QStringList{select} : QStringList());
        QVERIFY(prompts.askedToDelete.isEmpty());
        QCOMPARE(status(), deleted ? "Moved " + select + " to the trash" : QString());
        for (FileList* refreshed : {m_filMain, m_filTwo}) {
            QVERIFY(entry(refreshed, "new.bmp"));
            if (!select.isEmpty()) QCOMPARE(entry(refreshed, select) == nullptr, deleted);
        }
        // The canvas keeps showing a deleted file; the title keeps its path.
        QCOMPARE(
            m_window->workspace()
                .canvas(button == "Command28" ? stamps::CanvasId::picSource : stamps::CanvasId::picTarget)
                .image(),
            shown);
        QCOMPARE(m_window->windowTitle(), title);
        QVERIFY(messages.messages().isEmpty());
    }

    // Where no trash takes the file, the user is asked before it is deleted for good.
    void withoutATrashDeletingForGoodIsAsked_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("said");
        QTest::newRow("no") << false << "skin.bmp was not deleted";
        QTest::newRow("yes") << true << "Deleted skin.bmp for good";
    }
    void withoutATrashDeletingForGoodIsAsked() {
        QFETCH(bool, answer);
        QFETCH(QString, said);
        fixture::MessageCatcher messages;
        fixture::WindowPromptCatcher prompts;
        prompts.deleteForGood = answer;
        m_env->setDataFolder(m_env->unusableFolder());
        click(m_filTwo, "skin.bmp");
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command37"), Qt::LeftButton);
        QCOMPARE(prompts.askedToDelete, QStringList{QDir(m_folder).filePath("skin.bmp")});
        QCOMPARE(QFile::exists(m_folder + "/skin.bmp"), !answer);
        QCOMPARE(entry(m_filTwo, "skin.bmp") == nullptr, answer);
        QCOMPARE(status(), said);
        QVERIFY(messages.messages().isEmpty());
    }

    void aFailedDeleteNamesTheFileAndRefreshes() {
        fixture::MessageCatcher messages;
        click(m_filTwo, "skin.bmp");
        QVERIFY(QFile::remove(m_folder + "/skin.bmp")); // gone meanwhile
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command37"), Qt::LeftButton);
        QCOMPARE(messages.messages().size(), 1);
        const QString message = messages.messages().first();
        QVERIFY2(message.contains(QDir(m_folder).filePath("skin.bmp")), qPrintable(message));
        QVERIFY2(message.contains("No such file"), qPrintable(message));
        QVERIFY(!entry(m_filMain, "skin.bmp"));
        QVERIFY(!entry(m_filTwo, "skin.bmp"));
    }

    void aFolderNamedLikeAFileIsNeverDeleted() {
        fixture::MessageCatcher messages;
        click(m_filTwo, "ab.bmp");
        QVERIFY(QFile::remove(m_folder + "/ab.bmp"));
        QVERIFY(QDir(m_folder).mkdir("ab.bmp"));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command37"), Qt::LeftButton);
        QVERIFY(QFileInfo(m_folder + "/ab.bmp").isDir());
        QCOMPARE(messages.messages().size(), 1);
    }

  private:
    QString m_folder;
    FileList* m_filMain = nullptr;
    FileList* m_filTwo = nullptr;
};

QTEST_MAIN(PanesTest)
#include "panes_test.moc"
