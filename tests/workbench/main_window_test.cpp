// The main window: every control at its place below the menu bar, the captions readable,
// stamps painting the canvases, the row marker's labels, the icon, and closing.

#define QTEST_QPA_MOUSE_HANDLING // real press, release and double-click sequences
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "stamps/button_table.h"
#include "window_fixture.h"
#include "workbench/app_icon.h"
#include "workbench/classic/canvas_widget.h"
#include "workbench/classic/caption_button.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/form_layouts.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_window.h"

using fixture::child;
using fixture::kBlue;
using fixture::kRed;

namespace {

QColor colourOf(core::Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

} // namespace

class MainWindowTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        QVERIFY(showWindow());
    }
    void cleanup() { closeWindow(); }

    void controlsSitAtTheirStoredPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips"); // as stored: left, top, width, height
        QTest::newRow("source canvas") << "picSource" << QRect(5400, 360, 3900, 3900);
        QTest::newRow("destination canvas") << "picTarget" << QRect(5400, 4680, 3900, 3900);
        QTest::newRow("destination files") << "FilTwo" << QRect(360, 4920, 3015, 1455);
        QTest::newRow("source folders") << "Dir1" << QRect(240, 480, 3015, 1440);
        QTest::newRow("row marker") << "lblY1" << QRect(8040, 4320, 375, 255);
        QTest::newRow("accessories heading") << "Label3" << QRect(9240, 120, 1335, 495);
        QTest::newRow("outfit mask button") << "Command56" << QRect(4200, 3600, 615, 495);
        QTest::newRow("small midriff button") << "Command20" << QRect(9360, 3600, 1095, 195);
        QTest::newRow("destination delete") << "Command37" << QRect(0, 6000, 375, 495);
        QTest::newRow("body fill with two blanks") << "cmddjfld" << QRect(3480, 3960, 495, 495);
        QTest::newRow("frame") << "Frame1" << QRect(9360, 4800, 1095, 3735);
        QTest::newRow("button inside the frame") << "Command94" << QRect(120, 240, 855, 255);
        QTest::newRow("save name label of the panes") << "lblSource" << QRect(840, 3480, 495, 255);
    }
    void controlsSitAtTheirStoredPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        const QRect expected(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QWidget* control = child<QWidget>(m_window.get(), name.toLatin1());
        QVERIFY(control);
        QCOMPARE(control->geometry(), expected);
        // Resizing and maximizing move nothing.
        m_window->resize(1000, 800);
        QCOMPARE(control->geometry(), expected);
        m_window->showMaximized();
        QCOMPARE(control->geometry(), expected);
    }

    // Every control of the window where its table row puts it: the buttons, their headings and
    // the frame from the button table, the rest from the window's layout table. Tab indexes are
    // unique across both tables.
    void everyControlSitsWhereItsTableRowSays() {
        QMap<int, QString> tabIndexes;
        const auto check = [&](const stamps::ControlRow& row) {
            const QString objectName = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
            QWidget* control = child<QWidget>(m_window.get(), objectName.toLatin1());
            QVERIFY2(control, qPrintable(objectName));
            QCOMPARE(control->geometry(), workbench::pixelRect(row.place));
            if (row.tabIndex < 0) return;
            QVERIFY2(!tabIndexes.contains(row.tabIndex),
                     qPrintable(objectName + " shares its tab index with " + tabIndexes.value(row.tabIndex)));
            tabIndexes.insert(row.tabIndex, objectName);
        };
        for (const stamps::ButtonSpec& row : stamps::allButtons())
            check(row);
        for (const stamps::GroupSpec& row : stamps::allGroups())
            check(row);
        for (const stamps::ControlRow& row : workbench::mainWindowLayout().controls)
            check(row);
        // The classic client area stays as stored, right below the menu bar; the status line lies
        // right below it, across its width, and the window is the three together.
        const QSize classic = workbench::pixelRect(workbench::mainWindowLayout().client).size();
        auto* menuBar = child<QMenuBar>(m_window.get(), "menuBar");
        auto* area = child<QWidget>(m_window.get(), "classicArea");
        auto* status = child<QLabel>(m_window.get(), "statusLine");
        QVERIFY(menuBar && area && status);
        const int menuHeight = menuBar->height();
        QVERIFY(menuHeight > 0);
        QCOMPARE(menuBar->geometry(), QRect(0, 0, classic.width(), menuHeight));
        QCOMPARE(area->geometry(), QRect(QPoint(0, menuHeight), classic));
        QCOMPARE(status->geometry(),
                 QRect(0, menuHeight + classic.height(), classic.width(), status->height()));
        QCOMPARE(m_window->size(), QSize(classic.width(), menuHeight + classic.height() + status->height()));
    }

    // Read from the pixels drawn: the border's top line runs through the caption, which stands
    // at the frame's top, and every button of the frame lies inside the border.
    void theUserCopyFrameEnclosesItsButtons() {
        auto* frame = child<QGroupBox>(m_window.get(), "Frame1");
        QVERIFY(frame);
        const QImage image = frame->grab().toImage();
        const int w = image.width(), h = image.height();
        const auto lightness = [&](int x, int y) { return image.pixelColor(x, y).lightness(); };
        // Inside the frame, right of the buttons (x 8 to 64), away from any line.
        const int ground = lightness(w - 6, h / 2);
        // The border's dark lines, however faint a style draws them, and the caption's glyphs;
        // not the light half of an etched line.
        const auto dark = [&](int x, int y) { return lightness(x, y) < ground - 15; };

        int top = 0, bottom = h - 1, left = 0, right = w - 1;
        while (top < h && !dark(w - 6, top))
            ++top;
        while (bottom > 0 && !dark(w - 6, bottom))
            --bottom;
        while (left < w && !dark(left, h - 8))
            ++left;
        while (right > 0 && !dark(right, h - 8))
            --right;
        QVERIFY2(top < h && left < right, "no border drawn");

        const auto buttons = frame->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(buttons.size(), 9);
        for (const QPushButton* button : buttons) {
            const QRect place = button->geometry();
            QVERIFY2(place.top() > top && place.bottom() < bottom && place.left() > left &&
                         place.right() < right,
                     qPrintable(QString("%1 at %2,%3 %4x%5; border %6,%7 to %8,%9")
                                    .arg(button->objectName())
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())
                                    .arg(left)
                                    .arg(top)
                                    .arg(right)
                                    .arg(bottom)));
        }

        // Between the side lines and above the first button: the caption's glyphs, and the top
        // line broken where they stand.
        const QColor line = image.pixelColor(w - 6, top);
        const int firstButton = child<QWidget>(m_window.get(), "Command94")->y();
        int glyphTop = h, glyphBottom = -1, breaks = 0;
        for (int x = left + 2; x < right - 1; ++x) {
            if (lightness(x, top) >= ground - 10) ++breaks;
            for (int y = 0; y < firstButton; ++y)
                if (dark(x, y) && image.pixelColor(x, y) != line) {
                    glyphTop = std::min(glyphTop, y);
                    glyphBottom = std::max(glyphBottom, y);
                }
        }
        QVERIFY2(breaks > 0, "the top line runs through the caption");
        QVERIFY2(glyphTop <= 3, qPrintable(QString("the caption starts at row %1").arg(glyphTop)));
        QVERIFY2(glyphTop < top && top < glyphBottom,
                 qPrintable(QString("top line at row %1, caption rows %2 to %3")
                                .arg(top)
                                .arg(glyphTop)
                                .arg(glyphBottom)));
    }

    void windowAtStart() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Quiltane "));
        // 701 x 573 of classic client area between the menu bar and the status line, which says
        // nothing yet.
        auto* menuBar = child<QMenuBar>(m_window.get(), "menuBar");
        auto* status = child<QLabel>(m_window.get(), "statusLine");
        QVERIFY(menuBar && status);
        QCOMPARE(m_window->size(), QSize(701, menuBar->height() + 573 + status->height()));
        QCOMPARE(status->text(), QString());
        QCOMPARE(std::size_t(m_window->findChildren<QPushButton*>().size()), stamps::allButtons().size());
        QCOMPARE(child<QLabel>(m_window.get(), "lblY1")->text(), QStringLiteral("Label8"));
        QCOMPARE(child<QLabel>(m_window.get(), "lblY2")->text(), QStringLiteral("Label9"));
        QCOMPARE(child<QLabel>(m_window.get(), "lblSource")->text(), QString());
        QCOMPARE(child<QGroupBox>(m_window.get(), "Frame1")->title(), QStringLiteral("User Copy"));
        QCOMPARE(child<QPushButton>(m_window.get(), "cmddjfld")->text(), QStringLiteral("Light  Fem"));
        QCOMPARE(child<QWidget>(m_window.get(), "picTarget")->toolTip(),
                 QStringLiteral("This is the picture you are working on..."));
        QCOMPARE(child<QWidget>(m_window.get(), "Command37")->toolTip(),
                 QStringLiteral("Deletes the file selected in the box to the right! Be careful!"));
        // The canvas's client area is 256 x 256 inside its two-pixel border.
        QCOMPARE(child<QFrame>(m_window.get(), "picSource")->contentsRect(), QRect(2, 2, 256, 256));
    }

    void fontsMapOntoInstalledFreeFonts_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("expectedFamily");
        QTest::addColumn<int>("pixels");
        QTest::newRow("default") << "MS Sans Serif" << 8.25 << "Liberation Sans" << 11;
        QTest::newRow("source heading") << "MS Sans Serif" << 13.5 << "Liberation Sans" << 18;
        QTest::newRow("small serif") << "MS Serif" << 6.0 << "Liberation Serif" << 8;
        QTest::newRow("body copy heading") << "MS Serif" << 6.75 << "Liberation Serif" << 9;
    }
    void fontsMapOntoInstalledFreeFonts() {
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(QString, expectedFamily);
        QFETCH(int, pixels);
        const std::string name = family.toStdString();
        const QFont font = workbench::classicFont({name, points, false});
        QCOMPARE(QFontInfo(font).family(), expectedFamily);
        QCOMPARE(font.pixelSize(), pixels);
    }

    void everyCaptionFitsItsButton() {
        for (auto* button : m_window->findChildren<workbench::CaptionButton*>()) {
            const workbench::CaptionLayout layout = button->captionLayout();
            const QFontMetrics metrics(layout.font);
            const int count = int(layout.lines.size());
            const QString what = button->objectName() + " \"" + button->text() + "\"";
            // Nothing is lost: the lines hold the caption's characters, blanks aside.
            QVERIFY2(layout.lines.join("").remove(' ') == QString(button->text()).remove(' '),
                     qPrintable(what));
            // Every line within the bevel, squeezed no further than stays readable.
            for (int i = 0; i < count; ++i) {
                const double width =
                    metrics.horizontalAdvance(layout.lines[i]) * layout.squeeze[std::size_t(i)];
                QVERIFY2(width <= layout.area.width() + 0.5, qPrintable(what));
                QVERIFY2(layout.squeeze[std::size_t(i)] >= 0.7, qPrintable(what));
            }
            // Lines do not run into each other, and the glyphs above the baseline of the
            // last line stay inside the button.
            QVERIFY2(count == 1 || layout.lineStep >= metrics.ascent(), qPrintable(what));
            const int block = (count - 1) * layout.lineStep + metrics.ascent();
            QVERIFY2(block <= button->height() - 2, qPrintable(what));
        }
    }

    void focusFollowsTheTabIndexes() {
        // From the source folder list through every button, in rising tab index; buttons
        // without an index come last.
        QStringList visited;
        QWidget* start = child<QWidget>(m_window.get(), "Dir1");
        for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain())
            if (stamps::findButton(w->objectName().toStdString())) visited << w->objectName();
        QCOMPARE(std::size_t(visited.size()), stamps::allButtons().size());
        int last = -1;
        bool unindexed = false;
        for (const QString& name : visited) {
            const int index = stamps::findButton(name.toStdString())->tabIndex;
            if (index < 0) {
                unindexed = true;
                continue;
            }
            QVERIFY2(!unindexed && index >= last, qPrintable(name));
            last = index;
        }
    }

    void wrappingBreaksAtWordsOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fits") << "Tiny" << 100 << QStringList{"Tiny"};
        QTest::newRow("two words") << "Short Sleeves" << 45 << QStringList{"Short", "Sleeves"};
        QTest::newRow("long word alone") << "MidSkirtb008" << 20 << QStringList{"MidSkirtb008"};
        QTest::newRow("runs of blanks") << "Light  Fem" << 30 << QStringList{"Light", "Fem"};
    }
    void wrappingBreaksAtWordsOnly() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        QCOMPARE(workbench::wrapWords(text, QFontMetrics(workbench::defaultFont()), width), lines);
    }

    void aStampPaintsTheCanvasOnScreen() {
        m_window->workspace().picSource.setPicture(fixture::filled(kRed));
        // "Miniskirt 200/69/24": columns 90-255, rows 126-255 of the source file.
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 200), kRed);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 100), core::Canvas::kBackground);

        auto* picTarget = child<QWidget>(m_window.get(), "picTarget");
        const QImage shown = picTarget->grab().toImage();
        QCOMPARE(shown.pixelColor(2 + 100, 2 + 200), colourOf(kRed));
        QCOMPARE(shown.pixelColor(2 + 100, 2 + 100), colourOf(core::Canvas::kBackground));
    }

    void aFailingStampTellsTheUserAndGoesOn() {
        fixture::MessageCatcher messages;
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command1"), Qt::LeftButton);
        QCOMPARE(messages.messages().size(), 1);
        QVERIFY(messages.messages().first().contains("source"));
        QCOMPARE(m_window->workspace().picTarget.image(), core::Canvas().image());
    }

    void buttonsWithoutAHandlerChangeNothing() {
        fixture::MessageCatcher messages;
        m_window->workspace().picSource.setPicture(fixture::filled(kRed));
        m_window->workspace().picTarget.setPicture(fixture::filled(kBlue));
        const core::Picture source = m_window->workspace().picSource.image();
        const core::Picture target = m_window->workspace().picTarget.image();
        for (const char* name : {"Command18", "Command69"}) {
            QTest::mouseClick(child<QPushButton>(m_window.get(), name), Qt::LeftButton);
            QCOMPARE(m_window->workspace().picSource.image(), source);
            QCOMPARE(m_window->workspace().picTarget.image(), target);
        }
        QCOMPARE(child<QLabel>(m_window.get(), "lblY1")->text(), QStringLiteral("Label8"));
        QVERIFY(messages.messages().isEmpty());
    }

    void mouseDownOnTheDestinationMarksRows() {
        auto* picTarget = child<QWidget>(m_window.get(), "picTarget");
        auto* lblY1 = child<QLabel>(m_window.get(), "lblY1");
        auto* lblY2 = child<QLabel>(m_window.get(), "lblY2");
        const core::Picture before = m_window->workspace().picTarget.image();
        // Canvas row y is widget row y + 2, below the border. Any button marks.
        QTest::mouseClick(picTarget, Qt::RightButton, {}, QPoint(2 + 30, 2 + 120));
        QCOMPARE(lblY1->text(), QStringLiteral("120"));
        QCOMPARE(lblY2->text(), QStringLiteral("Label8"));
        QTest::mouseClick(picTarget, Qt::LeftButton, {}, QPoint(2 + 200, 2 + 40));
        QCOMPARE(lblY1->text(), QStringLiteral("40"));
        QCOMPARE(lblY2->text(), QStringLiteral("120"));
        // The border is no part of the canvas.
        QTest::mouseClick(picTarget, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(lblY1->text(), QStringLiteral("40"));
        QCOMPARE(m_window->workspace().picTarget.image(), before);

        // "Top" then copies rows 40-119 of the source file.
        m_window->workspace().picSource.setPicture(fixture::filled(kRed));
        QTest::mouseClick(child<QPushButton>(m_window.get(), "Command39"), Qt::LeftButton);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 40), kRed);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 119), kRed);
        QCOMPARE(m_window->workspace().picTarget.pixel(100, 120), core::Canvas::kBackground);
    }

    void doubleClickOnTheDestinationShowsTheSaveDialog() {
        QVERIFY(!m_window->saveDialog());
        QTest::mouseDClick(child<QWidget>(m_window.get(), "picTarget"), Qt::LeftButton, {},
                           QPoint(2 + 10, 2 + 77));
        QVERIFY(m_window->saveDialog());
        QVERIFY(m_window->saveDialog()->isVisible());
        QCOMPARE(m_window->saveDialog()->name(), QStringLiteral("Text1"));
        // Its first press also marked the row, once.
        QCOMPARE(child<QLabel>(m_window.get(), "lblY1")->text(), QStringLiteral("77"));
        QCOMPARE(child<QLabel>(m_window.get(), "lblY2")->text(), QStringLiteral("Label8"));
    }

    void iconHasBothSizesOnATransparentGround() {
        const QIcon icon = workbench::appIcon();
        for (int size : {16, 32}) {
            const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(image.size(), QSize(size, size));
            int black = 0, clear = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.alpha() == 0)
                        ++clear;
                    else if (c == Qt::black)
                        ++black;
                }
            // Only black figures and transparent ground; the bar splits the two figures.
            QCOMPARE(black + clear, size * size);
            QVERIFY(black > size * size / 8);
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            const int bar = size == 32 ? 15 : 7;
            for (int y = 0; y < size; ++y)
                QCOMPARE(image.pixelColor(bar, y), QColor(Qt::black));
        }
    }

    void closingTheWindowTakesTheSaveDialogAlong() {
        QTest::mouseDClick(child<QWidget>(m_window.get(), "picTarget"), Qt::LeftButton, {}, QPoint(20, 20));
        QPointer<workbench::SaveDialog> dialog = m_window->saveDialog();
        QVERIFY(dialog && dialog->isVisible());
        m_window->close();
        QVERIFY(!dialog);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
