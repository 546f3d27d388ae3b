#include "workbench/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include "platform/startup_folder.h"
#include "stamps/edits.h"
#include "workbench/about/about_box.h"
#include "workbench/canvas_widget.h"
#include "workbench/classic_fonts.h"
#include "workbench/control_builder.h"
#include "workbench/file_lists.h"
#include "workbench/form_layouts.h"
#include "workbench/message_box.h"
#include "workbench/panes.h"
#include "workbench/preview_window.h"
#include "workbench/save_as.h"
#include "workbench/save_dialog.h"
#include "workbench/status_line.h"

namespace workbench {

MainWindow::MainWindow() {
    platform::enterStartupFolder(); // `Form_Initialize`
    const FormSpec& layout = mainWindowLayout();
    setObjectName(qString(layout.name));
    setWindowTitle(qString(layout.title));
    setFont(defaultFont());
    // The classic client area, every control at its stored place, and the status line below it.
    const QSize classic = pixelRect(layout.client).size();
    m_status = makeStatusLine(this, classic);
    resize(classic.width(), classic.height() + m_status->height());

    makeLabel(this, layout.control("Label1"));
    makeLabel(this, layout.control("Label2"));
    // The row marker's labels show its captions, "Label8" and "Label9" at start.
    m_lblY1 = makeLabel(this, layout.control("lblY1"));
    m_lblY2 = makeLabel(this, layout.control("lblY2"));
    showMarkedRows();

    m_picSource = new CanvasWidget(m_workspace.picSource, this);
    placeControl(m_picSource, layout.control("picSource"));
    m_picTarget = new CanvasWidget(m_workspace.picTarget, this);
    placeControl(m_picTarget, layout.control("picTarget"));
    connect(m_picTarget, &CanvasWidget::mouseDown, this,
            [this](Qt::MouseButton, double, double y) { markRow(y); });
    connect(m_picTarget, &CanvasWidget::doubleClicked, this, &MainWindow::openSaveDialog);

    Panes::Hooks hooks;
    hooks.canvasLoaded = [this](stamps::CanvasId) { showCanvases(); };
    hooks.proposeSaveName = [this](const QString& name) { ensureSaveDialog().setName(name); };
    m_panes = new Panes(this, m_workspace, std::move(hooks));

    FocusOrder focusOrder;
    buildButtons(
        this, [this](const stamps::ButtonSpec& button) { runRow(button); }, focusOrder);
    focusOrder.addForm(this, layout);
    focusOrder.apply();
    connect(new QShortcut(Qt::Key_F3, this), &QShortcut::activated, this, &MainWindow::showPreview);

    auto* saveAsKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this);
    connect(saveAsKey, &QShortcut::activated, this, &MainWindow::saveAs);

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

void MainWindow::showStatus(const QString& text) {
    m_status->setText(text);
}

void MainWindow::saveAs() {
    if (const std::optional<QString> said = saveDestinationAs(this, m_workspace.picTarget)) {
        showStatus(*said);
        m_panes->refreshLists(); // the file may be in a folder a list shows
    }
}

void MainWindow::runRow(const stamps::ButtonSpec& button) {
    if (stamps::isStamp(button)) {
        const core::Status status = stamps::pressButton(button, m_workspace);
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
    showMarkedRows();
}

void MainWindow::showMarkedRows() {
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
    emit destinationChanged();
}

PreviewWindow* MainWindow::previewWindow() const {
    return m_preview;
}

void MainWindow::showPreview() {
    if (!m_preview) {
        m_preview = new PreviewWindow(m_workspace.picTarget, this);
        connect(this, &MainWindow::destinationChanged, m_preview, &PreviewWindow::showDestination);
    }
    m_preview->showBeside(this);
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
