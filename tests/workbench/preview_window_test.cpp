// The preview window: F3 opens it beside the main window without blocking it, or where the user
// last put it; it follows the destination canvas through a load and a stamp; a drag, the buttons
// and the keys turn the body; a click on a seam turns to it and marks it; the zoom view names the
// pixel under the pointer; the view saves as a PNG.

#define QTEST_QPA_MOUSE_HANDLING // real press, move and release sequences
#include <QApplication>
#include <QScreen>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
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
        QTest::newRow("room on the right") << wide << QRect(100, 100, 701, 600) << size
                                           << QRect(809, 100, 760, 600);
        QTest::newRow("room on the left only") << wide << QRect(1150, 100, 701, 600) << size
                                               << QRect(382, 100, 760, 600);
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
        QTest::newRow("a second screen") << second << QRect(1950, 10, 701, 600) << size
                                         << QRect(2659, 10, 541, 600);
    }
    void placeBesideTheMainWindow() {
        QFETCH(QRect, room);
        QFETCH(QRect, main);
        QFETCH(QSize, wanted);
        QFETCH(QRect, placed);
        QCOMPARE(workbench::placeBeside(main, wanted, QSize(500, 400), room, 8), placed);
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
};

QTEST_MAIN(PreviewWindowTest)
#include "preview_window_test.moc"
