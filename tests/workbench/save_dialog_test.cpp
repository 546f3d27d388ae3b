// The save dialog: the name it writes, replacing files, failures that leave the dialog open,
// refreshing the lists, and its life from first need to its close button.

#define QTEST_QPA_MOUSE_HANDLING // real press, release and double-click sequences
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <sys/stat.h>

#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_window.h"

using fixture::child;
using fixture::kGreen;
using fixture::kRed;
using workbench::SaveDialog;

namespace {

// The picture of the file at path; an empty one when it cannot be read.
core::Picture load(const QString& path) {
    auto picture = fixture::loadBmp(path);
    return picture ? picture.value() : core::Picture();
}

} // namespace

class SaveDialogTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_folder = QDir(m_env->textures()).canonicalPath();
        QVERIFY(showWindow());
        m_window->workspace().picTarget.setPicture(fixture::filled(kRed));
    }
    void cleanup() { closeWindow(); }

    void theNameSaysWhereTheFileGoes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // relative to the start-up folder unless absolute
        QTest::newRow("plain") << "skin3"
                               << "skin3.bmp";
        QTest::newRow("blanks around") << "   skin3  "
                                       << "skin3.bmp";
        QTest::newRow("tab is not a blank") << "\tskin3"
                                            << "\tskin3.bmp";
        QTest::newRow("empty") << ""
                               << ".bmp";
        QTest::newRow("blanks only") << "    "
                                     << ".bmp";
        QTest::newRow("ending kept") << "x.bmp"
                                     << "x.bmp.bmp";
        QTest::newRow("relative folder") << "sub/y"
                                         << "sub/y.bmp";
        QTest::newRow("full path") << "<elsewhere>/full"
                                   << "<elsewhere>/full.bmp";
        // 255 bytes with the ending, as long as a name on the file system can be.
        QTest::newRow("longest name") << QString(251, 'n') << QString(251, 'n') + ".bmp";
    }
    void theNameSaysWhereTheFileGoes() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        const QString elsewhere = m_env->elsewhere("other");
        QDir(m_folder).mkdir("sub");
        typed.replace("<elsewhere>", elsewhere);
        written.replace("<elsewhere>", elsewhere);
        const QString path = QDir(m_folder).filePath(written);
        // The destination pane shows another folder: saving still goes to the start-up folder.
        child<workbench::FolderList>(m_window.get(), "DirTwo")->openFolder(m_env->home());

        SaveDialog* dialog = openDialog();
        dialog->setName(typed);
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);

        QCOMPARE(load(path), m_window->workspace().picTarget.image());
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->name(), typed); // kept for the next time
    }

    // An existing file is replaced only when the user says so; "No" leaves the file and the
    // dialog as they were, so that another name can be typed.
    void savingOverAFileAsksAndRefreshesTheLists_data() {
        QTest::addColumn<bool>("replace");
        QTest::newRow("replace") << true;
        QTest::newRow("keep") << false;
    }
    void savingOverAFileAsksAndRefreshesTheLists() {
        QFETCH(bool, replace);
        fixture::SaveAsPromptCatcher prompts;
        prompts.replace = replace;
        fixture::writeBmp(m_folder + "/skin2.bmp", kGreen, 128);
        SaveDialog* dialog = openDialog();
        dialog->setName("skin2");
        auto* filMain = child<workbench::FileList>(m_window.get(), "FilMain");
        auto* filTwo = child<workbench::FileList>(m_window.get(), "FilTwo");
        QCOMPARE(filMain->count(), 0);
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
        QCOMPARE(prompts.asked, QStringList{m_folder + "/skin2.bmp"});
        const core::Picture saved = load(m_folder + "/skin2.bmp");
        QCOMPARE(saved.width(), replace ? 256 : 128);
        QCOMPARE(saved.pixel(0, 0), replace ? kRed : kGreen);
        QCOMPARE(dialog->isVisible(), !replace);
        QCOMPARE(filMain->count(), replace ? 1 : 0);
        QCOMPARE(filTwo->count(), replace ? 1 : 0);
        QCOMPARE(m_window->destinationHasChanges(), !replace);
    }

    // Escape puts the dialog away, writing nothing; it keeps the name for the next time.
    void escapeHidesTheDialogChangingNothing() {
        SaveDialog* dialog = openDialog();
        QVERIFY(dialog);
        dialog->setName("never");
        // Typed in the name box, as the user would, from which the key reaches the dialog.
        QTest::keyClick(child<QLineEdit>(dialog, "txtName"), Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(m_window->saveDialog(), dialog);
        QCOMPARE(dialog->name(), QStringLiteral("never"));
        QVERIFY(!QFile::exists(m_folder + "/never.bmp"));
        QVERIFY(m_window->destinationHasChanges());
    }

    void theFileIsWhatTheCanvasShowsWhenSaveIsPressed() {
        SaveDialog* dialog = openDialog();
        dialog->setName("later");
        // The dialog is modeless: painting goes on while it is open.
        m_window->workspace().picSource.setPicture(fixture::filled(kGreen));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
        const core::Picture saved = load(m_folder + "/later.bmp");
        QCOMPARE(saved.pixel(100, 200), kGreen);
        QCOMPARE(saved.pixel(100, 100), kRed);
    }

    void aFailedSaveKeepsTheDialogAndWhatIsOnDisk_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // the start-up folder stands for <folder>
        QTest::newRow("no such folder")
            << "missing/skin"
            << "Cannot save <folder>/missing/skin.bmp: No such file or directory.";
        QTest::newRow("a folder takes the name")
            << "taken"
            << "Cannot save <folder>/taken.bmp: it is a folder, not a file.";
        QTest::newRow("a named pipe takes the name")
            << "pipe"
            << "Cannot save <folder>/pipe.bmp: it is a named pipe, not a file.";
        QTest::newRow("a link that leads round in a loop")
            << "loop"
            << "Cannot save <folder>/loop.bmp: it is a link that leads round in a loop.";
    }
    void aFailedSaveKeepsTheDialogAndWhatIsOnDisk() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        fixture::MessageCatcher messages;
        QDir(m_folder).mkpath("taken.bmp/inside");
        QVERIFY(::mkfifo(QFile::encodeName(m_folder + "/pipe.bmp").constData(), 0666) == 0);
        QVERIFY(QFile::link("loop.bmp", m_folder + "/loop.bmp"));
        SaveDialog* dialog = openDialog();
        dialog->setName(typed);
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
        // One line that names the whole path, so the user sees which folder refused the file.
        QCOMPARE(messages.messages(), QStringList{message.replace("<folder>", m_folder)});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->name(), typed);
        QVERIFY(QFileInfo(m_folder + "/taken.bmp/inside").isDir());
        struct stat pipe {};
        QVERIFY(::lstat(QFile::encodeName(m_folder + "/pipe.bmp").constData(), &pipe) == 0 &&
                S_ISFIFO(pipe.st_mode));
        QVERIFY(QFileInfo(m_folder + "/loop.bmp").isSymLink());
        // No stray temporary file is left behind.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Whatever happened since the last time, typing replaces the proposed name.
    void eachShowingPutsTheFocusOnTheWholeName() {
        SaveDialog* dialog = openDialog();
        auto* name = child<QLineEdit>(dialog, "txtName");
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), QStringLiteral("Text1"));

        // Typed over, saved with the button (which takes the focus), hidden.
        QTest::keyClicks(name, "skin3");
        QCOMPARE(name->text(), QStringLiteral("skin3"));
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(QFileInfo::exists(m_folder + "/skin3.bmp"));

        // Shown again: the kept name, focused and selected.
        QCOMPARE(openDialog(), dialog);
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), QStringLiteral("skin3"));

        // Still open, the cursor moved and the focus on "Save": a double-click brings it back.
        name->deselect();
        child<QPushButton>(dialog, "Command1")->setFocus();
        QCOMPARE(openDialog(), dialog);
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(name->selectedText(), QStringLiteral("skin3"));
    }

    void enterInTheNameBoxDoesNotSave() {
        SaveDialog* dialog = openDialog();
        auto* name = child<QLineEdit>(dialog, "txtName");
        QCOMPARE(QApplication::focusWidget(), name);
        QTest::keyClick(name, Qt::Key_Return);
        QTest::keyClick(name, Qt::Key_Enter);
        QVERIFY(dialog->isVisible());
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void theDialogLooksAsStored() {
        SaveDialog* dialog = openDialog();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(dialog->size(), QSize(312, 213));
        QCOMPARE(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Filename"));
        QCOMPARE(child<QLabel>(dialog, "Label1")->geometry(), QRect(80, 56, 89, 25));
        QCOMPARE(child<QLineEdit>(dialog, "txtName")->geometry(), QRect(80, 80, 193, 19));
        QCOMPARE(child<QPushButton>(dialog, "Command1")->text(), QStringLiteral("Save"));
        QCOMPARE(child<QPushButton>(dialog, "Command1")->geometry(), QRect(72, 152, 137, 41));
    }

    void closeButtonDestroysItAndTheNextOneStartsAfresh() {
        SaveDialog* dialog = openDialog();
        dialog->setName("typed before closing");
        QPointer<SaveDialog> first = dialog;
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QVERIFY(!m_window->saveDialog());
        QCOMPARE(openDialog()->name(), QStringLiteral("Text1"));

        // A second double-click shows the same dialog, as it was.
        m_window->saveDialog()->setName("kept");
        QCOMPARE(openDialog()->name(), QStringLiteral("kept"));
    }

    void openingADestinationFileFillsTheNameOfAClosedDialog() {
        fixture::writeBmp(m_folder + "/skin.bmp", kGreen);
        openDialog()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* filTwo = child<workbench::FileList>(m_window.get(), "FilTwo");
        filTwo->refresh();
        fixture::click(filTwo, "skin.bmp");
        QVERIFY(m_window->saveDialog());
        QVERIFY(!m_window->saveDialog()->isVisible());
        QCOMPARE(openDialog()->name(), QStringLiteral("skin2"));
    }

  private:
    SaveDialog* openDialog() {
        // The double-click goes to the main window, which is active then (hiding the dialog
        // leaves no window active on the offscreen platform).
        fixture::activate(m_window.get());
        QTest::mouseDClick(child<QWidget>(m_window.get(), "picTarget"), Qt::LeftButton, {}, QPoint(50, 50));
        SaveDialog* dialog = m_window->saveDialog();
        if (dialog) fixture::activate(dialog);
        return dialog;
    }

    QString m_folder;
};

QTEST_MAIN(SaveDialogTest)
#include "save_dialog_test.moc"
