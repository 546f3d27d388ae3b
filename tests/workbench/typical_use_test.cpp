// The typical use, end to end through the window: open a source and a destination skin from
// the panes, copy a skirt, cut the outfit out with a mask, fill the rest with a body, add
// sneakers, then save from the dialog and compare the file with pixels worked out here.

#define QTEST_QPA_MOUSE_HANDLING
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "core/library/image_library.h"
#include "window_fixture.h"
#include "workbench/classic/file_lists.h"
#include "workbench/main_window.h"
#include "workbench/dialogs/save_dialog.h"

using fixture::child;

namespace {

// Skins whose every pixel differs from its neighbours, so a misplaced pixel shows.
core::Picture patternSkin(int seed) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            rgb.insert(rgb.end(),
                       {std::uint8_t(x + seed), std::uint8_t(y * 3 + seed), std::uint8_t((x ^ y) + seed)});
    return core::Picture(256, 256, std::move(rgb));
}

core::Rgb andRgb(core::Rgb a, core::Rgb b) {
    return {std::uint8_t(a.r & b.r), std::uint8_t(a.g & b.g), std::uint8_t(a.b & b.b)};
}

} // namespace

class TypicalUseTest : public QObject {
    Q_OBJECT
  private slots:
    void skirtMaskBodyAndSneakersSaveExactly() {
        fixture::TempEnvironment env;
        const QString folder = QDir(env.textures()).canonicalPath();
        const core::Picture source = patternSkin(11), destination = patternSkin(101);
        fixture::writeBmp(folder + "/source.bmp", source);
        fixture::writeBmp(folder + "/skin.bmp", destination);

        fixture::MessageCatcher messages;
        workbench::MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        fixture::click(child<workbench::FileList>(&window, "FilMain"), "source.bmp");
        fixture::click(child<workbench::FileList>(&window, "FilTwo"), "skin.bmp");
        for (const char* button : {"Command1", "Command72", "Command52",
                                   "Command27"}) // Miniskirt, Bikini, Med Fem, Black Sneakers
            QTest::mouseClick(child<QPushButton>(&window, button), Qt::LeftButton);
        QVERIFY2(messages.messages().isEmpty(), qPrintable(messages.messages().join('\n')));

        QTest::mouseDClick(child<QWidget>(&window, "picTarget"), Qt::LeftButton, {}, QPoint(50, 50));
        workbench::SaveDialog* dialog = window.saveDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->name(), QStringLiteral("skin2"));
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());

        auto saved = fixture::loadBmp(folder + "/skin2.bmp");
        QVERIFY2(saved, saved.message().c_str());

        // What the four stamps make of the two skins, pixel by pixel.
        core::ImageLibrary library;
        const core::Picture& mask = library.picture(core::ImageId::imgBikini3);
        const core::Picture& body = library.picture(core::ImageId::imgMedBody);
        const core::Picture& sneakers = library.picture(core::ImageId::imgBlackSneakers);
        int mismatches = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const bool skirt = x >= 90 && y >= 126;
                const bool garment = mask.pixel(x, y) == core::Rgb{0, 0, 0};
                core::Rgb expected = garment ? (skirt ? source : destination).pixel(x, y) : body.pixel(x, y);
                if (x >= 90 && y >= 238) expected = andRgb(expected, sneakers.pixel(x - 90, y - 238));
                if (saved.value().pixel(x, y) != expected && ++mismatches <= 5)
                    qWarning("pixel (%d, %d) differs", x, y);
            }
        QCOMPARE(mismatches, 0);
    }
};

QTEST_MAIN(TypicalUseTest)
#include "typical_use_test.moc"
