// What the window tells the user: the title names the destination's file and follows undo and
// redo of a load, as `lblSource` and the proposed save name do; the status line says what each
// stamp, undo and redo did and elides what is too long; the menu's keys work from the preview.

#include <QAction>
#include <QPushButton>
#include <QtTest>

#include "window_fixture.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_window.h"
#include "workbench/preview/preview_window.h"

using fixture::child;
using fixture::kBlue;
using fixture::kGreen;
using fixture::kRed;
using workbench::Pane;

class TitlesAndKeysTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_folder = QDir(m_env->textures()).canonicalPath();
        fixture::writeBmp(m_folder + "/first.bmp", kRed);
        fixture::writeBmp(m_folder + "/second.bmp", kGreen);
        fixture::writeBmp(m_folder + "/source.bmp", kBlue);
        QVERIFY(showWindow());
    }
    void cleanup() { closeWindow(); }

    void titleAndLabelsFollowTheFilesThroughUndoAndRedo() {
        const QString first = m_folder + "/first.bmp", second = m_folder + "/second.bmp";
        QVERIFY(m_window->panes().openFile(Pane::Destination, first));
        QVERIFY(m_window->panes().openFile(Pane::Source, m_folder + "/source.bmp"));
        QVERIFY(m_window->panes().openFile(Pane::Destination, second));
        // What the window shows after each key: title, `lblSource`, proposed save name.
        const auto shown = [&] {
            return QStringList{m_window->windowTitle(), child<QLabel>(m_window.get(), "lblSource")->text(),
                               m_window->saveDialog() ? m_window->saveDialog()->name() : "no save dialog"};
        };
        QCOMPARE(shown(), (QStringList{second, "sour", "second2"}));
        const struct {
            Qt::Key key;
            QStringList expected;
        } steps[] = {
            {Qt::Key_Z, {first, "sour", "first2"}},   // the second load undone
            {Qt::Key_Z, {first, "", "first2"}},       // the source's load undone
            {Qt::Key_Z, {"Quiltane ", "", "first2"}}, // nothing loaded: the window's own title
            {Qt::Key_Y, {first, "", "first2"}},       // redone, one by one
            {Qt::Key_Y, {first, "sour", "first2"}},   {Qt::Key_Y, {second, "sour", "second2"}},
        };
        for (const auto& step : steps) {
            QVERIFY(pressKey(step.key, Qt::ControlModifier));
            QCOMPARE(shown(), step.expected);
        }
    }

    // A name the user typed stays while the destination is painted and saved.
    void aTypedSaveNameStaysThroughStamps() {
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_folder + "/first.bmp"));
        m_window->saveDialog()->setName("typed");
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("typed"));
    }

    void theStatusLineSaysWhatStampsUndoAndRedoDid() {
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_folder + "/first.bmp"));
        m_window->panes().openFile(Pane::Destination, m_folder + "/missing.bmp");
        QVERIFY(status().startsWith("Cannot open "));
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Miniskirt 200/69/24")); // the failure to open no longer holds
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(status(), QStringLiteral("Undid Miniskirt 200/69/24"));
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
        QCOMPARE(status(), QStringLiteral("Redid Miniskirt 200/69/24"));
    }

    // Too long for the line: the middle gives way, the whole text is the tooltip; a wider
    // window widens the line and shows more.
    void aLongMessageIsElidedInTheMiddle() {
        auto* line = child<QLabel>(m_window.get(), "statusLine");
        const QString message = "Cannot open /" + QString(300, 'a') + "/skin.bmp: no such file.";
        m_window->showStatus(message);
        QVERIFY(line->text().startsWith("Cannot open /aaa"));
        QVERIFY(line->text().endsWith("a/skin.bmp: no such file."));
        QVERIFY(line->text().contains(QChar(0x2026)));
        QCOMPARE(line->toolTip(), message);
        const qsizetype shownBefore = line->text().size();
        m_window->resize(m_window->width() + 300, m_window->height());
        QCOMPARE(line->width(), m_window->width());
        QVERIFY(line->text().size() > shownBefore);
        m_window->showStatus("Short");
        QCOMPARE(line->text(), QStringLiteral("Short"));
        QCOMPARE(line->toolTip(), QString());
    }

    // The menu's keys do in the preview what they do in the main window.
    void theMenuKeysWorkFromThePreview_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("seen"); // what the window shows or asks afterwards
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier,
                                    ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << "Undid Miniskirt 200/69/24";
        QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << ctrlShift << "Redid Open second.bmp";
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << "Redid Open second.bmp";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << "Saved first.bmp, 24-bit";
        QTest::newRow("Ctrl+Shift+S") << int(Qt::Key_S) << ctrlShift << "Save As";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << "Open Source";
        QTest::newRow("Ctrl+Shift+O") << int(Qt::Key_O) << ctrlShift << "Open Destination";
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << "Save changes?";
    }
    void theMenuKeysWorkFromThePreview() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, seen);
        fixture::WindowPromptCatcher prompts;
        fixture::SaveAsPromptCatcher saveAs;
        // first.bmp with a stamp on it; for the rows that redo, second.bmp opened after it and
        // that load undone.
        QVERIFY(m_window->panes().openFile(Pane::Destination, m_folder + "/first.bmp"));
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        if (seen.startsWith("Redid")) {
            QVERIFY(m_window->panes().openFile(Pane::Destination, m_folder + "/second.bmp"));
            child<QAction>(m_window.get(), "actUndo")->trigger();
        }

        m_window->showPreview();
        workbench::PreviewWindow* preview = m_window->previewWindow();
        // The preview has the focus, the main window none, as after the user's click on it.
        preview->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), preview);
        QTest::keyClick(preview, Qt::Key(key), modifiers);

        QStringList what{status()};
        if (!prompts.shownTitle.isEmpty()) what << prompts.shownTitle;
        if (!saveAs.shownFolder.isEmpty()) what << "Save As";
        if (prompts.asked > 0) what << "Save changes?";
        QVERIFY2(what.contains(seen), qPrintable(what.join(" | ")));
    }

  private:
    QString m_folder;
};

QTEST_MAIN(TitlesAndKeysTest)
#include "titles_and_keys_test.moc"
