#pragma once
// A canvas on screen: a sunken two-pixel border around a 256 x 256 client area that shows a
// core::Canvas's persistent image. The widget only shows the canvas and reports the mouse;
// the canvas itself belongs to the workspace. Files dropped on it are handed on unopened.

#include <QFrame>
#include <QList>
#include <QUrl>

#include "core/canvas.h"

namespace workbench {

class CanvasWidget : public QFrame {
    Q_OBJECT
  public:
    CanvasWidget(const core::Canvas& canvas, QWidget* parent);

  signals:
    // Any mouse button went down at (x, y), in canvas pixels.
    void mouseDown(Qt::MouseButton button, double x, double y);
    void doubleClicked();
    // Something that names files or folders was dropped on the canvas.
    void dropped(const QList<QUrl>& urls);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    const core::Canvas& m_canvas;
};

} // namespace workbench
