#pragma once
// The preview window `frmPreview`: the destination skin on the turning mannequin, the skin
// zoomed with its layout, and the seam check. Non-modal, beside the main window; it follows
// every change to the destination canvas.

#include <QPointF>
#include <QWidget>
#include <memory>
#include <vector>

#include "core/canvas.h"
#include "preview/body.h"
#include "preview/seams.h"

class QLabel;
class QScrollArea;
class QSpinBox;

namespace workbench {

class MannequinView;
class SeamList;
class ZoomView;

class PreviewWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows destination, which must outlive the window; parent is the main window.
    PreviewWindow(const core::Canvas& destination, QWidget* parent);
    ~PreviewWindow() override; // remembers where the window is, if shown

    // Shown and raised; the first time, where the user last put it if that place is still on a
    // screen, else beside the main window where the screen has room (the main window moving
    // aside when the screen holds both side by side but neither side of it holds this one).
    void showBeside(QWidget* mainWindow);
    // Writes the 3D view as shown to a PNG file; false (with a message) if it cannot.
    bool saveView(const QString& path);

    MannequinView& mannequin() const { return *m_mannequin; }
    ZoomView& zoom() const { return *m_zoom; }
    SeamList& seams() const { return *m_seams; }
    // The seam whose worst rows are marked, if any.
    const preview::SeamSpec* markedSeam() const { return m_markedSeam; }
    // The column of the skin: the zoom view, its controls and the seam list.
    QWidget* skinColumn() const { return m_skinColumn; }
    // Puts a tool bar (the retouching tools) at the top of the skin column, above the zoom view.
    void addAboveZoom(QWidget* bar);

    // Shows the skin on body, read from file (empty: the mannequin's), and says where it is not
    // the mannequin that the seam check is the mannequin's.
    void setBody(std::shared_ptr<const preview::Body> body, const QString& file);

  public slots:
    // The destination canvas changed: show it anew.
    void showDestination();

  protected:
    void hideEvent(QHideEvent* event) override; // remembers where the window is

  private:
    void place(QWidget* mainWindow);
    void rememberPlace() const;
    QWidget* makeViewColumn();
    QWidget* makeSkinColumn();
    void chooseSeam(const preview::SeamSpec& seam);
    void showMarks();
    void showPixel(int x, int y);
    // Zooms the view keeping the point at, in the scroll area's viewport pixels, where it is.
    void zoomAround(int zoom, QPointF at);
    void saveViewAs();

    const core::Canvas& m_destination;
    core::Picture m_skin;
    std::vector<preview::SeamScore> m_scores;
    const preview::SeamSpec* m_markedSeam = nullptr;
    MannequinView* m_mannequin = nullptr;
    ZoomView* m_zoom = nullptr;
    QWidget* m_skinColumn = nullptr;
    QScrollArea* m_zoomArea = nullptr;
    QSpinBox* m_zoomBox = nullptr; // `spnZoom`
    QLabel* m_pixel = nullptr;
    QLabel* m_bodyNote = nullptr; // `lblBody`: which body, where it is not the mannequin
    SeamList* m_seams = nullptr;
    bool m_placed = false; // set when first shown; later the window stays where the user put it
};

} // namespace workbench
