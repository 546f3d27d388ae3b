#pragma once
// The turning mannequin: shows a skin on the mannequin, or on another body, rendered in software
// at the screen's own pixel density. Drag to turn it (sideways round the body, up and down a
// little), the wheel to come closer; the arrow keys turn and tilt it, + and - zoom, and F, B, L
// and R face its front, back, left and right side.

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "core/picture.h"
#include "preview/body.h"
#include "preview/camera.h"

namespace workbench {

class MannequinView : public QWidget {
    Q_OBJECT
  public:
    explicit MannequinView(QWidget* parent = nullptr);

    void setSkin(const core::Picture& skin);
    // The body to show the skin on; null: the mannequin.
    void setBody(std::shared_ptr<const preview::Body> body);
    const preview::View& view() const { return m_view; }
    void setView(const preview::View& view);
    // Keeps the zoom, sets the yaw and levels the eye: 0 front, 90 left side, 180 back, 270 right.
    void face(float yaw);

    // The picture as shown now, rendered anew if the skin or the view changed since.
    const core::Picture& frame();

    QSize sizeHint() const override { return {420, 520}; }

  signals:
    void viewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void invalidate();

    core::Picture m_skin;
    std::shared_ptr<const preview::Body> m_body;
    preview::View m_view;
    core::Picture m_frame;
    QImage m_image;      // m_frame for drawing, at the screen's pixel density
    bool m_stale = true; // the skin, the view or the size changed since m_frame was rendered
    QPoint m_dragFrom;
    bool m_dragging = false;
};

} // namespace workbench
