#pragma once
// The main window `frmMain`: the program. It holds the workspace (both canvases and the row
// marker) for the whole run and every control at its fixed place; closing it ends the program.

#include <QPointer>
#include <QWidget>

#include "stamps/runner.h"
#include "workbench/save_dialog.h"

class QLabel;

namespace workbench {

class CanvasWidget;
class Panes;
class PreviewWindow;

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

  public slots:
    // Opens the preview window beside this one, or raises it (F3).
    void showPreview();

  signals:
    // The canvases were drawn anew after a stamp, a band copy or a load.
    void destinationChanged();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override; // `Form_DblClick`
    void closeEvent(QCloseEvent* event) override;            // `Form_Unload`

  private:
    void runRow(const stamps::ButtonSpec& button);
    void markRow(double y);         // `picTarget_MouseDown`
    void showMarkedRows();          // the row marker's captions in `lblY1` and `lblY2`
    void openSaveDialog();          // `picTarget_DblClick`
    void saveAs();                  // "Save Destination As…", Ctrl+Shift+S
    SaveDialog& ensureSaveDialog(); // created hidden on first need
    void showCanvases();

    stamps::Workspace m_workspace;
    CanvasWidget* m_picSource = nullptr;
    CanvasWidget* m_picTarget = nullptr;
    QLabel* m_lblY1 = nullptr;
    QLabel* m_lblY2 = nullptr;
    QLabel* m_status = nullptr; // the status line
    Panes* m_panes = nullptr;
    QPointer<SaveDialog> m_saveDialog;
    QPointer<PreviewWindow> m_preview;
};

} // namespace workbench
