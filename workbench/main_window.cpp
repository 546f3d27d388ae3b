#include "workbench/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>

#include "platform/startup_folder.h"
#include "workbench/about/about_box.h"
#include "workbench/canvas_widget.h"
#include "workbench/classic_fonts.h"
#include "workbench/control_builder.h"
#include "workbench/file_lists.h"
#include "workbench/message_box.h"
#include "workbench/panes.h"
#include "workbench/save_dialog.h"

namespace workbench {
namespace {

// The client area: 10515 x 8595 twips.
constexpr QSize kClientSize(701, 573);

// Tab indexes of the canvases; the lists take the free places between them.
constexpr int kPicSourceTab = 0;
constexpr int kDir1Tab = 1;
constexpr int kFilMainTab = 2;
constexpr int kPicTargetTab = 3;
constexpr int kDirTwoTab = 4;
constexpr int kFilTwoTab = 5;

} // namespace

MainWindow::MainWindow() {
    platform::enterStartupFolder(); // `Form_Initialize`
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quiltane "));
    setFont(defaultFont());
    resize(kClientSize);

    FocusOrder focusOrder;
    makeLabel(this, "Label1", "Source", {5400, 0, 2655, 375}, stamps::FontSpec{"MS Sans Serif", 13.5, true});
    makeLabel(this, "Label2", "Destination", {5400, 4320, 2655, 255},
              stamps::FontSpec{"MS Sans Serif", 9.75, true});
    m_lblY1 = makeLabel(this, "lblY1", m_workspace.marker.lastCaption(), {8040, 4320, 375, 255});
    m_lblY2 = makeLabel(this, "lblY2", m_workspace.marker.previousCaption(), {8640, 4320, 495, 255});

    m_picSource = new CanvasWidget(m_workspace.picSource, this);
    m_picSource->setObjectName(QStringLiteral("picSource"));
    m_picSource->setGeometry(pixelRect({5400, 360, 3900, 3900}));
    m_picSource->setToolTip(QStringLiteral("This is the picture you are copying from..."));
    m_picTarget = new CanvasWidget(m_workspace.picTarget, this);
    m_picTarget->setObjectName(QStringLiteral("picTarget"));
    m_picTarget->setGeometry(pixelRect({5400, 4680, 3900, 3900}));
    m_picTarget->setToolTip(QStringLiteral("This is the picture you are working on..."));
    connect(m_picTarget, &CanvasWidget::mouseDown, this,
            [this](Qt::MouseButton, double, double y) { markRow(y); });
    connect(m_picTarget, &CanvasWidget::doubleClicked, this, &MainWindow::openSaveDialog);

    Panes::Hooks hooks;
    hooks.canvasLoaded = [this](stamps::CanvasId) { showCanvases(); };
    hooks.proposeSaveName = [this](const QString& name) { ensureSaveDialog().setName(name); };
    m_panes = new Panes(this, m_workspace, std::move(hooks));

    buildButtons(
        this, [this](const stamps::ButtonSpec& button) { runRow(button); }, focusOrder);
    focusOrder.add(kPicSourceTab, m_picSource);
    focusOrder.add(kDir1Tab, m_panes->folderList(Pane::Source));
    focusOrder.add(kFilMainTab, m_panes->fileList(Pane::Source));
    focusOrder.add(kPicTargetTab, m_picTarget);
    focusOrder.add(kDirTwoTab, m_panes->folderList(Pane::Destination));
    focusOrder.add(kFilTwoTab, m_panes->fileList(Pane::Destination));
    focusOrder.apply();

    platform::enterStartupFolder(); // `Form_Load`
}

MainWindow::~MainWindow() = default;

void MainWindow::showCentred() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void MainWindow::runRow(const stamps::ButtonSpec& button) {
    if (stamps::isStamp(button)) {
        const core::Status status = stamps::runButton(button, m_workspace);
        // Steps that ran before a failure stay painted, so show the canvases either way.
        showCanvases();
        if (!status) showMessage(this, QString::fromStdString(status.message()));
        return;
    }
    // The buttons that are not stamps work on the panes and dialogs.
    if (button.action == stamps::Action::DeleteSource) m_panes->deleteSelected(Pane::Source);
    if (button.action == stamps::Action::DeleteTarget) m_panes->deleteSelected(Pane::Destination);
    if (button.action == stamps::Action::About) showAboutBox(this);
}

void MainWindow::markRow(double y) {
    m_workspace.marker.mark(y);
    m_lblY1->setText(QString::fromStdString(m_workspace.marker.lastCaption()));
    m_lblY2->setText(QString::fromStdString(m_workspace.marker.previousCaption()));
}

SaveDialog& MainWindow::ensureSaveDialog() {
    if (!m_saveDialog) {
        m_saveDialog = new SaveDialog([this] { return m_workspace.picTarget.image(); }, this);
        connect(m_saveDialog, &SaveDialog::saved, m_panes, &Panes::refreshLists);
    }
    return *m_saveDialog;
}

void MainWindow::openSaveDialog() {
    ensureSaveDialog().showDialog();
}

void MainWindow::showCanvases() {
    m_picSource->update();
    m_picTarget->update();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Reaches the window from its empty surface and from the locked, greyed `FilTwo`.
    m_panes->releaseLock();
    event->accept();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The program ends at once; the save dialog goes with it, unsaved.
    event->accept();
    delete m_saveDialog;
    QCoreApplication::quit();
}

} // namespace workbench
