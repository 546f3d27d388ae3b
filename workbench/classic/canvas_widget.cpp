#include "workbench/classic/canvas_widget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "workbench/canvas_image.h"

namespace workbench {

CanvasWidget::CanvasWidget(const core::Canvas& canvas, QWidget* parent) : QFrame(parent), m_canvas(canvas) {
    // The classic sunken panel: two pixels, so 260 x 260 leaves the 256 x 256 client area.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
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

void CanvasWidget::dragEnterEvent(QDragEnterEvent* event) {
    // Any drop of files is taken, also one that cannot be opened, so that the window can say why.
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CanvasWidget::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    emit dropped(event->mimeData()->urls());
}

} // namespace workbench
