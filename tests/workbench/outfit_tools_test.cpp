// The outfit tools beside the classic window: the "My Stamps" window (the user's own stamps,
// pressed, undone and redone as the classic stamps are; added from a file or from a made mask,
// renamed and moved to the trash; a broken file shown as unavailable), a mask or body file used
// as a library mask or body is, the mask made from the bare body a garment was painted on, and
// every tone saved at once.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "core/mask/mask_maker.h"
#include "stamps/own_stamps.h"
#include "window_fixture.h"
#include "workbench/classic/panes.h"
#include "workbench/main_window.h"
#include "workbench/outfits/mask_from_body_dialog.h"
#include "workbench/outfits/my_stamps_window.h"
#include "workbench/outfits/name_prompt.h"
#include "workbench/outfits/outfit_tools.h"
#include "workbench/outfits/tones_dialog.h"

using fixture::bitsOf;
using fixture::child;
using fixture::kBlue;
using fixture::kGreen;
using fixture::kRed;
using workbench::Pane;

namespace {

constexpr core::Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kLightGrey{200, 200, 200};

// A mask: the top half garment (black), the bottom half bare skin (white).
core::Picture halfMask() {
    return fixture::pictureOf([](int, int y) { return y < 128 ? kBlack : kWhite; });
}

// The same drawn with a soft brush: one row of grey pixels along its edge.
core::Picture softHalfMask() {
    return fixture::pictureOf([](int, int y) { return y < 127 ? kBlack : y == 127 ? kLightGrey : kWhite; });
}

} // namespace

class OutfitToolsTest : public QObject, fixture::WindowTest {
    Q_OBJECT
  private slots:
    void init() {
        makeEnvironment();
        m_stamps = m_env->elsewhere(QStringLiteral("stamps"));
        qputenv(stamps::kStampsFolderVariable, m_stamps.toUtf8());
        QVERIFY(showWindow());
        // The cookie cutter's scratch: the source canvas as a loaded skin.
        m_window->workspace().picSource.setPicture(fixture::filled(kBlue));
        m_prompts.emplace();
        m_names.clear();
        m_namePrompt.emplace(
            workbench::setNamePrompt,
            [this](QWidget*, const QString&, const QString& suggested) -> std::optional<QString> {
                m_suggested = suggested;
                if (m_names.isEmpty()) return std::nullopt;
                return m_names.takeFirst();
            });
    }
    void cleanup() {
        m_namePrompt.reset();
        m_prompts.reset();
        closeWindow();
        qunsetenv(stamps::kStampsFolderVariable);
    }

    // Stamps of every kind are pressed, undone and redone as the classic stamps are, and a
    // broken stamp file shows as unavailable without stopping the window.
    void myStampsArePressedUndoneAndRedone() {
        QDir(m_stamps).mkpath(QStringLiteral("masks"));
        QDir(m_stamps).mkpath(QStringLiteral("bodies"));
        QDir(m_stamps).mkpath(QStringLiteral("accessories"));
        fixture::writeBmp(m_stamps + "/masks/Half.bmp", halfMask());
        fixture::writeBmp(m_stamps + "/bodies/Green.bmp", kGreen);
        // An accessory on white: a blue square in the top left corner.
        fixture::writeBmp(m_stamps + "/accessories/Ring.bmp",
                          fixture::pictureOf([](int x, int y) { return x < 16 && y < 16 ? kBlue : kWhite; }));
        fixture::writeText(m_stamps + "/masks/Broken.bmp", "not a picture");
        openDestination(fixture::filled(kRed));
        const auto& destination = m_window->workspace().picTarget;

        QVERIFY(pressKey(Qt::Key_F4));
        workbench::MyStampsWindow* window = m_window->outfits().myStamps();
        QVERIFY(window && window->isVisible());
        auto* broken = child<QToolButton>(window, "stamp:Broken");
        QVERIFY(broken);
        QVERIFY(broken->text().contains("(unavailable)"));
        QVERIFY2(broken->toolTip().contains("Broken.bmp"), qPrintable(broken->toolTip()));
        broken->click();
        QVERIFY2(status().contains("Broken.bmp"), qPrintable(status())); // its reason, and nothing painted
        QVERIFY(destination.image().pixel(5, 200) == kRed);

        child<QToolButton>(window, "stamp:Half")->click();
        QCOMPARE(status(), QStringLiteral("Half"));
        QCOMPARE(child<QAction>(m_window.get(), "actUndo")->text(),
                 QStringLiteral("&Undo Half"));               // Edit follows
        QVERIFY(destination.image().pixel(5, 10) == kRed);    // garment kept
        QVERIFY(destination.image().pixel(5, 200) == kWhite); // bare skin cut away
        child<QToolButton>(window, "stamp:Green")->click();
        QVERIFY(destination.image().pixel(5, 10) == kRed);
        QVERIFY(destination.image().pixel(5, 200) == kGreen); // the body fills the bare skin
        child<QToolButton>(window, "stamp:Ring")->click();
        QVERIFY(destination.image().pixel(5, 5) ==
                (core::Rgb{kRed.r & kBlue.r, kRed.g & kBlue.g, kRed.b & kBlue.b}));
        QVERIFY(destination.image().pixel(5, 200) == kGreen);

        // Undo and Redo, from the stamps window as from the main one, walk the same steps.
        QVERIFY(fixture::pressKey(window, Qt::Key_Z, Qt::ControlModifier));
        QCOMPARE(status(), QStringLiteral("Undid Ring"));
        QVERIFY(fixture::pressKey(window, Qt::Key_Z, Qt::ControlModifier));
        QVERIFY(destination.image().pixel(5, 200) == kWhite);
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier));
        QVERIFY(destination.image().pixel(5, 200) == kRed);
        QVERIFY(pressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
        QCOMPARE(status(), QStringLiteral("Redid Half"));
        QVERIFY(destination.image().pixel(5, 200) == kWhite);
    }

    // A stamp added from a file lands in its kind's subfolder under the name given and shows
    // at once; renaming renames the file; removing moves it to the trash. A file that cannot
    // be a stamp, or a name that is taken, is refused and adds nothing.
    void stampsAreAddedRenamedAndRemoved() {
        const QString mask = m_env->elsewhere("in") + "/soft dress.bmp";
        fixture::writeBmp(mask, softHalfMask());
        const QString small = m_env->elsewhere("in") + "/small.bmp";
        fixture::writeBmp(small, kRed, 64);
        QVERIFY(pressKey(Qt::Key_F4));
        workbench::MyStampsWindow* window = m_window->outfits().myStamps();
        const auto addMask = [&] { addButton(window, "masks")->click(); };

        m_prompts->chosen = mask;
        m_names = {QStringLiteral("Dress")};
        addMask();
        QCOMPARE(m_suggested, QStringLiteral("soft dress")); // the file's name is offered
        QVERIFY2(QFile::exists(m_stamps + "/masks/Dress.bmp"), qPrintable(status()));
        QVERIFY(child<QToolButton>(window, "stamp:Dress"));
        // Kept as black and white: the light grey row was read by its lightness, as white.
        const auto kept = fixture::loadBmp(m_stamps + "/masks/Dress.bmp");
        QVERIFY(kept && kept.value().pixel(0, 127) == kWhite);

        // Refusals: the name is taken; the file is of the wrong size. Neither adds a file.
        m_names = {QStringLiteral("dress")};
        addMask();
        QVERIFY2(status().contains("Dress") || status().contains("dress"), qPrintable(status()));
        m_prompts->chosen = small;
        m_names = {QStringLiteral("Small")};
        addMask();
        QVERIFY2(status().contains("small.bmp"), qPrintable(status()));
        QCOMPARE(QDir(m_stamps + "/masks").entryList(QDir::Files), QStringList{"Dress.bmp"});

        m_names = {QStringLiteral("Gown")};
        stampAction(window, "stamp:Dress", "actRenameStamp")->trigger();
        QCOMPARE(QDir(m_stamps + "/masks").entryList(QDir::Files), QStringList{"Gown.bmp"});
        QVERIFY(!child<QToolButton>(window, "stamp:Dress") && child<QToolButton>(window, "stamp:Gown"));

        stampAction(window, "stamp:Gown", "actRemoveStamp")->trigger();
        QVERIFY(QDir(m_stamps + "/masks").entryList(QDir::Files).isEmpty());
        QCOMPARE(m_env->trashed(), QStringList{"Gown.bmp"});
        QVERIFY(!child<QToolButton>(window, "stamp:Gown"));
    }

    // A mask file cuts as a library mask does, and the status line tells how many grey pixels
    // were rounded; a body file fills as a library body does. A file of the wrong size, or one
    // that is not a picture, is refused in one line and changes nothing.
    void maskAndBodyFilesServeAsTheLibrarysDo() {
        const QString folder = m_env->elsewhere("in");
        fixture::writeBmp(folder + "/soft.bmp", softHalfMask());
        fixture::writeBmp(folder + "/green.bmp", kGreen);
        fixture::writeBmp(folder + "/small.bmp", kGreen, 64);
        fixture::writeText(folder + "/text.bmp", "not a picture");
        openDestination(fixture::filled(kRed));
        const auto& destination = m_window->workspace().picTarget;
        QAction* maskFile = m_window->findChild<QAction*>("actMaskFile");
        QAction* bodyFile = m_window->findChild<QAction*>("actBodyFile");
        const std::string opened = m_window->workspace().history.undoName();

        for (const char* refused : {"small.bmp", "text.bmp"}) {
            for (QAction* action : {maskFile, bodyFile}) {
                m_prompts->chosen = folder + "/" + refused;
                action->trigger();
                QVERIFY2(status().contains(refused) && !status().contains('\n'), qPrintable(status()));
                QCOMPARE(m_window->workspace().history.undoName(), opened);
                QVERIFY(destination.image().pixel(5, 200) == kRed);
            }
        }
        m_prompts->chosen = folder + "/soft.bmp";
        maskFile->trigger();
        QCOMPARE(status(),
                 QStringLiteral("soft.bmp as a mask: 256 grey pixels read as black or white by lightness"));
        QVERIFY(destination.image().pixel(5, 200) == kWhite);
        m_prompts->chosen = folder + "/green.bmp";
        bodyFile->trigger();
        QVERIFY(destination.image().pixel(5, 10) == kRed);
        QVERIFY(destination.image().pixel(5, 200) == kGreen);
        QCOMPARE(m_window->workspace().history.undoName(), std::string("green.bmp as a body"));
    }

    // The mask made from the body a garment was painted on marks what differs from the body,
    // within the tolerance; applying it is one step; the made mask can then be kept as a stamp.
    void maskFromBareBody() {
        const core::Picture body = core::ImageLibrary::shared().picture(core::ImageId::imgLightBody);
        QVERIFY(!body.isEmpty());
        // The garment: rows 0 to 39 red; rows 200 to 209 the body's colour moved a little, as
        // an 8-bit save moves it.
        openDestination(fixture::pictureOf([&](int x, int y) {
            core::Rgb c = body.pixel(x, y);
            if (y < 40) return kRed;
            if (y >= 200 && y < 210) c.r = std::uint8_t(c.r < 250 ? c.r + 2 : c.r - 2);
            return c;
        }));
        QVERIFY(pressKey(Qt::Key_B, Qt::ControlModifier));
        workbench::MaskFromBodyDialog* dialog = m_window->outfits().maskFromBody();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(child<QComboBox>(dialog, "cboBody")->currentText(), QStringLiteral("Light Female"));
        auto* count = child<QLabel>(dialog, "lblGarment");
        QVERIFY2(count->text().startsWith("10,240 pixels") || count->text().startsWith("10240 pixels"),
                 qPrintable(count->text()));
        // A tolerance of 0 counts the slightly moved rows as garment too.
        child<QDoubleSpinBox>(dialog, "spnTolerance")->setValue(0);
        QVERIFY2(count->text().startsWith("12,800") || count->text().startsWith("12800"),
                 qPrintable(count->text()));
        child<QDoubleSpinBox>(dialog, "spnTolerance")->setValue(core::kDefaultMaskTolerance);

        child<QPushButton>(dialog, "btnApply")->click();
        QCOMPARE(m_window->workspace().history.undoName(), std::string("Mask from Light Female"));
        const auto& destination = m_window->workspace().picTarget;
        QVERIFY(destination.image().pixel(30, 20) == kRed);
        QVERIFY(destination.image().pixel(30, 205) == kWhite);
        QVERIFY2(status().startsWith("Mask from Light Female"), qPrintable(status()));

        QVERIFY(pressKey(Qt::Key_F4));
        m_names = {QStringLiteral("Made Top")};
        child<QPushButton>(m_window->outfits().myStamps(), "btnKeepMadeMask")->click();
        const auto kept = fixture::loadBmp(m_stamps + "/masks/Made Top.bmp");
        QVERIFY2(kept, qPrintable(status()));
        QVERIFY(kept.value().pixel(30, 20) == kBlack && kept.value().pixel(30, 205) == kWhite);
        QCOMPARE(m_suggested, QStringLiteral("Mask from Light Female"));
    }

    // Every tone: one file a body checked, named from the destination and the body, 8-bit
    // unless 24-bit is chosen; the canvases and the history do not change. A folder that does
    // not exist writes nothing.
    void everyToneIsSavedAtOnce() {
        const QString in = m_env->elsewhere("in");
        // The garment: rows 0 to 39, cut out by a mask first as the user would.
        openDestination(fixture::pictureOf([](int, int y) { return y < 40 ? kRed : kGreen; }));
        fixture::writeBmp(in + "/top.bmp",
                          fixture::pictureOf([](int, int y) { return y < 40 ? kBlack : kWhite; }));
        m_prompts->chosen = in + "/top.bmp";
        m_window->findChild<QAction*>("actMaskFile")->trigger();
        const auto& workspace = m_window->workspace();
        const core::Picture target = workspace.picTarget.image(), source = workspace.picSource.image();
        const std::string step = workspace.history.undoName();

        QVERIFY(pressKey(Qt::Key_T, Qt::ControlModifier));
        workbench::TonesDialog* dialog = m_window->outfits().tones();
        QVERIFY(dialog && dialog->isVisible());
        auto* folder = child<QLineEdit>(dialog, "txtFolder");
        QCOMPARE(QDir(folder->text()).canonicalPath(), QDir(m_env->elsewhere("skins")).canonicalPath());
        auto* save = child<QPushButton>(dialog, "btnSaveTones");

        const QString out = m_env->elsewhere("out");
        folder->setText(out + "/missing");
        save->click();
        QVERIFY(!QDir(out + "/missing").exists() && QDir(out).isEmpty());
        QVERIFY2(status().contains("missing"), qPrintable(status()));

        folder->setText(out);
        save->click();
        const QStringList expected{"skin-dark-female.bmp", "skin-dark-male.bmp",     "skin-light-female.bmp",
                                   "skin-light-male.bmp",  "skin-medium-female.bmp", "skin-medium-male.bmp"};
        QCOMPARE(QDir(out).entryList(QDir::Files), expected);
        for (const QString& name : expected)
            QCOMPARE(bitsOf(out + "/" + name), 8);

        // Dark Male and a body file, 24-bit: each the garment on that body.
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        fixture::writeBmp(in + "/tan.bmp", kBlue);
        m_prompts->chosen = in + "/tan.bmp";
        child<QPushButton>(dialog, "btnAddBodyFile")->click();
        auto* bodies = child<QListWidget>(dialog, "lstBodies");
        for (int i = 0; i + 1 < bodies->count(); ++i)
            if (bodies->item(i)->text() != "Dark Male") bodies->item(i)->setCheckState(Qt::Unchecked);
        child<QRadioButton>(dialog, "optTrueColour")->setChecked(true);
        save->click();
        QCOMPARE(QDir(out).entryList(QDir::Files), (QStringList{"skin-dark-male.bmp", "skin-tan.bmp"}));
        const core::Picture dark = core::ImageLibrary::shared().picture(core::ImageId::imgMaleDark);
        const auto darkTone = fixture::loadBmp(out + "/skin-dark-male.bmp");
        const auto tanTone = fixture::loadBmp(out + "/skin-tan.bmp");
        QCOMPARE(bitsOf(out + "/skin-tan.bmp"), 24);
        QVERIFY(darkTone && darkTone.value().pixel(9, 10) == kRed &&
                darkTone.value().pixel(9, 200) == dark.pixel(9, 200));
        QVERIFY(tanTone && tanTone.value().pixel(9, 10) == kRed && tanTone.value().pixel(9, 200) == kBlue);

        QVERIFY(workspace.picTarget.image() == target && workspace.picSource.image() == source);
        QCOMPARE(workspace.history.undoName(), step);
    }

  private:
    // Writes picture as skin.bmp in a folder "skins" and opens it as the destination.
    void openDestination(const core::Picture& picture) {
        const QString path = m_env->elsewhere("skins") + "/skin.bmp";
        fixture::writeBmp(path, picture);
        QVERIFY(m_window->panes().openFile(Pane::Destination, path));
    }
    static QPushButton* addButton(QWidget* window, const char* kind) {
        auto* group = child<QGroupBox>(window, kind);
        return group ? child<QPushButton>(group, "btnAddStamp") : nullptr;
    }
    static QAction* stampAction(QWidget* window, const char* stamp, const char* action) {
        auto* button = child<QToolButton>(window, stamp);
        return button ? button->findChild<QAction*>(QLatin1String(action)) : nullptr;
    }

    QString m_stamps;
    QStringList m_names; // what the name question answers, in turn; none left: cancelled
    QString m_suggested; // what it was last offered
    std::optional<fixture::WindowPromptCatcher> m_prompts;
    std::optional<fixture::ScopedHooks<workbench::NamePrompt>> m_namePrompt;
};

QTEST_MAIN(OutfitToolsTest)
#include "outfit_tools_test.moc"
