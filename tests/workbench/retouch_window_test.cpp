// Retouching in the preview's zoom view: a pencil stroke shows on the classic canvas and the 3D
// view while it is drawn and undoes as one step; Shift+click draws a line; the tools' keys work
// on the skin and leave the 3D view's own keys alone; fill, replace, the eyedropper and the
// last colours; the selection's copy, paste, flip and move; mirror, seam blending with the seam
// list's figure at once, and recolour shown live, kept or given up; the unsaved-changes prompt
// knows about every retouch.

#define QTEST_QPA_MOUSE_HANDLING // real press, move and release sequences
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "core/skin_layout.h"
#include "window_fixture.h"
#include "workbench/classic/panes.h"
#include "workbench/main_window.h"
#include "workbench/preview/mannequin_view.h"
#include "workbench/preview/preview_window.h"
#include "workbench/preview/seam_list.h"
#include "workbench/preview/zoom_view.h"
#include "workbench/retouch/recolour_dialog.h"

using fixture::child;
using workbench::PreviewWindow;

namespace {

constexpr core::Rgb kBack{200, 40, 40}, kFront{40, 180, 40}, kArms{40, 60, 200};
constexpr core::Rgb kPatch{10, 10, 10}; // a 4 x 4 patch on the back at columns 100-103, rows 20-23

core::Picture skin() {
    return fixture::pictureOf([](int x, int y) {
        if (x >= 100 && x < 104 && y >= 20 && y < 24) return kPatch;
        return x < core::kArmRight ? kArms : x < core::kBackRight ? kBack : kFront;
    });
}

} // namespace

class RetouchWindowTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private:
    PreviewWindow* m_preview = nullptr;

    workbench::ZoomView& zoom() const { return m_preview->zoom(); }
    const core::Canvas& destination() const { return m_window->workspace().picTarget; }
    QAction* action(const char* name) const { return child<QAction>(m_preview, name); }
    QString undoText() const { return child<QAction>(m_window.get(), "actUndo")->text(); }

    // The middle of skin pixel (x, y) in the zoom view, scrolled into sight.
    QPoint at(int x, int y) const {
        const QPointF corner = zoom().pixelCorner(x, y), next = zoom().pixelCorner(x + 1, y + 1);
        const QPoint middle = ((corner + next) / 2).toPoint();
        child<QScrollArea>(m_preview, "scrZoom")->ensureVisible(middle.x(), middle.y());
        return middle;
    }
    void click(int x, int y, Qt::KeyboardModifiers modifiers = {}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&zoom(), button, modifiers, at(x, y));
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&zoom(), Qt::LeftButton, {}, at(from.x(), from.y()));
        QTest::mouseMove(&zoom(), at(to.x(), to.y()));
        QTest::mouseRelease(&zoom(), Qt::LeftButton, {}, at(to.x(), to.y()));
    }
    void choose(const char* tool) { child<QToolButton>(m_preview, tool)->click(); }
    void undo() { child<QAction>(m_window.get(), "actUndo")->trigger(); }

  private slots:
    void init() {
        makeEnvironment();
        fixture::writeBmp(m_env->textures() + "/skin.bmp", skin());
        QVERIFY(showWindow());
        m_window->panes().openTarget(QStringLiteral("skin.bmp"));
        QCOMPARE(destination().image(), skin());
        m_window->showPreview();
        m_preview = m_window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(m_preview));
        child<QSpinBox>(m_preview, "spnZoom")->setValue(4);
    }
    void cleanup() { closeWindow(); }

    void aStrokeShowsWhileItIsDrawnAndUndoesAsOneStep() {
        choose("tbnPencil");
        // On the front, which the 3D view faces at first.
        const core::Picture before = m_preview->mannequin().frame();
        at(200, 44); // scrolled into sight before the stroke begins
        QTest::mousePress(&zoom(), Qt::LeftButton, {}, at(195, 40));
        // The dab shows at once on the canvas, in the zoom view and on the body.
        QCOMPARE(destination().pixel(195, 40), (core::Rgb{0, 0, 0}));
        QCOMPARE(zoom().skin().pixel(195, 40), (core::Rgb{0, 0, 0}));
        QVERIFY(m_preview->mannequin().frame() != before);
        QTest::mouseMove(&zoom(), at(200, 40));
        QTest::mouseMove(&zoom(), at(200, 44));
        QTest::mouseRelease(&zoom(), Qt::LeftButton, {}, at(200, 44));
        for (const QPoint p :
             {QPoint(195, 40), QPoint(198, 40), QPoint(200, 40), QPoint(200, 42), QPoint(200, 44)})
            QCOMPARE(destination().pixel(p.x(), p.y()), (core::Rgb{0, 0, 0}));
        QCOMPARE(destination().pixel(201, 40), kFront);
        QCOMPARE(destination().pixel(199, 41), kFront);
        QCOMPARE(undoText(), QStringLiteral("&Undo Pencil"));
        QVERIFY(m_window->destinationHasChanges());

        undo();
        QCOMPARE(destination().image(), skin());
        QCOMPARE(zoom().skin(), skin());
        QCOMPARE(undoText(), QStringLiteral("&Undo Open skin.bmp"));
        QVERIFY(!m_window->destinationHasChanges());
    }

    void shiftClickDrawsALineFromTheLastPointInTheSizeChosen() {
        choose("tbnPencil");
        child<QSpinBox>(m_preview, "spnPencilSize")->setValue(2);
        click(120, 50);
        click(126, 50, Qt::ShiftModifier);
        // Squares 2 pixels wide, the point their lower right: rows 49 and 50, columns 119 to 126.
        for (int x = 119; x <= 126; ++x)
            for (int y : {49, 50})
                QCOMPARE(destination().pixel(x, y), (core::Rgb{0, 0, 0}));
        QCOMPARE(destination().pixel(118, 50), kBack);
        QCOMPARE(destination().pixel(122, 51), kBack);
        // Two steps: each click is a stroke.
        undo();
        QCOMPARE(destination().pixel(122, 50), kBack);
        QCOMPARE(destination().pixel(120, 50), (core::Rgb{0, 0, 0}));
    }

    void theToolKeysWorkOnTheSkinAndLeaveThe3DViewsKeysAlone() {
        click(0, 0, {},
              Qt::RightButton); // the focus comes to the skin; the pencil paints in the second colour
        QVERIFY(zoom().hasFocus());
        QCOMPARE(destination().pixel(0, 0), (core::Rgb{255, 255, 255}));
        const struct {
            Qt::Key key;
            const char* button;
        } keys[] = {{Qt::Key_G, "tbnFill"},
                    {Qt::Key_I, "tbnEyedropper"},
                    {Qt::Key_R, "tbnReplace"},
                    {Qt::Key_M, "tbnSelect"},
                    {Qt::Key_B, "tbnPencil"}};
        for (const auto& k : keys) {
            QTest::keyClick(&zoom(), k.key);
            QVERIFY2(child<QToolButton>(m_preview, k.button)->isChecked(), k.button);
        }
        QTest::keyClick(&zoom(), Qt::Key_BracketRight);
        QTest::keyClick(&zoom(), Qt::Key_BracketRight);
        QCOMPARE(child<QSpinBox>(m_preview, "spnPencilSize")->value(), 3);
        QTest::keyClick(&zoom(), Qt::Key_X);
        click(60, 60); // the colours swapped: white now
        QCOMPARE(destination().pixel(61, 61), (core::Rgb{255, 255, 255}));

        // In the 3D view B still faces the back.
        workbench::MannequinView& view = m_preview->mannequin();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_B);
        QCOMPARE(view.view().yaw, 180.0f);
        QVERIFY(child<QToolButton>(m_preview, "tbnPencil")->isChecked());
    }

    void fillReplaceAndTheEyedropper() {
        // Alt+click with the pencil picks the patch's colour; fill then paints the front with it.
        choose("tbnPencil");
        click(101, 21, Qt::AltModifier);
        QCOMPARE(destination().image(), skin()); // picking paints nothing
        choose("tbnFill");
        click(200, 10);
        QCOMPARE(destination().pixel(173, 0), kPatch);
        QCOMPARE(destination().pixel(255, 255), kPatch);
        QCOMPARE(destination().pixel(172, 0), kBack);
        QCOMPARE(undoText(), QStringLiteral("&Undo Fill"));
        // The colour used shows among the last colours, and a click there chooses it again.
        QVERIFY(child<QToolButton>(m_preview, "btnRecent0")->isVisible());
        QVERIFY(!child<QToolButton>(m_preview, "btnRecent1")->isVisible());

        // The eyedropper takes the arm strip's colour; replace puts it over every patch pixel,
        // here the front and the patch on the back.
        choose("tbnEyedropper");
        click(10, 10);
        choose("tbnReplace");
        click(102, 22);
        QCOMPARE(destination().pixel(101, 21), kArms);
        QCOMPARE(destination().pixel(200, 200), kArms);
        QCOMPARE(destination().pixel(120, 21), kBack);
        QCOMPARE(undoText(), QStringLiteral("&Undo Replace Colour"));
        QVERIFY(child<QToolButton>(m_preview, "btnRecent1")->isVisible());
        undo();
        undo();
        QCOMPARE(destination().image(), skin());
    }

    void theSelectionCopiesPastesWhereDroppedFlipsAndMoves() {
        choose("tbnSelect");
        drag({100, 20}, {103, 21}); // the patch's top half
        QTest::keyClick(&zoom(), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&zoom(), Qt::Key_V, Qt::ControlModifier);
        QTest::mouseMove(&zoom(), at(140, 60));
        QCOMPARE(destination().image(), skin()); // not placed yet
        click(140, 60);
        QCOMPARE(undoText(), QStringLiteral("&Undo Paste"));
        QCOMPARE(destination().pixel(140, 60), kPatch);
        QCOMPARE(destination().pixel(143, 61), kPatch);
        QCOMPARE(destination().pixel(144, 61), kBack);
        QCOMPARE(destination().pixel(140, 62), kBack);

        // The pasted pixels are the selection now: drag them elsewhere; the second colour
        // (white) shows where they were.
        drag({141, 60}, {151, 70});
        QCOMPARE(undoText(), QStringLiteral("&Undo Move Selection"));
        QCOMPARE(destination().pixel(150, 70), kPatch);
        QCOMPARE(destination().pixel(140, 60), (core::Rgb{255, 255, 255}));

        // Flip the patch's right column over to its left.
        QTest::keyClick(&zoom(), Qt::Key_Escape);
        // The selection is gone: Shift+H does nothing.
        QTest::keyClick(&zoom(), Qt::Key_H, Qt::ShiftModifier);
        QCOMPARE(undoText(), QStringLiteral("&Undo Move Selection"));
        drag({103, 20}, {105, 20}); // the patch's top right pixel and two of the back
        QTest::keyClick(&zoom(), Qt::Key_H, Qt::ShiftModifier);
        QCOMPARE(undoText(), QStringLiteral("&Undo Flip Horizontally"));
        QCOMPARE(destination().pixel(103, 20), kBack);
        QCOMPARE(destination().pixel(105, 20), kPatch);
        undo();
        undo();
        undo();
        QCOMPARE(destination().image(), skin());
    }

    void mirrorAndBlendSeamsShowTheirFiguresAtOnce() {
        action("actMirrorLeft")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo Mirror Left onto Right"));
        // The patch on the body's left back (columns 100 to 103, of the 44 from the left side
        // round to the spine) lies on its right back too, as far round from the right side: the
        // 39 columns from the spine to the right side put it at columns 161 to 163.
        for (int x = 161; x <= 163; ++x)
            QCOMPARE(destination().pixel(x, 21), kPatch);
        for (int x : {160, 164})
            QCOMPARE(destination().pixel(x, 21), kBack);
        QCOMPARE(destination().pixel(101, 21), kPatch); // the copied side stays

        workbench::SeamList& list = m_preview->seams();
        QVERIFY(!action("actBlendSeam")->isEnabled()); // no seam chosen yet
        QCOMPARE(list.row("torsoRight")->text(1).toDouble() > 5, true);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.row("torsoRight")).center());
        QVERIFY(action("actBlendSeam")->isEnabled());
        action("actBlendSeam")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo Blend Seam torso, right side"));
        QCOMPARE(list.row("torsoRight")->text(1), QStringLiteral("0.0"));
        QVERIFY(list.row("torsoLeft")->text(1).toDouble() > 5);
        action("actBlendAllSeams")->trigger();
        for (const char* key :
             {"torsoLeft", "rightLegOuter", "rightLegInner", "leftLegOuter", "leftLegInner"})
            QCOMPARE(list.row(key)->text(1), QStringLiteral("0.0"));
        // Three pixels each side by default: the fourth stays. The torso's left side, blended
        // only now, joins the back's first column to the front's last.
        QVERIFY(destination().pixel(92, 100) != kBack);
        QCOMPARE(destination().pixel(93, 100), kBack);
        QVERIFY(destination().pixel(253, 100) != kFront);
        QCOMPARE(destination().pixel(252, 100), kFront);
        QCOMPARE(destination().pixel(89, 100), kArms);
    }

    void recolourShowsLiveAndIsKeptOrGivenUp() {
        const std::uint64_t loaded = destination().revision();
        // Cancelled: the skin is back as it was, with no changes to save.
        bool seenLive = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<workbench::RecolourDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            child<QSpinBox>(dialog, "spnLightness")->setValue(-100);
            seenLive = destination().pixel(200, 200) == core::Rgb{0, 0, 0};
            dialog->reject();
        });
        action("actRecolour")->trigger();
        QVERIFY(seenLive);
        QCOMPARE(destination().image(), skin());
        QCOMPARE(destination().revision(), loaded);
        QVERIFY(!m_window->destinationHasChanges());

        // Kept, within a library mask: only the garment turns black.
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<workbench::RecolourDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* within = child<QComboBox>(dialog, "cboWithin");
            within->setCurrentIndex(within->findText(QStringLiteral("Bikini 402 (imgBikini)")));
            child<QSpinBox>(dialog, "spnLightness")->setValue(-100);
            dialog->accept();
        });
        action("actRecolour")->trigger();
        QCOMPARE(undoText(), QStringLiteral("&Undo Recolour"));
        const core::Picture& bikini = core::ImageLibrary::shared().picture(core::ImageId::imgBikini);
        int garment = 0;
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x) {
                const bool inside = bikini.pixel(x, y) == core::Rgb{0, 0, 0};
                garment += inside;
                QCOMPARE(destination().pixel(x, y), (inside ? core::Rgb{0, 0, 0} : skin().pixel(x, y)));
            }
        QVERIFY(garment > 0);
        QVERIFY(m_window->destinationHasChanges());
    }

    // The last mask made from a bare body is offered, and keeps the recolour to its garment.
    void recolourKeepsWithinTheMaskMadeFromABareBody() {
        // A garment of 30 x 20 pixels, black on white.
        const auto garmentAt = [](int x, int y) { return x >= 100 && x < 130 && y >= 40 && y < 60; };
        std::vector<std::uint8_t> rgb;
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x)
                rgb.insert(rgb.end(), 3, garmentAt(x, y) ? 0 : 255);
        const core::Picture made(core::kSkinSize, core::kSkinSize, rgb);
        m_window->workspace().madeMask = {made, "Light Female"};
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<workbench::RecolourDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* within = child<QComboBox>(dialog, "cboWithin");
            const int index = within->findText(QStringLiteral("The mask made from Light Female"));
            QVERIFY(index >= 0);
            within->setCurrentIndex(index);
            child<QSpinBox>(dialog, "spnLightness")->setValue(-100);
            dialog->accept();
        });
        action("actRecolour")->trigger();
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x) {
                QCOMPARE(destination().pixel(x, y),
                         (garmentAt(x, y) ? core::Rgb{0, 0, 0} : skin().pixel(x, y)));
            }
    }
};

QTEST_MAIN(RetouchWindowTest)
#include "retouch_window_test.moc"
