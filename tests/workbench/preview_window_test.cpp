// The preview window: F3 opens it beside the main window without blocking it, or where the user
// last put it; it follows the destination canvas through a load and a stamp; a drag, the buttons
// and the keys turn the body; a click on a seam turns to it and marks it, inside the zoom view; the
// zoom view names the pixel under the pointer, also as a wheel scrolls it, and keeps the point it
// zooms around; the view saves as a PNG.

#define QTEST_QPA_MOUSE_HANDLING // real press, move and release sequences
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>
#include <QtTest>

#include "preview/seams.h"
#include "preview/skin_layout.h"
#include "window_fixture.h"
#include "workbench/canvas_image.h"
#include "workbench/classic/panes.h"
#include "workbench/main_window.h"
#include "workbench/preview/mannequin_view.h"
#include "workbench/preview/preview_window.h"
#include "workbench/preview/seam_list.h"
#include "workbench/preview/window_place.h"
#include "workbench/preview/zoom_view.h"

using fixture::child;
using workbench::PreviewWindow;

namespace {

constexpr core::Rgb kBack{200, 40, 40}, kFront{40, 180, 40}, kArms{40, 60, 200};

// The back half, the front half and the arm strip in three colours: every seam of the torso and
// the legs breaks, the arms' seam does not.
core::Picture threeAreas() {
    return fixture::pictureOf([](int x, int) {
        return x < core::kArmRight ? kArms : x < core::kBackRight ? kBack : kFront;
    });
}

// Pixels of the picture in the marks' colour, whatever the light on them.
int markedPixels(const core::Picture& frame) {
    int count = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const core::Rgb p = frame.pixel(x, y);
            count += p.r > 80 && p.b > 80 && p.g < p.r / 4 && std::abs(p.r - p.b) < 8;
        }
    return count;
}

} // namespace

class PreviewWindowTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        fixture::writeBmp(m_env->textures() + "/three.bmp", threeAreas());
        QVERIFY(showWindow());
    }
    void cleanup() { closeWindow(); }

    void f3OpensItBesideTheMainWindowWithoutBlockingIt() {
        QVERIFY(!m_window->findChild<PreviewWindow*>("frmPreview"));
        QVERIFY(pressKey(Qt::Key_F3));
        PreviewWindow* preview = child<PreviewWindow>(m_window.get(), "frmPreview");
        QVERIFY(preview);
        QVERIFY(preview->isWindow());
        QVERIFY(preview->isVisible());
        QVERIFY(!preview->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(m_window->previewWindow(), preview);
        // Opening it again shows the same window.
        m_window->showPreview();
        QCOMPARE(m_window->findChildren<PreviewWindow*>().size(), 1);
        // The main window still takes clicks: a stamp paints while the preview is open.
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command27"), Qt::LeftButton);
        QVERIFY(m_window->workspace().picTarget.pixel(200, 250) != core::Canvas::kBackground);
    }

    void placeBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("room"); // the screen's available area
        QTest::addColumn<QRect>("main"); // the main window's frame
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QRect>("placed");
        const QRect wide(0, 0, 1920, 1040), small(0, 0, 1024, 740), second(1920, 0, 1280, 1000);
        const QSize size(760, 600);
        QTest::newRow("room on the right")
            << wide << QRect(100, 100, 701, 600) << size << QRect(809, 100, 760, 600);
        QTest::newRow("room on the left only")
            << wide << QRect(1150, 100, 701, 600) << size << QRect(382, 100, 760, 600);
        QTest::newRow("centred: the right side, narrowed to it")
            << wide << QRect(609, 200, 701, 600) << size << QRect(1318, 200, 602, 600);
        QTest::newRow("the left side when it has more room")
            << wide << QRect(700, 200, 701, 600) << size << QRect(0, 200, 692, 600);
        QTest::newRow("room for the least on neither side: on the screen, overlapping")
            << small << QRect(161, 70, 701, 600) << size << QRect(524, 70, 500, 600);
        QTest::newRow("taller than the screen: as tall as it")
            << wide << QRect(100, 300, 701, 600) << QSize(760, 1200) << QRect(809, 0, 760, 1040);
        QTest::newRow("low on the screen: raised to fit")
            << wide << QRect(100, 900, 701, 100) << size << QRect(809, 440, 760, 600);
        QTest::newRow("a second screen")
            << second << QRect(1950, 10, 701, 600) << size << QRect(2659, 10, 541, 600);
    }
    void placeBesideTheMainWindow() {
        QFETCH(QRect, room);
        QFETCH(QRect, main);
        QFETCH(QSize, wanted);
        QFETCH(QRect, placed);
        QCOMPARE(workbench::placeBeside(main, wanted, QSize(500, 400), room, 8), placed);
    }

    // The main window moves aside, no more than it must, where the screen holds both windows side
    // by side but neither side of it holds the preview.
    void makeRoomBesideTheMainWindow_data() {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<int>("shift");
        const QSize size(800, 600);
        QTest::newRow("room on the right: stays") << QRect(100, 100, 701, 600) << size << 0;
        QTest::newRow("room on the left: stays") << QRect(1150, 100, 701, 600) << size << 0;
        // 1920 - 701 - 8 = 1211 beside it at most. At 609: 602 free on the right, 601 on the left.
        QTest::newRow("centred: to the left, the preview on the right")
            << QRect(609, 100, 701, 600) << size << -(800 - 602);
        // At 612: 599 on the right, 604 on the left.
        QTest::newRow("a little right of the middle: to the right")
            << QRect(612, 100, 701, 600) << size << 800 - 604;
        QTest::newRow("wider than the screen allows: against its edge")
            << QRect(609, 100, 701, 600) << QSize(1400, 600) << -609;
        QTest::newRow("no more room for moving: stays") << QRect(0, 100, 1500, 600) << size << 0;
    }
    void makeRoomBesideTheMainWindow() {
        QFETCH(QRect, main);
        QFETCH(QSize, wanted);
        QFETCH(int, shift);
        const QRect room(0, 0, 1920, 1040);
        QCOMPARE(workbench::makeRoomBeside(main, wanted, QSize(500, 400), room, 8), shift);
        // Moved by it, the main window stays on the screen and the preview fits beside it.
        const QRect moved = main.translated(shift, 0);
        QVERIFY(room.contains(moved) || shift == 0);
        if (shift != 0)
            QVERIFY(!workbench::placeBeside(moved, wanted, QSize(500, 400), room, 8).intersects(moved));
    }

    // Closed where the user put it, it opens there in the next run, while that place is on a
    // screen; a place off every screen is forgotten and the window opens beside the main one.
    void remembersWhereTheUserPutIt() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        m_window->showPreview();
        const QSize size = m_window->previewWindow()->minimumSizeHint() + QSize(30, 20);
        const QRect put(QPoint(screen.left() + 40, screen.top() + 50), size);
        m_window->previewWindow()->setGeometry(put);
        m_window.reset(); // the program ends with the preview open
        QVERIFY(showWindow());
        m_window->showPreview();
        QCOMPARE(m_window->previewWindow()->geometry(), put);

        const QRect off(QPoint(screen.right() + 100, screen.top() + 50), size);
        m_window->previewWindow()->setGeometry(off);
        m_window->previewWindow()->close(); // closed, then the program ends
        m_window.reset();
        QVERIFY(showWindow());
        m_window->showPreview();
        const QRect placed = m_window->previewWindow()->frameGeometry();
        QVERIFY(placed != off);
        QVERIFY(workbench::isOnAScreen(placed, {screen}));
        QVERIFY(!workbench::isOnAScreen(off, {screen}));
        // A window partly off the screen may go back while the middle of its title bar is on it.
        QVERIFY(workbench::isOnAScreen(QRect(screen.right() - 100, 0, 150, 300), {screen}));
        QVERIFY(!workbench::isOnAScreen(QRect(screen.right() - 100, 0, 250, 300), {screen}));
    }

    void followsALoadAndAStamp() {
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        QVERIFY(preview);
        const core::Picture empty = preview->mannequin().frame();
        QCOMPARE(preview->zoom().skin(), m_window->workspace().picTarget.image());

        m_window->panes().openTarget(QStringLiteral("three.bmp"));
        QCOMPARE(preview->zoom().skin(), threeAreas());
        const core::Picture loaded = preview->mannequin().frame();
        QVERIFY(loaded != empty);
        // The seam check follows too: the two halves break at the torso's sides.
        QCOMPARE(preview->seams().row("torsoRight")->text(2), QStringLiteral("0, 1, 2"));
        QCOMPARE(preview->seams().row("arms")->text(2), QStringLiteral("-"));

        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command27"),
                          Qt::LeftButton); // "Black Sneakers"
        QCOMPARE(preview->zoom().skin(), m_window->workspace().picTarget.image());
        QVERIFY(preview->zoom().skin() != threeAreas());
        QVERIFY(preview->mannequin().frame() != loaded);
    }

    void turnsWithADragTheButtonsAndTheKeys() {
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        auto* view = child<workbench::MannequinView>(preview, "picMannequin");
        QVERIFY(view);
        QCOMPARE(view->view().yaw, 0.0f);
        const core::Picture front = view->frame();

        // Half a degree per pixel: dragging 60 pixels to the right brings the body's right side
        // 30 degrees towards the eye.
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(100, 200));
        QTest::mouseMove(view, QPoint(130, 200));
        QTest::mouseMove(view, QPoint(160, 200));
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(160, 200));
        QCOMPARE(view->view().yaw, 330.0f);
        QVERIFY(view->frame() != front);
        QTest::mouseMove(view, QPoint(200, 200)); // released: moving turns nothing
        QCOMPARE(view->view().yaw, 330.0f);

        QTest::mouseClick(child<QPushButton>(preview, "cmdBack"), Qt::LeftButton);
        QCOMPARE(view->view().yaw, 180.0f);
        QTest::mouseClick(child<QPushButton>(preview, "cmdLeft"), Qt::LeftButton);
        QCOMPARE(view->view().yaw, 90.0f);
        QTest::keyClick(view, Qt::Key_R);
        QCOMPARE(view->view().yaw, 270.0f);
        QTest::keyClick(view, Qt::Key_F);
        QCOMPARE(view->view().yaw, 0.0f);
        QCOMPARE(view->frame(), front);
        QTest::keyClick(view, Qt::Key_Plus);
        QVERIFY(view->view().zoom > 1);
    }

    void aSeamClickTurnsToItAndMarksItsWorstRows() {
        m_window->panes().openTarget(QStringLiteral("three.bmp"));
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QCOMPARE(markedPixels(preview->mannequin().frame()), 0);

        workbench::SeamList& list = preview->seams();
        QTreeWidgetItem* row = list.row("torsoRight");
        QVERIFY(row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(row).center());
        QVERIFY(preview->markedSeam());
        QCOMPARE(preview->markedSeam()->key, std::string_view("torsoRight"));
        // Rows 0, 1 and 2 are marked at the top of the torso's right side, where the shoulder
        // faces up: the body turns its right side to the eye, from a little behind, and the eye
        // rises to see them.
        QCOMPARE(preview->mannequin().view().yaw, 240.0f);
        QVERIFY(preview->mannequin().view().pitch > 10);
        QVERIFY(markedPixels(preview->mannequin().frame()) > 20);
        QCOMPARE(preview->zoom().skin(), threeAreas()); // the skin itself is not painted
    }

    void theZoomViewNamesThePixelUnderThePointer() {
        m_window->panes().openTarget(QStringLiteral("three.bmp"));
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        child<QSpinBox>(preview, "spnZoom")->setValue(8);
        workbench::ZoomView& zoom = preview->zoom();
        QCOMPARE(zoom.zoom(), 8);
        QCOMPARE(zoom.devicePixelsPerSkinPixel(), int(8 * zoom.devicePixelRatioF()));

        auto* area = child<QScrollArea>(preview, "scrZoom");
        const auto pointAt = [&](int x, int y) {
            const QPoint at = (zoom.pixelCorner(x, y) + QPointF(2, 2)).toPoint();
            area->ensureVisible(at.x(), at.y());
            QTest::mouseMove(&zoom, at);
        };
        pointAt(173, 40);
        QCOMPARE(child<QLabel>(preview, "lblPixel")->text(),
                 QStringLiteral("x 173, y 40    (40, 180, 40)    front, torso"));
        pointAt(100, 240);
        QCOMPARE(child<QLabel>(preview, "lblPixel")->text(),
                 QStringLiteral("x 100, y 240    (200, 40, 40)    back, left foot"));

        auto* lines = child<QCheckBox>(preview, "chkLayout");
        QVERIFY(zoom.showsLayout());
        lines->click();
        QVERIFY(!zoom.showsLayout());
    }

    // A zoom from the keyboard keeps the skin point in the middle of the view where it is; one
    // from Ctrl+wheel the point under the pointer.
    void theZoomKeepsThePointItChangesAround() {
        PreviewWindow* preview = openZoom(4);
        workbench::ZoomView& zoom = preview->zoom();
        auto* area = child<QScrollArea>(preview, "scrZoom");
        auto* box = child<QSpinBox>(preview, "spnZoom");
        const auto skinPointAt = [&](QPointF inViewport) {
            return zoom.mapFrom(area->viewport(), inViewport) / zoom.pixelCorner(1, 0).x();
        };
        const auto near = [](QPointF a, QPointF b) { return (a - b).manhattanLength() < 0.5; };
        area->horizontalScrollBar()->setValue(300);
        area->verticalScrollBar()->setValue(200);

        const QPointF middle = QRectF(area->viewport()->rect()).center();
        const QPointF inMiddle = skinPointAt(middle);
        box->setFocus();
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(zoom.zoom(), 8);
        QVERIFY(near(skinPointAt(middle), inMiddle));

        const QPointF pointer(60, 50); // in the viewport, away from its middle
        const QPointF underPointer = skinPointAt(pointer);
        QVERIFY(!near(underPointer, inMiddle));
        wheel(zoom, zoom.mapFrom(area->viewport(), pointer), 2 * 120, Qt::ControlModifier);
        QCOMPARE(zoom.zoom(), 10);
        QCOMPARE(box->value(), 10);
        QVERIFY(near(skinPointAt(pointer), underPointer));
        wheel(zoom, zoom.mapFrom(area->viewport(), pointer), -3 * 120, Qt::ControlModifier);
        QCOMPARE(zoom.zoom(), 7);
        QVERIFY(near(skinPointAt(pointer), underPointer));
    }

    // A wheel that scrolls the view under a pointer that stays names the pixel now under it.
    void thePixelReadoutFollowsTheWheel() {
        PreviewWindow* preview = openZoom(8);
        workbench::ZoomView& zoom = preview->zoom();
        auto* area = child<QScrollArea>(preview, "scrZoom");
        auto* pixel = child<QLabel>(preview, "lblPixel");
        const QPoint at = (zoom.pixelCorner(20, 30) + QPointF(3, 3)).toPoint();
        area->ensureVisible(at.x(), at.y());
        QTest::mouseMove(&zoom, at);
        QVERIFY(pixel->text().startsWith("x 20, y 30 "));
        const int before = area->verticalScrollBar()->value();
        // The zoom view leaves a plain wheel to the scroll area's viewport, which scrolls.
        wheel(*area->viewport(), zoom.mapTo(area->viewport(), QPointF(at)), -120);
        const int scrolled = area->verticalScrollBar()->value() - before;
        QVERIFY(scrolled > 8);
        QVERIFY2(pixel->text().startsWith(QString("x 20, y %1 ").arg((at.y() + scrolled) / 8)),
                 qPrintable(pixel->text()));
    }

    // A seam's marks at the skin's edges show whole: cut to the skin, drawn inside the view.
    void aSeamsMarksStayInsideTheView() {
        PreviewWindow* preview = openZoom(4);
        workbench::ZoomView& zoom = preview->zoom();
        const preview::SeamSpec& arms = preview::allSeams().back(); // from column 0, on every row
        QCOMPARE(arms.key, std::string_view("arms"));
        zoom.setMarks(&arms, {0, 255});
        const QImage shown = zoom.grab().toImage();
        QCOMPARE(shown.size(), QSize(1024, 1024));
        const QColor mark(preview::kMarkColour.r, preview::kMarkColour.g, preview::kMarkColour.b);
        // The marks cover columns 0 to 2 and rows 0 to 1, and 254 to 255: 12 and 8 screen pixels.
        for (const QPoint& edge : {QPoint(6, 0), QPoint(0, 4), QPoint(6, 1023), QPoint(0, 1020)})
            QVERIFY2(shown.pixelColor(edge) == mark,
                     qPrintable(QString("%1,%2").arg(edge.x()).arg(edge.y())));
    }

    void savesTheViewAsAPng() {
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        const QString path = m_env->elsewhere(QStringLiteral("views")) + "/view.png";
        QVERIFY(preview->saveView(path));
        QImage saved(path);
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB888),
                 workbench::pictureImage(preview->mannequin().frame()));

        fixture::MessageCatcher messages;
        QVERIFY(!preview->saveView(m_env->elsewhere(QStringLiteral("views")) + "/missing/view.png"));
        QCOMPARE(messages.messages().size(), 1);
        QVERIFY(messages.messages().first().startsWith(QStringLiteral("Cannot save ")));
    }

  private:
    // The preview on three.bmp, shown, its zoom view at zoom.
    PreviewWindow* openZoom(int zoom) {
        m_window->panes().openTarget(QStringLiteral("three.bmp"));
        m_window->showPreview();
        PreviewWindow* preview = m_window->previewWindow();
        if (!QTest::qWaitForWindowExposed(preview)) qWarning("the preview is not shown");
        child<QSpinBox>(preview, "spnZoom")->setValue(zoom);
        return preview;
    }
    // The wheel turned by angle (eighths of a degree; negative: towards the user) over widget at
    // at, in its pixels.
    static void wheel(QWidget& widget, QPointF at, int angle, Qt::KeyboardModifiers modifiers = {}) {
        QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &event);
    }
};

QTEST_MAIN(PreviewWindowTest)
#include "preview_window_test.moc"
