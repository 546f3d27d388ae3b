// What the window adds over the classic controls: the menu bar's commands and keys, undo and
// redo, opening through the File menu, Open Recent (and a file of it that is gone), files dropped
// on the canvases, and the question before quitting with unsaved changes.

#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/main_window.h"
#include "workbench/recent_files.h"

using fixture::child;
using fixture::kBlue;
using fixture::kGreen;
using fixture::kRed;
using workbench::MainWindow;
using workbench::Pane;
using workbench::UnsavedAnswer;

Q_DECLARE_METATYPE(workbench::UnsavedAnswer)

namespace {

// Drags urls onto widget and drops them there; false when the widget refuses the drag.
bool drop(QWidget* widget, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = widget->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &dropped);
    return true;
}

} // namespace

class WindowCommandsTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_startup = QDir(m_env->textures()).canonicalPath();
        m_skins = QDir(m_env->elsewhere("skins")).canonicalPath();
        fixture::writeBmp(m_startup + "/skin.bmp", kRed);
        fixture::writeBmp(m_skins + "/b.bmp", kGreen);
        fixture::writeText(m_skins + "/broken.bmp", "this is text, not a picture");
        QVERIFY(showWindow());
        m_prompts.emplace();
    }
    void cleanup() {
        m_prompts.reset();
        closeWindow();
    }

    void menuCommandsCarryTheirKeys_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keys");
        QTest::newRow("open source") << "menuFile"
                                     << "actOpenSource"
                                     << "Open &Source…"
                                     << "Ctrl+O";
        QTest::newRow("open destination") << "menuFile"
                                          << "actOpenDestination"
                                          << "Open &Destination…"
                                          << "Ctrl+Shift+O";
        QTest::newRow("save") << "menuFile"
                              << "actSave"
                              << "&Save Destination"
                              << "Ctrl+S";
        QTest::newRow("save as") << "menuFile"
                                 << "actSaveAs"
                                 << "Save Destination &As…"
                                 << "Ctrl+Shift+S";
        QTest::newRow("open recent") << "menuFile"
                                     << ""
                                     << "Open &Recent"
                                     << "";
        QTest::newRow("quit") << "menuFile"
                              << "actQuit"
                              << "&Quit"
                              << "Ctrl+Q";
        QTest::newRow("undo") << "menuEdit"
                              << "actUndo"
                              << "&Undo"
                              << "Ctrl+Z";
        QTest::newRow("redo") << "menuEdit"
                              << "actRedo"
                              << "&Redo"
                              << "Ctrl+Shift+Z; Ctrl+Y";
        QTest::newRow("preview") << "menuView"
                                 << "actPreview"
                                 << "&Preview"
                                 << "F3";
        QTest::newRow("body: mannequin") << "menuBody"
                                         << "actBodyMannequin"
                                         << "&Mannequin"
                                         << "";
        QTest::newRow("body: from file") << "menuBody"
                                         << "actBodyFromFile"
                                         << "&From File…"
                                         << "";
        QTest::newRow("every tone") << "menuFile"
                                    << "actSaveTones"
                                    << "Save in Every &Tone…"
                                    << "Ctrl+T";
        QTest::newRow("my stamps") << "menuOutfit"
                                   << "actMyStamps"
                                   << "&My Stamps"
                                   << "F4";
        QTest::newRow("mask from bare body") << "menuOutfit"
                                             << "actMaskFromBody"
                                             << "Mask from &Bare Body…"
                                             << "Ctrl+B";
        QTest::newRow("mask file") << "menuOutfit"
                                   << "actMaskFile"
                                   << "Cut with a Mask &File…"
                                   << "";
        QTest::newRow("body file") << "menuOutfit"
                                   << "actBodyFile"
                                   << "Fill with a B&ody File…"
                                   << "";
        QTest::newRow("about") << "menuHelp"
                               << "actAbout"
                               << "&About Quiltane"
                               << "";
        QTest::newRow("version") << "menuHelp"
                                 << "actVersion"
                                 << "Version 0.2.16"
                                 << "";
    }
    void menuCommandsCarryTheirKeys() {
        QFETCH(QString, menu);
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QString, keys);
        auto* owner = child<QMenu>(m_window.get(), menu.toLatin1());
        QVERIFY(owner);
        QAction* found = nullptr;
        for (QAction* item : owner->actions())
            if (item->text() == text) found = item;
        QVERIFY2(found, qPrintable(text));
        if (!action.isEmpty()) QCOMPARE(found->objectName(), action);
        QCOMPARE(QKeySequence::listToString(found->shortcuts()), keys);
    }

    // Ctrl+Z takes back a stamp, and a load that replaced unsaved work; Edit names the steps.
    void undoAndRedoWalkTheSteps() {
        QAction* undo = child<QAction>(m_window.get(), "actUndo");
        QAction* redo = child<QAction>(m_window.get(), "actRedo");
        QVERIFY(undo && redo);
        QCOMPARE(undo->text(), QStringLiteral("&Undo"));
        QVERIFY(!undo->isEnabled());

        const core::Canvas& destination = m_window->workspace().picTarget;
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_startup + "/skin.bmp"));
        const core::Picture loaded = destination.image();
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command56"), Qt::LeftButton); // "Bikini 402"
        const core::Picture cut = destination.image();
        QVERIFY(cut != loaded);
        QCOMPARE(undo->text(), QStringLiteral("&Undo Bikini 402"));
        QCOMPARE(redo->text(), QStringLiteral("&Redo"));
        QVERIFY(undo->isEnabled() && !redo->isEnabled());

        pressKey(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(destination.image(), loaded);
        QCOMPARE(undo->text(), QStringLiteral("&Undo Open skin.bmp"));
        QCOMPARE(redo->text(), QStringLiteral("&Redo Bikini 402"));
        QVERIFY(redo->isEnabled());
        QVERIFY(!m_window->destinationHasChanges()); // back as it was loaded
        pressKey(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(destination.image(), cut);
        pressKey(Qt::Key_Z, Qt::ControlModifier);
        pressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(destination.image(), cut);

        // Another skin opened over the cut-out, then taken back: the unsaved work returns.
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_skins + "/b.bmp"));
        QVERIFY(!m_window->destinationHasChanges());
        pressKey(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(destination.image(), cut);
        QVERIFY(m_window->destinationHasChanges());
        QCOMPARE(child<QWidget>(m_window.get(), "picTarget")->grab().toImage().pixelColor(2 + 10, 2 + 10),
                 QColor(cut.pixel(10, 10).r, cut.pixel(10, 10).g, cut.pixel(10, 10).b));
    }

    // A press that changes nothing ("All Top" has no paint steps) is a step too: Edit names it
    // and Ctrl+Z takes it back, changing nothing, rather than the load before it.
    void undoingAPressThatChangedNothingKeepsTheLoad() {
        QAction* undo = child<QAction>(m_window.get(), "actUndo");
        QAction* redo = child<QAction>(m_window.get(), "actRedo");
        const core::Canvas& destination = m_window->workspace().picTarget;
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_startup + "/skin.bmp"));
        const core::Picture loaded = destination.image();
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command69"), Qt::LeftButton);
        QCOMPARE(destination.image(), loaded);
        QCOMPARE(undo->text(), QStringLiteral("&Undo All Top"));

        pressKey(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(destination.image(), loaded);
        QCOMPARE(undo->text(), QStringLiteral("&Undo Open skin.bmp"));
        QCOMPARE(redo->text(), QStringLiteral("&Redo All Top"));
        QVERIFY(!m_window->destinationHasChanges());
    }

    // Ctrl+O and Ctrl+Shift+O do what picking the file in the pane does, and the pane's lists
    // move to the file's folder.
    void openingFromTheFileMenuActsAsThePane_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<Pane>("pane");
        QTest::addColumn<QString>("title"); // the file dialog's
        QTest::newRow("source") << Qt::KeyboardModifiers(Qt::ControlModifier) << Pane::Source
                                << "Open Source";
        QTest::newRow("destination") << (Qt::ControlModifier | Qt::ShiftModifier) << Pane::Destination
                                     << "Open Destination";
    }
    void openingFromTheFileMenuActsAsThePane() {
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(Pane, pane);
        QFETCH(QString, title);
        const bool source = pane == Pane::Source;
        const QString path = m_skins + "/b.bmp";
        m_prompts->chosen = path;
        pressKey(Qt::Key_O, keys);

        // The file dialog opened on the pane's folder.
        QCOMPARE(m_prompts->shownTitle, title);
        QCOMPARE(QDir(m_prompts->shownFolder).canonicalPath(), m_startup);
        const core::Canvas& opened =
            source ? m_window->workspace().picSource : m_window->workspace().picTarget;
        const core::Canvas& other =
            source ? m_window->workspace().picTarget : m_window->workspace().picSource;
        QCOMPARE(opened.pixel(10, 10), kGreen);
        QVERIFY(other.picture().isEmpty());
        // The title names the destination's file only.
        QCOMPARE(m_window->windowTitle(), source ? QStringLiteral("Quiltane ") : path);
        QCOMPARE(m_window->panes().folderList(pane)->folder(), m_skins);
        QCOMPARE(m_window->panes().fileList(pane)->folder(), m_skins);
        QCOMPARE(m_window->panes().fileList(pane)->selectedName(), QStringLiteral("b.bmp"));
        if (source) {
            QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QStringLiteral("b.bm"));
            QVERIFY(!m_window->saveDialog());
        } else {
            QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("b2"));
            QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QString());
        }
        // The other pane stays on the start-up folder.
        const Pane otherPane = source ? Pane::Destination : Pane::Source;
        QCOMPARE(QDir(m_window->panes().folderList(otherPane)->folder()).canonicalPath(), m_startup);
    }

    // The last ten files opened in either canvas, most recent first and each once; the list
    // outlives the window, and an entry opens its file into the canvas it was opened in.
    void openRecentKeepsTheLastTenFiles() {
        for (int i = 0; i <= 10; ++i) {
            const QString path = m_skins + QStringLiteral("/f%1.bmp").arg(i);
            fixture::writeBmp(path, {std::uint8_t(i), 0, 0});
            QVERIFY(m_window->panes().openFile(i % 2 ? Pane::Destination : Pane::Source, path));
        }
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_skins + "/f4.bmp"));

        MainWindow nextRun;
        auto* recent = child<QMenu>(&nextRun, "menuRecent");
        QVERIFY(recent);
        emit recent->aboutToShow();
        QStringList texts;
        for (const QAction* action : recent->actions())
            texts << action->text();
        const auto entry = [&](int number, int file, const char* canvas) {
            return QStringLiteral("&%1 %2/f%3.bmp (%4)").arg(number).arg(m_skins).arg(file).arg(canvas);
        };
        QCOMPARE(texts,
                 QStringList({entry(1, 4, "destination"), entry(2, 10, "source"), entry(3, 9, "destination"),
                              entry(4, 8, "source"), entry(5, 7, "destination"), entry(6, 6, "source"),
                              entry(7, 5, "destination"), entry(8, 3, "destination"), entry(9, 2, "source"),
                              entry(0, 1, "destination")}));

        recent->actions().at(3)->trigger(); // f8, into the source
        QCOMPARE(nextRun.workspace().picSource.pixel(0, 0), (core::Rgb{8, 0, 0}));
        QVERIFY(nextRun.workspace().picTarget.picture().isEmpty());
        QCOMPARE(child<QLabel>(&nextRun, "lblSource")->text(), QStringLiteral("f8.b"));
    }

    // An entry whose file is gone is taken off the list when it fails to open, and the status
    // line says so; one that is there but cannot be opened stays.
    void openRecentDropsAFileThatNoLongerExists() {
        const QString gone = m_skins + "/gone\nskin.bmp", broken = m_skins + "/broken.bmp";
        fixture::writeBmp(gone, kRed);
        QVERIFY(m_window->panes().openFile(Pane::Source, gone));
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_skins + "/b.bmp"));
        QVERIFY(QFile::remove(gone));
        workbench::rememberRecentFile({broken, stamps::CanvasId::picTarget});

        auto* recent = child<QMenu>(m_window.get(), "menuRecent");
        const auto entries = [&] {
            emit recent->aboutToShow();
            QStringList texts;
            for (const QAction* action : recent->actions())
                texts << action->text();
            return texts;
        };
        const QString goneEntry = "&3 " + QString(gone).replace("&", "&&") + " (source)";
        QCOMPARE(entries().size(), 3);
        QCOMPARE(entries().at(2), goneEntry);

        recent->actions().at(0)->trigger(); // broken.bmp: there, but no BMP file
        QCOMPARE(status(), "Cannot open " + broken + ": it is not a BMP or PNG file.");
        QCOMPARE(entries().size(), 3);

        recent->actions().at(2)->trigger(); // the file that is gone
        QCOMPARE(status(), "Cannot open $'" + m_skins +
                               "/gone\\nskin.bmp': it no longer exists, and is taken off Open Recent.");
        QCOMPARE(entries(),
                 QStringList({"&1 " + broken + " (destination)", "&2 " + m_skins + "/b.bmp (destination)"}));
        QCOMPARE(m_window->workspace().picSource.pixel(0, 0), kRed); // what it held before
    }

    void aFileDroppedOnACanvasOpensThere() {
        auto* picTarget = child<QWidget>(m_window.get(), "picTarget");
        QVERIFY(drop(picTarget, {QUrl::fromLocalFile(m_skins + "/b.bmp")}));
        QCOMPARE(m_window->workspace().picTarget.pixel(10, 10), kGreen);
        QVERIFY(m_window->workspace().picSource.picture().isEmpty());
        QCOMPARE(m_window->windowTitle(), m_skins + "/b.bmp");
        QCOMPARE(m_window->panes().fileList(Pane::Destination)->selectedName(), QStringLiteral("b.bmp"));
        QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("b2"));
    }

    void aDropThatCannotBeOpenedChangesNothing_data() {
        QTest::addColumn<QStringList>("dropped"); // paths, or addresses with a scheme
        QTest::addColumn<QString>("said");
        QTest::newRow("two files") << QStringList{"<skins>/b.bmp", "<startup>/skin.bmp"}
                                   << "Drop one BMP or PNG file at a time on a canvas; 2 items were dropped.";
        QTest::newRow("a folder") << QStringList{"<skins>"}
                                  << "Cannot open <skins>: it is a folder, not a file.";
        QTest::newRow("text named .bmp") << QStringList{"<skins>/broken.bmp"}
                                         << "Cannot open <skins>/broken.bmp: it is not a BMP or PNG file.";
        QTest::newRow("a web address")
            << QStringList{"https://example.com/skin.bmp"}
            << "Cannot open https://example.com/skin.bmp: only files on this computer can be opened.";
    }
    void aDropThatCannotBeOpenedChangesNothing() {
        QFETCH(QStringList, dropped);
        QFETCH(QString, said);
        said.replace("<skins>", m_skins);
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_startup + "/skin.bmp"));
        const QString title = m_window->windowTitle();
        const core::Picture before = m_window->workspace().picTarget.image();
        QList<QUrl> urls;
        for (QString path : dropped) {
            path.replace("<skins>", m_skins).replace("<startup>", m_startup);
            urls << (path.startsWith('/') ? QUrl::fromLocalFile(path) : QUrl(path));
        }
        fixture::MessageCatcher messages;
        QVERIFY(drop(child<QWidget>(m_window.get(), "picTarget"), urls));
        QCOMPARE(status(), said);
        QCOMPARE(m_window->workspace().picTarget.image(), before);
        QCOMPARE(m_window->windowTitle(), title);
        QCOMPARE(QDir(m_window->panes().folderList(Pane::Destination)->folder()).canonicalPath(), m_startup);
        QCOMPARE(m_window->panes().fileList(Pane::Destination)->selectedName(), QStringLiteral("skin.bmp"));
        QVERIFY(messages.messages().isEmpty());
    }

    // The question's "Save" saves as Ctrl+S does: back to the destination's file, or through
    // Save As when it has none; the window closes only once the destination is saved.
    void quittingWithChangesAsks_data() {
        QTest::addColumn<bool>("opened");     // the destination comes from skin.bmp
        QTest::addColumn<bool>("stamp");      // a stamp paints the destination first
        QTest::addColumn<bool>("savedSince"); // then the classic dialog saves it as early.bmp
        QTest::addColumn<UnsavedAnswer>("answer");
        QTest::addColumn<QString>("saveAsName"); // what Save As's file dialog gives; empty: cancel
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("written"); // the file that holds the painted destination
        QTest::newRow("unchanged") << true << false << false << UnsavedAnswer::Cancel << "" << 0 << true
                                   << "";
        QTest::newRow("saved since") << true << true << true << UnsavedAnswer::Cancel << "" << 0 << true
                                     << "early.bmp";
        QTest::newRow("cancel") << true << true << false << UnsavedAnswer::Cancel << "" << 1 << false << "";
        QTest::newRow("discard") << true << true << false << UnsavedAnswer::Discard << "" << 1 << true << "";
        QTest::newRow("save back") << true << true << false << UnsavedAnswer::Save << "" << 1 << true
                                   << "skin.bmp";
        QTest::newRow("save, no file: Save As")
            << false << true << false << UnsavedAnswer::Save << "picked" << 1 << true << "picked.bmp";
        QTest::newRow("save, no file, Save As cancelled")
            << false << true << false << UnsavedAnswer::Save << "" << 1 << false << "";
    }
    void quittingWithChangesAsks() {
        QFETCH(bool, opened);
        QFETCH(bool, stamp);
        QFETCH(bool, savedSince);
        QFETCH(UnsavedAnswer, answer);
        QFETCH(QString, saveAsName);
        QFETCH(int, asked);
        QFETCH(bool, closed);
        QFETCH(QString, written);
        fixture::SaveAsPromptCatcher saveAs;
        if (!saveAsName.isEmpty())
            saveAs.chosen = workbench::SaveAsChoice{saveAsName, stamps::SaveFormat::TrueColour};
        if (opened) m_window->panes().openTarget("skin.bmp");
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        if (stamp) QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        if (savedSince) {
            m_window->saveDialog()->setName("early");
            QTest::mouseClick(child<QPushButton>(m_window->saveDialog(), "Command1"), Qt::LeftButton);
        }
        const core::Picture painted = m_window->workspace().picTarget.image();

        m_prompts->answer = answer;
        pressKey(Qt::Key_Q, Qt::ControlModifier);

        QCOMPARE(m_prompts->asked, asked);
        QCOMPARE(m_window->isVisible(), !closed);
        // Nothing but the question and, without a file, Save As's dialog is shown.
        QVERIFY(!m_window->saveDialog() || !m_window->saveDialog()->isVisible());
        for (const QString name : {"skin.bmp", "early.bmp", "picked.bmp"}) {
            const auto file = fixture::loadBmp(m_startup + "/" + name);
            const bool holdsPainted = file && file.value() == painted;
            QVERIFY2(holdsPainted == (name == written) || painted == fixture::filled(kRed), qPrintable(name));
        }
        if (!closed) QVERIFY(m_window->destinationHasChanges());
    }

  private:
    QString m_startup, m_skins;
    std::optional<fixture::WindowPromptCatcher> m_prompts;
};

QTEST_MAIN(WindowCommandsTest)
#include "window_commands_test.moc"
