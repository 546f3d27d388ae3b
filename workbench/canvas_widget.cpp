#include "workbench/canvas_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "workbench/canvas_image.h"

namespace workbench {

CanvasWidget::CanvasWidget(const core::Canvas& canvas, QWidget* parent) : QFrame(parent), m_canvas(canvas) {
    // The classic sunken panel: two pixels, so 260 x 260 leaves the 256 x 256 client area.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.drawImage(contentsRect().topLeft(), canvasImage(m_canvas));
    }
    QFrame::paintEvent(event);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    // Canvas pixels count from the client area's corner; a press lies on a whole pixel. The
    // border is not part of the canvas.
    event->accept();
    if (!contentsRect().contains(event->position().toPoint())) return;
    const QPointF at = event->position() - contentsRect().topLeft();
    emit mouseDown(event->button(), std::floor(at.x()), std::floor(at.y()));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    event->accept();
}

} // namespace workbench
