#pragma once
// Retouching in the preview's zoom view: what the mouse does on the skin with the chosen tool,
// the commands of the tool bar and their keys, and the state they share (the colours, the last
// colours used, the pencil's size, the tolerance, the selection, the pixels copied). Every edit
// goes to the workspace's destination as one step of its history (stamps/retouch.h), and
// edited() tells the window to show it: the classic canvas, the 3D view and the seam list
// follow while the user works.

#include <QObject>
#include <QPointer>
#include <deque>
#include <optional>

#include "core/retouch/raster.h"
#include "stamps/retouch.h"
#include "workbench/retouch/retouch_table.h"

namespace workbench {

class PreviewWindow;
class SelectionOverlay;

class RetouchController : public QObject {
    Q_OBJECT
  public:
    static constexpr int kRecentColours = 8;

    // Works on the workspace's destination in the preview's zoom view; both outlive it.
    RetouchController(stamps::Workspace& workspace, PreviewWindow& preview, QObject* parent);

    RetouchTool tool() const { return m_tool; }
    void setTool(RetouchTool tool);
    core::Rgb colour() const { return m_colour; }
    core::Rgb secondColour() const { return m_secondColour; }
    void setColour(core::Rgb colour);
    void setSecondColour(core::Rgb colour);
    // The colours painted with last, the latest first, each once.
    const std::deque<core::Rgb>& recentColours() const { return m_recent; }
    int pencilSize() const { return m_pencilSize; }
    void setPencilSize(int size);
    double tolerance() const { return m_tolerance; }
    void setTolerance(double tolerance);
    int blendWidth() const { return m_blendWidth; }
    void setBlendWidth(int width);
    core::retouch::Rect selection() const { return m_selection; }
    void setSelection(const core::retouch::Rect& selection);
    // Pixels pasted and not yet placed: they follow the pointer and land where it clicks.
    bool isPasting() const { return m_floating.has_value(); }

    void run(RetouchCommand command);
    // Whether the command can run now (a seam chosen to blend, a selection to copy).
    bool canRun(RetouchCommand command) const;

  signals:
    // The destination changed: a dab, a step, a retouch shown live or given up.
    void edited();
    // The tool, the colours, the size or the selection changed: the tool bar shows them anew.
    void stateChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The skin pixel under a place of the zoom view (which may lie off the skin).
    core::retouch::Point pixelAt(QPointF place) const;
    void press(core::retouch::Point at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void drag(core::retouch::Point at);
    void release();

    // One edit as one step, its failure shown.
    void retouch(std::string_view name, const stamps::PixelEdit& edit);
    // The stroke's parts and end; a failure ends the stroke.
    void paint(const stamps::PixelEdit& edit);
    void endStroke(std::string_view name);
    void pick(core::retouch::Point at, Qt::MouseButton button);
    void used(core::Rgb colour);
    core::retouch::Raster destination() const;
    void showSelection();
    void recolour();
    void tell(const core::Status& status);

    stamps::Workspace& m_workspace;
    PreviewWindow& m_preview;
    QPointer<SelectionOverlay> m_overlay;
    RetouchTool m_tool = RetouchTool::Pencil;
    core::Rgb m_colour{0, 0, 0}, m_secondColour{255, 255, 255};
    std::deque<core::Rgb> m_recent;
    int m_pencilSize = 1;
    double m_tolerance = 0;
    int m_blendWidth;
    core::retouch::Rect m_selection;
    std::optional<core::retouch::Raster> m_clipboard;

    // What the mouse is doing between press and release.
    // Recolouring: the recolour dialog is open, showing its shift as a stroke.
    enum class Gesture { None, Stroke, Selecting, Moving, Recolouring };
    Gesture m_gesture = Gesture::None;
    core::Rgb m_strokeColour;
    std::optional<core::retouch::Point> m_lastPoint; // the pencil's, for Shift+click lines
    core::retouch::Point m_anchor;                   // where a selection or a move began
    std::optional<core::retouch::Raster> m_before;   // the destination as a move began
    std::optional<core::retouch::Raster> m_lifted;   // the pixels a move carries
    core::retouch::Point m_movedTo;                  // where they lie now
    std::optional<core::retouch::Raster> m_floating; // pixels pasted, not yet placed
    core::retouch::Point m_floatingAt;
};

} // namespace workbench
