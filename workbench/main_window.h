#pragma once
// The main window `frmMain`: the program. It holds the workspace (both canvases and the row
// marker) for the whole run and every control at its fixed place in the classic client area;
// a menu bar lies above that area and a status line below it. Closing the window ends the
// program, after asking whether to save a destination that has changed.

#include <QList>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "stamps/workspace.h"
#include "workbench/dialogs/save_dialog.h"
#include "workbench/main_menu.h"

class QLabel;

namespace workbench {

class BodyChoice;
class CanvasWidget;
class OutfitTools;
class Panes;
class PreviewWindow;
class StatusLine;
struct RecentFile;
struct SavedAs;
enum class Pane;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // Enters the start-up folder, builds the controls, enters it once more; shown by the caller.
    MainWindow();
    ~MainWindow() override;

    stamps::Workspace& workspace() { return m_workspace; }
    Panes& panes() { return *m_panes; }
    // The save dialog if it exists now (it is destroyed by its close button).
    SaveDialog* saveDialog() const { return m_saveDialog; }
    // Shows the window centred on the screen.
    void showCentred();
    // Says text in the status line below the classic controls, until something else is said.
    void showStatus(const QString& text);
    // The preview window if it has been opened.
    PreviewWindow* previewWindow() const;
    // Whether the destination has changed since it was last loaded or saved.
    bool destinationHasChanges() const;
    // The "My Stamps" window, the mask from a bare body and every tone (the Outfit menu).
    OutfitTools& outfits() { return *m_outfits; }

  public slots:
    // Opens the preview window beside this one, or raises it (F3).
    void showPreview();

  signals:
    // The canvases were drawn anew after a stamp, a band copy or a load.
    void destinationChanged();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override; // `Form_DblClick`
    void closeEvent(QCloseEvent* event) override;            // `Form_Unload`
    void resizeEvent(QResizeEvent* event) override;

  private:
    void runRow(const stamps::ButtonSpec& button);
    void runCommand(MenuCommand command); // the menu bar's commands
    void markRow(double y);               // `picTarget_MouseDown`
    void showMarkedRows();                // the row marker's captions in `lblY1` and `lblY2`
    void openSaveDialog();                // `picTarget_DblClick`, "Save in the Classic Dialog…"
    // "Save Destination", Ctrl+S: the destination saved back to the file it came from, in that
    // file's format; with no such file, as Save As. True once it is saved.
    bool save();
    bool saveAs(); // "Save Destination As…", Ctrl+Shift+S; true once it is saved
    // The destination comes from the file saved (or from nothing, when saved is empty) from
    // now on, and says so; true when a file was saved.
    bool keepSaved(const std::optional<SavedAs>& saved);
    void undoOrRedo(MenuCommand command);
    SaveDialog& ensureSaveDialog(); // created hidden on first need
    void showCanvases();
    // The title names the destination's file, the file the next save writes, else the
    // window's own title; the panes show what follows the files.
    void showFiles();
    // A file of the pane's kind picked in the platform's file dialog, opened as from the pane.
    void openChosenFile(Pane pane);
    void openDropped(Pane pane, const QList<QUrl>& urls);
    void canvasLoaded(stamps::CanvasId canvas, const QString& path);
    void fillRecentMenu();
    // Opens an entry of Open Recent; one whose file no longer exists is taken off the list.
    void openRecent(const RecentFile& file);
    // The destination as it is now counts as saved.
    void markDestinationSaved();
    // Whether the window may close: asks when the destination has changed, and saves as
    // Ctrl+S does when the user says so.
    bool mayClose();

    stamps::Workspace m_workspace;
    MainMenu m_menu;
    QWidget* m_classic = nullptr; // the classic client area, 701 x 573, below the menu bar
    CanvasWidget* m_picSource = nullptr;
    CanvasWidget* m_picTarget = nullptr;
    QLabel* m_lblY1 = nullptr;
    QLabel* m_lblY2 = nullptr;
    StatusLine* m_status = nullptr;
    Panes* m_panes = nullptr;
    QPointer<SaveDialog> m_saveDialog;
    QPointer<PreviewWindow> m_preview;
    BodyChoice* m_body = nullptr; // the body the preview shows, View → Body
    OutfitTools* m_outfits = nullptr;
    std::uint64_t m_savedRevision = 0; // the destination's when it was last loaded or saved
};

} // namespace workbench
