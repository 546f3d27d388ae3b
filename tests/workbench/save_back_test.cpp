// Ctrl+S saves the destination back to the file it came from, in that file's own format: an
// 8-bit skin stays 8-bit with its palette, a 24-bit one 24-bit; without such a file it is Save
// As. The file follows undo of a load, and the classic dialog keeps a File menu entry of its own.

#include <QAction>
#include <QPushButton>
#include <QtTest>

#include "core/codec/bmp.h"
#include "stamps/save_format.h"
#include "window_fixture.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_window.h"

using fixture::bitsOf;
using fixture::child;
using fixture::kBlue;
using fixture::kGreen;
using fixture::kRed;
using stamps::SaveFormat;
using workbench::Pane;

Q_DECLARE_METATYPE(stamps::SaveFormat)

class SaveBackTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_folder = QDir(m_env->textures()).canonicalPath();
        QVERIFY(showWindow());
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        m_saveAs.emplace();
    }
    void cleanup() {
        m_saveAs.reset();
        closeWindow();
    }

    void ctrlSSavesBackInTheFilesOwnFormat_data() {
        QTest::addColumn<SaveFormat>("written"); // how the file was written before it is opened
        QTest::addColumn<int>("bits");
        QTest::newRow("8-bit") << SaveFormat::EightBit << 8;
        QTest::newRow("24-bit") << SaveFormat::TrueColour << 24;
    }
    void ctrlSSavesBackInTheFilesOwnFormat() {
        QFETCH(SaveFormat, written);
        QFETCH(int, bits);
        const QString path = m_folder + "/skin.bmp";
        const std::string native = QFile::encodeName(path).toStdString();
        QVERIFY(stamps::saveAs(written, fixture::threeColours(), fixture::threeColours(), native));
        QCOMPARE(bitsOf(path), bits);
        const auto before = core::loadPicture(native);
        QVERIFY(before);
        QVERIFY(m_window->panes().openFile(Pane::Destination, path));
        stamp();

        QVERIFY(pressKey(Qt::Key_S, Qt::ControlModifier));
        // No dialog: neither Save As nor the classic one.
        QVERIFY(m_saveAs->shownFolder.isEmpty());
        QVERIFY(!m_window->saveDialog()->isVisible());
        QCOMPARE(bitsOf(path), bits);
        const auto saved = core::loadPicture(native);
        QVERIFY(saved);
        QCOMPARE(saved.value(), m_window->workspace().picTarget.image());
        if (bits == 8) {
            // The palette the file had, entry for entry.
            const auto was = before.value().palette()->entries();
            const auto now = saved.value().palette()->entries();
            QVERIFY(std::equal(was.begin(), was.end(), now.begin(), now.end()));
        }
        QVERIFY(status().startsWith("Saved skin.bmp, "));
        QVERIFY(!m_window->destinationHasChanges());
        QCOMPARE(m_window->windowTitle(), path);
    }

    // With no file to save back to, Ctrl+S asks for one as Save As does; the next Ctrl+S saves
    // there, in the type picked, without asking.
    void ctrlSWithoutAFileIsSaveAs() {
        stamp();
        m_saveAs->chosen = workbench::SaveAsChoice{"named", SaveFormat::EightBit};
        QVERIFY(pressKey(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(QDir(m_saveAs->shownFolder).canonicalPath(), m_folder);
        const QString path = m_folder + "/named.bmp";
        QCOMPARE(bitsOf(path), 8);
        QCOMPARE(m_window->windowTitle(), path);

        m_saveAs.emplace(); // a second file dialog would now be cancelled
        m_window->workspace().picSource.setPicture(fixture::filled(kGreen));
        stamp();
        QVERIFY(pressKey(Qt::Key_S, Qt::ControlModifier));
        QVERIFY(m_saveAs->shownFolder.isEmpty());
        QCOMPARE(bitsOf(path), 8);
        QCOMPARE(fixture::loadBmp(path).value(), m_window->workspace().picTarget.image());
    }

    // Undoing a load brings the earlier file back: Ctrl+S writes that one, not the file undone.
    void ctrlSAfterUndoingALoadSavesTheEarlierFile() {
        const QString first = m_folder + "/first.bmp", second = m_folder + "/second.bmp";
        fixture::writeBmp(first, kRed);
        fixture::writeBmp(second, kGreen);
        QVERIFY(m_window->panes().openFile(Pane::Destination, first));
        QVERIFY(m_window->panes().openFile(Pane::Destination, second));
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier));
        stamp();
        QVERIFY(pressKey(Qt::Key_S, Qt::ControlModifier));
        QCOMPARE(fixture::loadBmp(first).value(), m_window->workspace().picTarget.image());
        QCOMPARE(fixture::loadBmp(second).value(), fixture::filled(kGreen));
    }

    // The classic dialog is still there: a double-click on the destination, or its own entry.
    void theClassicDialogHasAMenuEntry() {
        auto* entry = child<QAction>(m_window.get(), "actSaveClassic");
        QVERIFY(entry);
        QVERIFY(entry->shortcut().isEmpty());
        entry->trigger();
        QVERIFY(m_window->saveDialog());
        QVERIFY(m_window->saveDialog()->isVisible());
    }

  private:
    // Presses `Command1`, a stamp that copies part of the source onto the destination.
    void stamp() { QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton); }

    QString m_folder;
    std::optional<fixture::SaveAsPromptCatcher> m_saveAs;
};

QTEST_MAIN(SaveBackTest)
#include "save_back_test.moc"
