// The About box: its texts and layout, how it closes, and the "System Info" button's lookup
// run against a fake registry and a fake program starter.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <map>
#include <set>

#include "workbench/about/about_box.h"
#include "workbench/about/system_info.h"
#include "workbench/platform/registry_lookup.h"

using namespace workbench;

namespace {

struct FakeValue {
    RegType type = kRegSz;
    std::string bytes; // as the query hands them out, a text's zero included
};

// A registry of fixed keys that counts what is asked of it.
class FakeRegistry final : public Registry {
  public:
    std::map<std::string, std::map<std::string, FakeValue>> keys;
    // Refuses any request that includes write access, as a machine-wide key may.
    bool refuseWriteAccess = false;
    std::vector<std::string> openedKeys;
    std::set<RegAccess> accessAsked;
    std::set<RegKey> openHandles;

    RegStatus openKey(RegRoot root, const std::string& keyPath, RegAccess access, RegKey& key) override {
        key = 0;
        openedKeys.push_back(keyPath);
        accessAsked.insert(access);
        if (refuseWriteAccess && (access & 0x6) != 0) return kErrorAccessDenied;
        const auto found = keys.find(keyPath);
        if (root != kHKeyLocalMachine || found == keys.end()) return kErrorFileNotFound;
        key = m_next++;
        m_paths[key] = keyPath;
        openHandles.insert(key);
        return kErrorSuccess;
    }

    RegStatus queryValue(RegKey key, const std::string& valueName, RegType& type, std::span<std::byte> buffer,
                         std::uint32_t& byteCount) override {
        if (!openHandles.contains(key)) return kErrorInvalidHandle;
        const auto& values = keys.at(m_paths.at(key));
        const auto found = values.find(valueName);
        if (found == values.end()) return kErrorFileNotFound;
        type = found->second.type;
        const std::string& bytes = found->second.bytes;
        const bool fits = bytes.size() <= byteCount && bytes.size() <= buffer.size();
        byteCount = std::uint32_t(bytes.size());
        if (!fits) return kErrorMoreData;
        std::memcpy(buffer.data(), bytes.data(), bytes.size());
        return kErrorSuccess;
    }

    RegStatus closeKey(RegKey key) override {
        return openHandles.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
    }

  private:
    RegKey m_next = 1;
    std::map<RegKey, std::string> m_paths;
};

// Programs that exist are the listed files; starting anything else fails.
class FakeLauncher final : public ProgramLauncher {
  public:
    std::set<std::string> files;
    std::vector<std::string> fileTests;
    std::vector<std::string> starts;

    bool fileExists(const std::string& path) override {
        fileTests.push_back(path);
        return files.contains(path);
    }
    bool start(const std::string& path) override {
        starts.push_back(path);
        return files.contains(path);
    }
};

const std::string kPathValue = "C:\\Tools\\msinfo32.exe";
const std::string kFolder = "C:\\Shared\\MSInfo";
const std::string kFolderProgram = kFolder + "\\MSINFO32.EXE";

FakeValue text(const std::string& value) {
    return {kRegSz, value + '\0'};
}

// One run of StartSysInfo: what the registry and the disk hold, and what should follow.
struct SysInfoCase {
    std::optional<FakeValue> path;   // "PATH" under the first key
    std::optional<FakeValue> folder; // "MSINFO" under the second key
    std::set<std::string> files;
    bool refuseWriteAccess = false;
    std::vector<std::string> starts;
    std::vector<std::string> fileTests;
    bool message = false;
    bool secondKeyTried = false;
};

struct Fakes {
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    std::vector<std::pair<QWidget*, QString>> messages;

    SystemInfoServices services() {
        return {registry, launcher,
                [this](QWidget* parent, const QString& text) { messages.emplace_back(parent, text); }};
    }
};

} // namespace

Q_DECLARE_METATYPE(SysInfoCase)

class AboutBoxTest : public QObject {
    Q_OBJECT
  private slots:
    void startSysInfo_data();
    void startSysInfo();
    void texts_data();
    void texts();
    void layout_data();
    void layout();
    void textsFitTheirControls();
    void keysClose_data();
    void keysClose();
    void systemInfoButtonKeepsTheBoxOpen();
    void loadedAnewEachTime();
    void unavailableMessageBox();
};

void AboutBoxTest::startSysInfo_data() {
    QTest::addColumn<SysInfoCase>("run");
    const std::string longest(1023, 'p');
    QTest::newRow("PATH present: started unchanged, untested") << SysInfoCase{
        text(kPathValue), text(kFolder), {kPathValue, kFolderProgram}, false, {kPathValue}, {}, false, false};
    QTest::newRow("PATH names no program: the start fails") << SysInfoCase{
        text(kPathValue), text(kFolder), {kFolderProgram}, false, {kPathValue}, {}, true, false};
    QTest::newRow("PATH missing, program in the folder") << SysInfoCase{
        std::nullopt, text(kFolder), {kFolderProgram}, false, {kFolderProgram}, {kFolderProgram},
        false,        true};
    QTest::newRow("PATH missing, no program in the folder")
        << SysInfoCase{std::nullopt, text(kFolder), {}, false, {}, {kFolderProgram}, true, true};
    QTest::newRow("both missing") << SysInfoCase{std::nullopt, std::nullopt, {}, false, {}, {}, true, true};
    QTest::newRow("PATH of 1024 bytes with its zero, read whole")
        << SysInfoCase{text(longest), std::nullopt, {longest}, false, {longest}, {}, false, false};
    QTest::newRow("PATH of 1025 bytes: the folder is used") << SysInfoCase{text(longest + "q"),
                                                                           text(kFolder),
                                                                           {kFolderProgram},
                                                                           false,
                                                                           {kFolderProgram},
                                                                           {kFolderProgram},
                                                                           false,
                                                                           true};
    QTest::newRow("PATH without a terminating zero keeps every byte") << SysInfoCase{
        FakeValue{kRegSz, kPathValue}, std::nullopt, {kPathValue}, false, {kPathValue}, {}, false, false};
    QTest::newRow("PATH not text: empty result, the start fails")
        << SysInfoCase{FakeValue{kRegExpandSz, kPathValue + '\0'},
                       text(kFolder),
                       {kPathValue, kFolderProgram},
                       false,
                       {""},
                       {},
                       true,
                       false};
    QTest::newRow("PATH of no bytes: an error ends the lookup")
        << SysInfoCase{FakeValue{kRegSz, ""}, text(kFolder), {kFolderProgram}, false, {}, {}, true, false};
    QTest::newRow("write access refused: both count as missing") << SysInfoCase{
        text(kPathValue), text(kFolder), {kPathValue, kFolderProgram}, true, {}, {}, true, true};
}

void AboutBoxTest::startSysInfo() {
    QFETCH(SysInfoCase, run);
    FakeRegistry registry;
    if (run.path) registry.keys[kSysInfoPathKey][kSysInfoPathValue] = *run.path;
    if (run.folder) registry.keys[kSysInfoFolderKey][kSysInfoFolderValue] = *run.folder;
    registry.refuseWriteAccess = run.refuseWriteAccess;
    FakeLauncher launcher;
    launcher.files = run.files;
    std::vector<std::string> messages;

    const bool started =
        StartSysInfo(registry, launcher, [&](const std::string& message) { messages.push_back(message); });

    QCOMPARE(launcher.starts, run.starts);
    QCOMPARE(launcher.fileTests, run.fileTests);
    QCOMPARE(started, !run.message);
    QCOMPARE(messages,
             run.message ? std::vector<std::string>{kSysInfoUnavailable} : std::vector<std::string>{});
    std::vector<std::string> keysTried{kSysInfoPathKey};
    if (run.secondKeyTried) keysTried.push_back(kSysInfoFolderKey);
    QCOMPARE(registry.openedKeys, keysTried);
    QCOMPARE(registry.accessAsked, std::set<RegAccess>{0x2003F});
    QVERIFY(registry.openHandles.empty());
}

void AboutBoxTest::texts_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << "lblTitle"
                           << "Quiltane";
    QTest::newRow("version") << "lblVersion"
                             << "Version 0.2.16";
    QTest::newRow("description")
        << "lblDescription"
        << "This program makes it fairly easy to copy portions from one Domovia skin to "
           "another Domovia skin. Good for modifying skins you sort of like, but aren't "
           "quite what you are looking for. ";
    QTest::newRow("disclaimer")
        << "lblDisclaimer"
        << "Warning: Be sure to reduce the color depth of the skin you modified back down "
           "to 8 bit (256 colors). Also, if you modify someone else's skins, do not "
           "redistribute them without their permission. ";
    QTest::newRow("OK") << "cmdOK"
                        << "OK";
    QTest::newRow("System Info") << "cmdSysInfo"
                                 << "&System Info...";
}

void AboutBoxTest::texts() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    Fakes fakes;
    AboutBox box(nullptr, fakes.services());
    QCOMPARE(box.objectName(), QString("frmAbout"));
    QCOMPARE(box.windowTitle(), QString("About Quiltane"));
    QWidget* widget = box.findChild<QWidget*>(control);
    QVERIFY(widget);
    if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), text);
    QVERIFY(!box.findChild<QLabel*>("lblTitlex")->text().isEmpty());
    const QPixmap icon = box.findChild<QLabel*>("picIcon")->pixmap();
    QCOMPARE(icon.size(), QSize(32, 32));
}

void AboutBoxTest::layout_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");
    // The stored twips divided by 15.
    QTest::newRow("picIcon") << "picIcon" << QRect(16, 16, 36, 36);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(288, 216, 84, 23);
    QTest::newRow("cmdSysInfo") << "cmdSysInfo" << QRect(288, 240, 83, 23);
    QTest::newRow("lblTitle") << "lblTitle" << QRect(72, 56, 265, 33);
    QTest::newRow("lblDescription") << "lblDescription" << QRect(72, 120, 259, 78);
    QTest::newRow("lblTitlex") << "lblTitlex" << QRect(70, 8, 259, 40);
    QTest::newRow("lblVersion") << "lblVersion" << QRect(72, 96, 259, 15);
    QTest::newRow("lblDisclaimer") << "lblDisclaimer" << QRect(17, 216, 258, 55);
}

void AboutBoxTest::layout() {
    QFETCH(QString, control);
    QFETCH(QRect, place);
    Fakes fakes;
    AboutBox box(nullptr, fakes.services());
    QCOMPARE(box.findChild<QWidget*>(control)->geometry(), place);
    QCOMPARE(box.minimumSize(), QSize(382, 279));
    QCOMPARE(box.maximumSize(), QSize(382, 279));
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

void AboutBoxTest::textsFitTheirControls() {
    Fakes fakes;
    AboutBox box(nullptr, fakes.services());
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                               Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= label->height(), qPrintable(label->objectName()));
    }
    for (const QPushButton* button : box.findChildren<QPushButton*>()) {
        const int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
        QVERIFY2(needed + 8 <= button->width(), qPrintable(button->objectName()));
    }
}

void AboutBoxTest::keysClose_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("onTheOtherButton");
    QTest::newRow("Enter") << int(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << false;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
    QTest::newRow("Esc with System Info focused") << int(Qt::Key_Escape) << true;
}

void AboutBoxTest::keysClose() {
    QFETCH(int, key);
    QFETCH(bool, onTheOtherButton);
    Fakes fakes;
    AboutBox box(nullptr, fakes.services());
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    if (onTheOtherButton) box.findChild<QPushButton*>("cmdSysInfo")->setFocus();
    QWidget* focus = QApplication::focusWidget();
    QCOMPARE(focus,
             onTheOtherButton ? box.findChild<QWidget*>("cmdSysInfo") : box.findChild<QWidget*>("cmdOK"));
    QTest::keyClick(focus, Qt::Key(key));
    QVERIFY(!box.isVisible());
    QVERIFY(fakes.messages.empty());
    QVERIFY(fakes.registry->openedKeys.empty());
}

void AboutBoxTest::systemInfoButtonKeepsTheBoxOpen() {
    Fakes fakes;
    AboutBox box(nullptr, fakes.services());
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));

    // Alt+S with nothing in the registry: the message over the box, which stays open.
    // The access key presses the button the animated way, a moment later.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(fakes.messages.size(), std::size_t(1));
    QCOMPARE(fakes.messages[0].first, &box);
    QCOMPARE(fakes.messages[0].second, QString("System Information Is Unavailable At This Time"));
    QVERIFY(box.isVisible());

    // With the tool in place: it is started, no message, and the box stays open.
    fakes.registry->keys[kSysInfoPathKey][kSysInfoPathValue] = text(kPathValue);
    fakes.launcher->files.insert(kPathValue);
    QTest::mouseClick(box.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    QCOMPARE(fakes.launcher->starts, std::vector<std::string>{kPathValue});
    QCOMPARE(fakes.messages.size(), std::size_t(1));
    QVERIFY(box.isVisible());

    QTest::mouseClick(box.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

// Shown twice from the window's entry point: each time a fresh, modal box with the same texts,
// gone when the call returns.
void AboutBoxTest::loadedAnewEachTime() {
    QWidget window;
    window.show();
    for (int showing = 0; showing < 2; ++showing) {
        QStringList seen;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box) return;
            seen << box->objectName() << box->windowTitle() << box->findChild<QLabel*>("lblTitle")->text()
                 << box->findChild<QLabel*>("lblVersion")->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        showAboutBox(&window);
        QCOMPARE(seen, QStringList({"frmAbout", "About Quiltane", "Quiltane", "Version 0.2.16"}));
        QVERIFY(window.findChildren<AboutBox*>().isEmpty());
    }
}

// The real message: the application title as its caption, one OK button, no icon.
void AboutBoxTest::unavailableMessageBox() {
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen << box->windowTitle() << box->text() << QString::number(box->buttons().size())
             << QString::number(box->standardButtons()) << QString::number(box->icon());
        QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
    });
    wineSystemInfoServices().showMessage(nullptr, "System Information Is Unavailable At This Time");
    QCOMPARE(seen, QStringList({"Quiltane", "System Information Is Unavailable At This Time", "1",
                                QString::number(QMessageBox::Ok), QString::number(QMessageBox::NoIcon)}));
}

QTEST_MAIN(AboutBoxTest)
#include "about_box_test.moc"
