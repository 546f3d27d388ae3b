// The preview's body, View → Body: a body mesh from an OBJ file wears the destination skin in
// the 3D view, with a line saying the seam check is the mannequin's; the choice outlives the
// window; a broken file is refused naming its line and the body shown stays; a remembered file
// that no longer reads gives way to the mannequin when the preview opens.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QtTest>

#include "preview/skin_layout.h"
#include "window_fixture.h"
#include "workbench/classic/panes.h"
#include "workbench/main_window.h"
#include "workbench/preview/mannequin_view.h"
#include "workbench/preview/preview_window.h"

using fixture::child;

namespace {

constexpr core::Rgb kBack{200, 40, 40}, kFront{40, 180, 40}, kArms{40, 60, 200};

// A quad facing the eye whose texture coordinates cover the skin's front half, from its left
// edge (column 173 of 256) to the right.
constexpr char kFrontQuad[] = "# a quad\r\nv -1 0 0\r\nv 1 0 0\r\nv 1 2 0\r\nv -1 2 0\r\n"
                              "vt 0.68 0\r\nvt 1 0\r\nvt 1 1\r\nvt 0.68 1\r\nf 1/1 2/2 3/3 4/4\r\n";

// How many of the frame's pixels show the front's colour, and how many the other two areas'.
struct Shares {
    int front = 0, others = 0;
};
Shares sharesOf(const core::Picture& frame) {
    Shares shares;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const core::Rgb p = frame.pixel(x, y);
            shares.front += p.g > p.r + 30 && p.g > p.b + 30;
            shares.others += (p.r > p.g + 30 && p.r > p.b + 30) || (p.b > p.r + 30 && p.b > p.g + 30);
        }
    return shares;
}

} // namespace

class PreviewBodyTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        fixture::writeBmp(m_env->textures() + "/three.bmp", fixture::pictureOf([](int x, int) {
                              return x < core::kArmRight ? kArms : x < core::kBackRight ? kBack : kFront;
                          }));
        m_quad = m_env->elsewhere(QStringLiteral("bodies")) + "/quad.obj";
        fixture::writeText(m_quad, kFrontQuad);
        m_prompts.emplace();
        QVERIFY(openWindow());
    }
    void cleanup() {
        m_prompts.reset();
        closeWindow();
    }

    void aBodyFromAFileWearsTheSkinAndOutlivesTheWindow() {
        const core::Picture mannequin = frame();
        QVERIFY(sharesOf(mannequin).others > 1000);
        QVERIFY(!note()->isVisible());
        QVERIFY(action("actBodyMannequin")->isChecked());

        chooseFile(m_quad);
        QCOMPARE(m_prompts->shownTitle, QStringLiteral("Open Body Mesh"));
        QCOMPARE(status(), QStringLiteral("The preview shows the skin on quad.obj."));
        expectQuadShown();

        // A new run opens the preview on the same body.
        QVERIFY(reopenWindow());
        expectQuadShown();

        action("actBodyMannequin")->trigger();
        QCOMPARE(status(), QStringLiteral("The preview shows the skin on the mannequin."));
        // The 3D view grows back once the line under it has gone.
        QTRY_COMPARE(frame(), mannequin);
        QVERIFY(!note()->isVisible());
        QVERIFY(action("actBodyMannequin")->isChecked());
        QVERIFY(!action("actBodyFromFile")->isChecked());
        QVERIFY(reopenWindow());
        QTRY_COMPARE(frame(), mannequin);
    }

    void aBrokenFileIsRefusedNamingItsLineAndTheBodyStays() {
        const QString broken = m_env->elsewhere(QStringLiteral("bodies")) + "/broken.obj";
        fixture::writeText(broken, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
        const core::Picture mannequin = frame();
        chooseFile(broken);
        QCOMPARE(status(), "Cannot open " + broken +
                               ": line 4: the corner \"1\" has no texture coordinate (v/vt or v/vt/vn); the "
                               "skin maps through them.");
        QTRY_COMPARE(frame(), mannequin);
        QVERIFY(!note()->isVisible());
        QVERIFY(action("actBodyMannequin")->isChecked());
        QVERIFY(!action("actBodyFromFile")->isChecked());

        // Over a body from a file, the refusal keeps that body.
        chooseFile(m_quad);
        chooseFile(broken);
        // The dialog opens where the body shown was read from.
        QCOMPARE(m_prompts->shownFolder, QFileInfo(m_quad).absolutePath());
        expectQuadShown();
        // Cancelling the dialog keeps it too.
        chooseFile(QString());
        expectQuadShown();
    }

    void aRememberedFileThatNoLongerReadsGivesWayToTheMannequin() {
        const core::Picture mannequin = frame();
        chooseFile(m_quad);
        QVERIFY(QFile::remove(m_quad));
        QVERIFY(reopenWindow());
        QCOMPARE(status(),
                 "Cannot open " + m_quad + ": the file does not exist. The preview shows the mannequin.");
        QTRY_COMPARE(frame(), mannequin);
        QVERIFY(!note()->isVisible());
        QVERIFY(action("actBodyMannequin")->isChecked());
        // The mannequin is what is remembered now, with nothing more to say.
        fixture::writeText(m_quad, kFrontQuad);
        QVERIFY(reopenWindow());
        QCOMPARE(status(), QString());
        QTRY_COMPARE(frame(), mannequin);
    }

  private:
    // The main window with the destination loaded and the preview open.
    [[nodiscard]] bool openWindow() {
        if (!showWindow()) return false;
        m_window->panes().openTarget(QStringLiteral("three.bmp"));
        m_window->showPreview();
        return QTest::qWaitForWindowExposed(m_window->previewWindow());
    }
    // As if the program ended and started again.
    [[nodiscard]] bool reopenWindow() {
        m_window.reset();
        return openWindow();
    }
    QAction* action(const char* name) const { return child<QAction>(m_window.get(), name); }
    QLabel* note() const { return child<QLabel>(m_window->previewWindow(), "lblBody"); }
    core::Picture frame() const { return m_window->previewWindow()->mannequin().frame(); }
    // View → Body → From File…, the dialog answered with path (empty: cancelled).
    void chooseFile(const QString& path) {
        m_prompts->chosen = path;
        action("actBodyFromFile")->trigger();
    }
    void expectQuadShown() {
        const Shares shown = sharesOf(frame());
        QVERIFY(shown.front > 10000);
        QCOMPARE(shown.others, 0);
        QVERIFY(note()->isVisible());
        QCOMPARE(note()->text(), QStringLiteral("On quad.obj; the seam check is the mannequin's."));
        QVERIFY(action("actBodyFromFile")->isChecked());
        QVERIFY(!action("actBodyMannequin")->isChecked());
    }

    QString m_quad;
    std::optional<fixture::WindowPromptCatcher> m_prompts;
};

QTEST_MAIN(PreviewBodyTest)
#include "preview_body_test.moc"
