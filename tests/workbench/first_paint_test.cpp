// What the window's first appearance rests on: the program's start shows the main window
// centred with the icon, the folder lists take the style's icons after their first paint
// without any row moving, the buttons' bevel is the classic one drawn
// quickly, caption widths remembered per font never cross fonts, and a canvas reaches the
// screen pixel for pixel.

#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QtTest>
#include <qdrawutil.h>

#include "window_fixture.h"
#include "workbench/canvas_image.h"
#include "workbench/classic/caption_button.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/file_lists.h"
#include "workbench/main_window.h"
#include "workbench/program_start.h"

using fixture::child;
using workbench::FolderList;

namespace {

QImage imageOf(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Each row's height, top to bottom.
QList<int> rowHeights(FolderList* list) {
    QList<int> heights;
    for (QTreeWidgetItemIterator it(list); *it; ++it)
        heights << list->visualItemRect(*it).height();
    return heights;
}

} // namespace

class FirstPaintTest : public QObject {
    Q_OBJECT
  private slots:
    void theStartShowsTheWindowCentredWithTheIcon() {
        fixture::TempEnvironment env;
        workbench::ProgramStart start;
        const std::unique_ptr<workbench::MainWindow> window = start.showMainWindow();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Quiltane "));
        QCOMPARE(QApplication::windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));
        const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
        // Within the width of the window's frame, which the platform may add around it.
        const QPoint off = window->geometry().center() - centre;
        QVERIFY2(qAbs(off.x()) <= 4 && qAbs(off.y()) <= 4,
                 qPrintable(QString("%1, %2").arg(off.x()).arg(off.y())));
    }

    void folderIconsFollowTheFirstPaint() {
        fixture::TempEnvironment env;
        QDir().mkpath(env.textures() + "/Sub"); // one closed folder below the open chain
        workbench::MainWindow window;
        for (const char* name : {"Dir1", "DirTwo"})
            QVERIFY(!child<FolderList>(&window, name)->showsFolderIcons());
        const QList<int> before = rowHeights(child<FolderList>(&window, "Dir1"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const char* name : {"Dir1", "DirTwo"}) {
            FolderList* list = child<FolderList>(&window, name);
            QTRY_VERIFY2(list->showsFolderIcons(), name);
            const QImage open = imageOf(list->style()->standardIcon(QStyle::SP_DirOpenIcon));
            const QImage closed = imageOf(list->style()->standardIcon(QStyle::SP_DirClosedIcon));
            QVERIFY(open != closed);
            for (QTreeWidgetItemIterator it(list); *it; ++it) {
                const bool isSub = (*it)->text(0) == QStringLiteral("Sub");
                QVERIFY2(imageOf((*it)->icon(0)) == (isSub ? closed : open), qPrintable((*it)->text(0)));
            }
        }
        // The blank stand-ins were as large as the icons: no row changed its height.
        QCOMPARE(rowHeights(child<FolderList>(&window, "Dir1")), before);
    }

    void bevelIsTheClassicButtons_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("down");
        for (const QSize size : {QSize(73, 13), QSize(17, 17), QSize(41, 33), QSize(5, 5), QSize(4, 9)}) {
            const QString name = QString("%1x%2").arg(size.width()).arg(size.height());
            QTest::newRow(qPrintable(name + " up")) << size << false;
            QTest::newRow(qPrintable(name + " down")) << size << true;
        }
    }
    void bevelIsTheClassicButtons() {
        QFETCH(QSize, size);
        QFETCH(bool, down);
        // Without a caption the button is its bevel alone.
        workbench::CaptionButton button(QString(), nullptr);
        button.resize(size);
        button.setDown(down);
        // Pixels the bevel leaves alone (inside the smallest ones) stay magenta in both.
        QImage drawn(size, QImage::Format_RGB32);
        drawn.fill(Qt::magenta);
        button.render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());

        QImage classic(size, QImage::Format_RGB32);
        classic.fill(Qt::magenta);
        QPainter painter(&classic);
        const QPalette palette = button.palette();
        qDrawWinButton(&painter, QRect(QPoint(), size), palette, down, &palette.brush(QPalette::Button));
        painter.end();
        QCOMPARE(drawn, classic);
    }

    void captionWidthsStayWithTheirFont() {
        // The same caption in a small font first, on one line, then in the window's font, where
        // it needs two: widths kept from the small font must not make it fit.
        QFont small = workbench::defaultFont();
        small.setPixelSize(6);
        const QString caption = QStringLiteral("Medium Sleeves");
        const QSize size(49, 33);
        const workbench::CaptionLayout first = workbench::layoutCaption(caption, small, size);
        QCOMPARE(first.lines, QStringList{caption});
        const workbench::CaptionLayout second =
            workbench::layoutCaption(caption, workbench::defaultFont(), size);
        const QStringList fresh =
            workbench::wrapWords(caption, QFontMetrics(workbench::defaultFont()), second.area.width());
        QCOMPARE(fresh.size(), 2);
        QCOMPARE(second.lines, fresh);
        // And back: the small font keeps its own widths.
        QCOMPARE(workbench::layoutCaption(caption, small, size).lines, QStringList{caption});
    }

    void canvasReachesTheScreenPixelForPixel() {
        core::Canvas canvas;
        canvas.setPicture(fixture::pictureOf([](int x, int y) {
            return core::Rgb{std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)};
        }));
        const QImage image = workbench::canvasImage(canvas);
        QCOMPARE(image.size(), QSize(core::kSkinSize, core::kSkinSize));
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x) {
                const core::Rgb expected = canvas.pixel(x, y);
                if (image.pixel(x, y) != qRgb(expected.r, expected.g, expected.b))
                    QFAIL(qPrintable(QString("pixel %1, %2").arg(x).arg(y)));
            }
    }
};

QTEST_MAIN(FirstPaintTest)
#include "first_paint_test.moc"
