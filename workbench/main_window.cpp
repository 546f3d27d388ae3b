#include "workbench/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "platform/startup_folder.h"
#include "stamps/edits.h"
#include "workbench/classic/canvas_widget.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/control_builder.h"
#include "workbench/classic/file_lists.h"
#include "workbench/classic/form_layouts.h"
#include "workbench/classic/panes.h"
#include "workbench/dialogs/about_box.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/dialogs/save_as.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/file_drop.h"
#include "workbench/outfits/outfit_tools.h"
#include "workbench/preview/body_choice.h"
#include "workbench/preview/preview_window.h"
#include "workbench/recent_files.h"
#include "workbench/retouch/retouch_bar.h"
#include "workbench/retouch/retouch_controller.h"
#include "workbench/shown_path.h"
#include "workbench/status_line.h"

namespace workbench {

MainWindow::MainWindow() {
    platform::enterStartupFolder(); // `Form_Initialize`
    const FormSpec& layout = mainWindowLayout();
    setObjectName(qString(layout.name));
    setWindowTitle(qString(layout.title));
    setFont(defaultFont());

    // The menu bar on top, the classic client area below it with every control at its stored
    // place, and the status line below that; the window is the three together.
    m_menu = buildMainMenu(this, [this](MenuCommand command) { runCommand(command); });
    const int menuHeight = m_menu.bar->sizeHint().height();
    const QRect classic(QPoint(0, menuHeight), pixelRect(layout.client).size());
    m_menu.bar->setGeometry(0, 0, classic.width(), menuHeight);
    m_classic = new QWidget(this);
    m_classic->setObjectName(QStringLiteral("classicArea"));
    m_classic->setGeometry(classic);
    m_status = new StatusLine(this, classic);
    resize(classic.width(), classic.bottom() + 1 + m_status->height());
    connect(m_menu.recent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    m_body = new BodyChoice(this);
    m_body->showIn(m_menu.action(MenuCommand::BodyMannequin), m_menu.action(MenuCommand::BodyFromFile));
    connect(m_body, &BodyChoice::said, this, &MainWindow::showStatus);
    m_outfits = new OutfitTools(m_workspace, this, [this](QWidget* window) { m_menu.shareKeys(window); });
    connect(m_outfits, &OutfitTools::edited, this, &MainWindow::showCanvases);
    connect(m_outfits, &OutfitTools::said, this, &MainWindow::showStatus);
    connect(this, &MainWindow::destinationChanged, m_outfits, &OutfitTools::destinationChanged);

    makeLabel(m_classic, layout.control("Label1"));
    makeLabel(m_classic, layout.control("Label2"));
    // The row marker's labels show its captions, "Label8" and "Label9" at start.
    m_lblY1 = makeLabel(m_classic, layout.control("lblY1"));
    m_lblY2 = makeLabel(m_classic, layout.control("lblY2"));
    showMarkedRows();

    m_picSource = new CanvasWidget(m_workspace.picSource, m_classic);
    placeControl(m_picSource, layout.control("picSource"));
    m_picTarget = new CanvasWidget(m_workspace.picTarget, m_classic);
    placeControl(m_picTarget, layout.control("picTarget"));
    connect(m_picTarget, &CanvasWidget::mouseDown, this,
            [this](Qt::MouseButton, double, double y) { markRow(y); });
    connect(m_picTarget, &CanvasWidget::doubleClicked, this, &MainWindow::openSaveDialog);
    connect(m_picSource, &CanvasWidget::dropped, this,
            [this](const QList<QUrl>& urls) { openDropped(Pane::Source, urls); });
    connect(m_picTarget, &CanvasWidget::dropped, this,
            [this](const QList<QUrl>& urls) { openDropped(Pane::Destination, urls); });

    Panes::Hooks hooks;
    hooks.canvasLoaded = [this](stamps::CanvasId canvas, const QString& path) { canvasLoaded(canvas, path); };
    hooks.tell = [this](const QString& text) { showStatus(text); };
    hooks.proposeSaveName = [this](const QString& name) { ensureSaveDialog().setName(name); };
    m_panes = new Panes(m_classic, m_workspace, std::move(hooks));

    FocusOrder focusOrder;
    buildButtons(
        m_classic, [this](const stamps::ButtonSpec& button) { runRow(button); }, focusOrder);
    focusOrder.addForm(m_classic, layout);
    focusOrder.apply();

    markDestinationSaved(); // the empty destination has nothing to save
    m_menu.showSteps({}, {});
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
    m_status->say(text);
}

void MainWindow::runCommand(MenuCommand command) {
    switch (command) {
    case MenuCommand::OpenSource:
        return openChosenFile(Pane::Source);
    case MenuCommand::OpenDestination:
        return openChosenFile(Pane::Destination);
    case MenuCommand::Save:
        save();
        return;
    case MenuCommand::SaveAs:
        saveAs();
        return;
    case MenuCommand::SaveClassic:
        return openSaveDialog();
    case MenuCommand::SaveTones:
        return m_outfits->showTones();
    case MenuCommand::Quit:
        close();
        return;
    case MenuCommand::Undo:
    case MenuCommand::Redo:
        return undoOrRedo(command);
    case MenuCommand::Preview:
        return showPreview();
    case MenuCommand::BodyMannequin:
        return m_body->useMannequin();
    case MenuCommand::BodyFromFile:
        return m_body->chooseFile(this);
    case MenuCommand::MyStamps:
        return m_outfits->showMyStamps();
    case MenuCommand::MaskFromBody:
        return m_outfits->showMaskFromBody();
    case MenuCommand::MaskFile:
        return m_outfits->pressFile(stamps::OwnKind::Mask);
    case MenuCommand::BodyFile:
        return m_outfits->pressFile(stamps::OwnKind::Body);
    case MenuCommand::About:
        return showAboutBox(this);
    }
}

bool MainWindow::save() {
    const stamps::FileOrigin* file = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget);
    if (!file) return saveAs();
    const stamps::FileOrigin back = *file; // the save renames the file, which file points into
    return keepSaved(saveDestinationTo(this, m_workspace, QFile::decodeName(back.path.c_str()), back.format));
}

bool MainWindow::saveAs() {
    // The dialog opens where the destination file came from, with its name, else on the
    // start-up folder with no name.
    const stamps::FileOrigin* file = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget);
    if (!file) return keepSaved(saveDestinationAs(this, m_workspace, QDir::currentPath()));
    const QFileInfo from(QFile::decodeName(file->path.c_str()));
    return keepSaved(saveDestinationAs(this, m_workspace, from.absolutePath(), from.fileName()));
}

bool MainWindow::keepSaved(const std::optional<SavedAs>& saved) {
    if (!saved) return false;
    stamps::setFileOf(m_workspace, stamps::CanvasId::picTarget,
                      {QFile::encodeName(saved->path).toStdString(), saved->format});
    markDestinationSaved();
    showStatus(saved->said);
    m_panes->destinationSaved();
    showFiles();
    m_panes->refreshLists(); // the file may be in a folder a list shows
    return true;
}

void MainWindow::undoOrRedo(MenuCommand command) {
    const bool undo = command == MenuCommand::Undo;
    const stamps::History& history = m_workspace.history;
    const QString step = QString::fromStdString(undo ? history.undoName() : history.redoName());
    const bool done = undo ? stamps::undo(m_workspace) : stamps::redo(m_workspace);
    showCanvases();
    if (done)
        showStatus((undo ? QStringLiteral("Undid ") : QStringLiteral("Redid ")) + step);
    else if (undo)
        showStatus(
            QStringLiteral("Nothing to undo: %1.").arg(QString::fromStdString(history.whyNothingToUndo())));
    else
        showStatus(QStringLiteral("Nothing to redo."));
}

void MainWindow::openChosenFile(Pane pane) {
    const QString path =
        chooseFileToOpen(this, qString(sideOf(pane).openTitle), m_panes->folderList(pane)->folder());
    if (!path.isEmpty()) m_panes->openFile(pane, path);
}

void MainWindow::openDropped(Pane pane, const QList<QUrl>& urls) {
    const DroppedFile file = droppedFile(urls);
    if (file.path.isEmpty())
        showStatus(file.refusal);
    else
        m_panes->openFile(pane, file.path);
}

void MainWindow::canvasLoaded(stamps::CanvasId canvas, const QString& path) {
    rememberRecentFile({path, canvas});
    // A file just loaded holds what the canvas shows, and an earlier failure no longer applies.
    if (canvas == stamps::CanvasId::picTarget) markDestinationSaved();
    showStatus({});
    showCanvases();
}

void MainWindow::fillRecentMenu() {
    QMenu* menu = m_menu.recent;
    menu->clear();
    const QList<RecentFile> files = recentFiles();
    if (files.isEmpty()) menu->addAction(QStringLiteral("No files opened yet"))->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        const RecentFile& file = files[i];
        const QString side = qString(sideOf(file.canvas).word);
        // "&1 /skins/skin.bmp (destination)"; ampersands in the path are shown, not mnemonics.
        QString path = QDir::toNativeSeparators(file.path);
        path.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QStringLiteral("&%1 %2 (%3)").arg(i + 1 == 10 ? 0 : i + 1).arg(path, side);
        connect(menu->addAction(text), &QAction::triggered, this, [this, file] { openRecent(file); });
    }
}

void MainWindow::openRecent(const RecentFile& file) {
    if (m_panes->openFile(sideOf(file.canvas).pane, file.path)) return;
    // A file that fails to open but is still there stays on the list: it may open another time.
    if (QFileInfo::exists(file.path)) return;
    forgetRecentFile(file.path);
    showStatus(QStringLiteral("Cannot open %1: it no longer exists, and is taken off Open Recent.")
                   .arg(shownPath(file.path)));
}

void MainWindow::markDestinationSaved() {
    m_savedRevision = m_workspace.picTarget.revision();
}

bool MainWindow::destinationHasChanges() const {
    // Undo back to the saved state gives the canvas that state's revision again.
    return m_workspace.picTarget.revision() != m_savedRevision;
}

void MainWindow::runRow(const stamps::ButtonSpec& button) {
    if (stamps::isStamp(button)) {
        const core::Status status = stamps::pressButton(button, m_workspace);
        // Steps that ran before a failure stay painted, so show the canvases either way.
        showCanvases();
        // The line names the stamp, as Undo does; a failure is told in a box instead.
        showStatus(status ? qString(button.caption) : QString());
        if (!status) showMessage(this, QString::fromStdString(status.message()));
        return;
    }
    // The buttons that are not stamps work on the panes and dialogs.
    for (const PaneSide& side : paneSides())
        if (button.action == side.deletes) m_panes->deleteSelected(side.pane);
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
        m_saveDialog = new SaveDialog(m_workspace, this);
        connect(m_saveDialog, &SaveDialog::saved, this, [this](const SavedAs& saved) { keepSaved(saved); });
        m_menu.shareKeys(m_saveDialog);
    }
    return *m_saveDialog;
}

void MainWindow::openSaveDialog() {
    ensureSaveDialog().showDialog();
}

void MainWindow::showCanvases() {
    m_picSource->update();
    m_picTarget->update();
    // Every change of the canvases is a step done, undone or redone, or one that emptied the
    // history: Undo and Redo show what they would do now.
    m_menu.showSteps(m_workspace.history.undoName(), m_workspace.history.redoName());
    showFiles();
    emit destinationChanged();
}

void MainWindow::showFiles() {
    const stamps::FileOrigin* file = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget);
    setWindowTitle(file ? QFile::decodeName(file->path.c_str()) : qString(mainWindowLayout().title));
    m_panes->showFiles();
}

PreviewWindow* MainWindow::previewWindow() const {
    return m_preview;
}

void MainWindow::showPreview() {
    if (!m_preview) {
        m_preview = new PreviewWindow(m_workspace.picTarget, this);
        connect(this, &MainWindow::destinationChanged, m_preview, &PreviewWindow::showDestination);
        const auto showBody = [this] {
            const auto body = m_body->body(); // reads a remembered file the first time
            m_preview->setBody(body, m_body->file());
        };
        connect(m_body, &BodyChoice::changed, m_preview, showBody);
        showBody();
        // Retouching in the zoom view: each edit shows on the canvases and names its step in
        // the Edit menu, whose keys (Undo and Redo among them) work in the preview too.
        RetouchController& retouching = addRetouching(*m_preview, m_workspace);
        connect(&retouching, &RetouchController::edited, this, &MainWindow::showCanvases);
        m_menu.shareKeys(m_preview);
    }
    m_preview->showBeside(this);
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    // Reaches the window from its empty surface and from the locked, greyed `FilTwo`.
    m_panes->releaseLock();
    event->accept();
}

bool MainWindow::mayClose() {
    if (!destinationHasChanges()) return true;
    switch (askToSaveChanges(this)) {
    case UnsavedAnswer::Save:
        return save();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        return false;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    // The program ends; the save dialog goes with it.
    event->accept();
    delete m_saveDialog;
    QCoreApplication::quit();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    // The menu bar and the status line run across the window; the classic controls never move.
    m_menu.bar->resize(std::max(width(), m_classic->width()), m_menu.bar->height());
    m_status->resize(std::max(width(), m_classic->width()), m_status->height());
    QWidget::resizeEvent(event);
}

} // namespace workbench
