#include "workbench/about/about_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "platform/system_info.h"
#include "platform/wine_prefix.h"
#include "platform/wine_registry.h"
#include "workbench/app_icon.h"
#include "workbench/classic_fonts.h"
#include "workbench/message_box.h"
#include "workbench/program_launcher_wine.h"

namespace workbench {
namespace {

// The version the box shows as "Version major.minor.revision".
constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 2;
constexpr int kVersionRevision = 16;

// Positions below are pixels: the stored layout's twips divided by 15.
constexpr QRect kClientArea(156, 129, 382, 279);

// The separator between the description above and the disclaimer and buttons below.
constexpr int kSeparatorY = 208;
constexpr int kSeparatorLeft = 8;
constexpr int kGreyLineRight = 379;
constexpr int kWhiteLineRight = 378;

const QString kDescription = QStringLiteral(
    "This program makes it fairly easy to copy portions from one Domovia skin to another Domovia "
    "skin. Good for modifying skins you sort of like, but aren't quite what you are looking for. ");
const QString kDisclaimer = QStringLiteral(
    "Warning: Be sure to reduce the color depth of the skin you modified back down to 8 bit (256 "
    "colors). Also, if you modify someone else's skins, do not redistribute them without their "
    "permission. ");
const QString kTitleLine = QStringLiteral("Quiltane: the skin copy and cut tool for Domovia");

QLabel* makeLabel(QWidget* box, const char* name, const QRect& place, const QString& text = {}) {
    auto* label = new QLabel(text, box);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void makeBlack(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

QPushButton* makeButton(QWidget* box, const char* name, const QRect& place, const QString& caption) {
    auto* button = new QPushButton(caption, box);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}

void showPlainMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

SystemInfoServices wineSystemInfoServices() {
    const std::filesystem::path prefix = platform::winePrefix();
    return {std::make_shared<platform::WineRegistry>(prefix), std::make_shared<WineProgramLauncher>(prefix),
            showPlainMessage};
}

AboutBox::AboutBox(QWidget* parent, SystemInfoServices services)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_services(std::move(services)) {
    setObjectName("frmAbout");
    setFont(defaultFont());
    setWindowModality(Qt::ApplicationModal);

    // Made in the layout's tab order, so that Tab goes from "OK" to "System Info...".
    auto* cmdOK = makeButton(this, "cmdOK", {288, 216, 84, 23}, QStringLiteral("OK"));
    cmdOK->setDefault(true);
    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    picIcon->setGeometry(16, 16, 36, 36);
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setPixmap(appIcon().pixmap(32, 32));
    auto* cmdSysInfo = makeButton(this, "cmdSysInfo", {288, 240, 83, 23}, QStringLiteral("&System Info..."));
    makeBlack(makeLabel(this, "lblDisclaimer", {17, 216, 258, 55}, kDisclaimer));
    makeBlack(makeLabel(this, "lblDescription", {72, 120, 259, 78}, kDescription));
    makeBlack(makeLabel(this, "lblTitlex", {70, 8, 259, 40}, kTitleLine));
    makeLabel(this, "lblVersion", {72, 96, 259, 15});
    makeLabel(this, "lblTitle", {72, 56, 265, 33});

    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QPoint screenCorner = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(kClientArea.translated(screenCorner));
    setFixedSize(kClientArea.size());
    Form_Load();
    cmdOK->setFocus();
}

void AboutBox::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
    findChild<QLabel*>("lblVersion")
        ->setText(
            QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    findChild<QLabel*>("lblTitle")->setText(kApplicationTitle);
}

void AboutBox::cmdOK_Click() {
    accept();
}

void AboutBox::cmdSysInfo_Click() {
    platform::startSysInfo(*m_services.registry, *m_services.launcher, [this](const std::string& text) {
        m_services.showMessage(this, QString::fromStdString(text));
    });
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    // The white line, two pixels wide, shows just below the grey one: an etched separator.
    painter.fillRect(QRect(QPoint(kSeparatorLeft, kSeparatorY), QPoint(kWhiteLineRight, kSeparatorY + 1)),
                     Qt::white);
    painter.fillRect(QRect(QPoint(kSeparatorLeft, kSeparatorY), QPoint(kGreyLineRight, kSeparatorY)),
                     QColor(128, 128, 128));
}

void showAboutBox(QWidget* parent) {
    AboutBox box(parent);
    box.exec();
}

} // namespace workbench
