// The About box: its texts and layout, how it closes, and the "System Info" button run
// against a fake registry and a fake program starter (the lookup's own cases are tested
// without Qt in tests/platform).

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/system_info.h"
#include "tests/platform/fake_platform.h"
#include "workbench/dialogs/about_box.h"

using namespace workbench;

namespace {

const std::string kPathValue = "C:\\Tools\\msinfo32.exe";

struct Fakes {
    std::shared_ptr<fake::Registry> registry = std::make_shared<fake::Registry>();
    std::shared_ptr<fake::Launcher> launcher = std::make_shared<fake::Launcher>();
    std::vector<std::pair<QWidget*, QString>> messages;

    SystemInfoServices services() {
        return {registry, launcher,
                [this](QWidget* parent, const QString& text) { messages.emplace_back(parent, text); }};
    }
};

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
  private slots:
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
    fakes.registry->keys[platform::kSysInfoPathKey][platform::kSysInfoPathValue] = fake::text(kPathValue);
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
