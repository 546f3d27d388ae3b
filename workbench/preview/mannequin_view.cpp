#include "workbench/preview/mannequin_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "preview/mannequin.h"
#include "preview/render.h"
#include "workbench/canvas_image.h"
#include "workbench/preview/facing.h"

namespace workbench {
namespace {

constexpr float kDegreesPerPixel = 0.5f;       // sideways drag: half a degree round the body per pixel
constexpr float kPitchDegreesPerPixel = 0.25f; // up and down drag
constexpr float kDegreesPerKey = 15;
constexpr float kZoomPerStep = 1.15f; // one wheel notch or one + or - key

} // namespace

MannequinView::MannequinView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    setMinimumSize(240, 300);
}

void MannequinView::setSkin(const core::Picture& skin) {
    m_skin = skin;
    invalidate();
}

void MannequinView::setBody(std::shared_ptr<const preview::Body> body) {
    m_body = std::move(body);
    invalidate();
}

void MannequinView::setView(const preview::View& view) {
    m_view = preview::clampedView(view);
    invalidate();
    emit viewChanged();
}

void MannequinView::face(float yaw) {
    setView({yaw, 0, m_view.zoom});
}

void MannequinView::invalidate() {
    m_stale = true;
    update();
}

const core::Picture& MannequinView::frame() {
    const qreal ratio = devicePixelRatioF();
    const int width = std::max(1, int(std::lround(this->width() * ratio)));
    const int height = std::max(1, int(std::lround(this->height() * ratio)));
    if (m_stale || m_frame.width() != width || m_frame.height() != height) {
        m_frame = preview::renderSkin(m_skin, m_view, width, height, m_body ? *m_body : preview::mannequin());
        m_image = pictureImage(m_frame);
        m_image.setDevicePixelRatio(ratio);
        m_stale = false;
    }
    return m_frame;
}

void MannequinView::paintEvent(QPaintEvent*) {
    frame();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_image);
}

void MannequinView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragging = true;
    m_dragFrom = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void MannequinView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) return;
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - m_dragFrom;
    m_dragFrom = at;
    // Dragging right turns the body's front towards the right; dragging down lifts the eye, as
    // if the top of the body were pulled towards the user.
    setView({m_view.yaw - moved.x() * kDegreesPerPixel, m_view.pitch + moved.y() * kPitchDegreesPerPixel,
             m_view.zoom});
    event->accept();
}

void MannequinView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragging = false;
    setCursor(Qt::OpenHandCursor);
    event->accept();
}

void MannequinView::wheelEvent(QWheelEvent* event) {
    const float steps = event->angleDelta().y() / 120.0f; // one notch is 120
    setView({m_view.yaw, m_view.pitch, m_view.zoom * std::pow(kZoomPerStep, steps)});
    event->accept();
}

void MannequinView::keyPressEvent(QKeyEvent* event) {
    for (const Facing& facing : kFacings)
        if (event->key() == facing.key) return face(facing.yaw);
    preview::View view = m_view;
    switch (event->key()) {
    case Qt::Key_Left:
        view.yaw += kDegreesPerKey;
        break;
    case Qt::Key_Right:
        view.yaw -= kDegreesPerKey;
        break;
    case Qt::Key_Up:
        view.pitch += kDegreesPerKey / 3;
        break;
    case Qt::Key_Down:
        view.pitch -= kDegreesPerKey / 3;
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        view.zoom *= kZoomPerStep;
        break;
    case Qt::Key_Minus:
        view.zoom /= kZoomPerStep;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    setView(view);
}

} // namespace workbench
