#include "workbench/dialogs/about_box.h"

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
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/control_builder.h"
#include "workbench/classic/form_layouts.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/program_launcher_wine.h"
#include "workbench/version.h"

namespace workbench {
namespace {

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
    const FormSpec& layout = aboutBoxLayout();
    setObjectName(qString(layout.name));
    setFont(defaultFont());
    setWindowModality(Qt::ApplicationModal);

    auto* picIcon = new QLabel(this);
    placeControl(picIcon, layout.control("picIcon"));
    picIcon->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon->setLineWidth(2);
    picIcon->setPixmap(appIcon().pixmap(32, 32));
    auto* cmdOK = makeButton(this, layout.control("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = makeButton(this, layout.control("cmdSysInfo"));
    for (const char* name : {"lblTitle", "lblDescription", "lblTitlex", "lblVersion", "lblDisclaimer"})
        makeLabel(this, layout.control(name));
    FocusOrder focusOrder;
    focusOrder.addForm(this, layout);
    focusOrder.apply();

    connect(cmdOK, &QPushButton::clicked, this, &AboutBox::unload);
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutBox::showSystemInfo);

    const QRect client = pixelRect(layout.client);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QPoint screenCorner = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(client.translated(screenCorner));
    setFixedSize(client.size());
    fillTexts();
    cmdOK->setFocus();
}

void AboutBox::fillTexts() {
    setWindowTitle(QStringLiteral("About ") + kApplicationTitle);
    findChild<QLabel*>("lblVersion")->setText(QLatin1String(kVersionLine));
    findChild<QLabel*>("lblTitle")->setText(kApplicationTitle);
}

void AboutBox::unload() {
    accept();
}

void AboutBox::showSystemInfo() {
    platform::startSysInfo(*m_services.registry, *m_services.launcher, [this](const std::string& text) {
        m_services.showMessage(this, QString::fromStdString(text));
    });
}

void AboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const LineSpec& line : aboutBoxLayout().lines) {
        const QPoint from = pixelPoint(line.x1, line.y1);
        const QPoint to = pixelPoint(line.x2, line.y2) + QPoint(0, line.width - 1);
        painter.fillRect(QRect(from, to), QColor(line.colour.r, line.colour.g, line.colour.b));
    }
}

void showAboutBox(QWidget* parent) {
    AboutBox box(parent);
    box.exec();
}

} // namespace workbench
