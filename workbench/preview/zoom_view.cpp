#include "workbench/preview/zoom_view.h"

#include <QMouseEvent>
#include <QMoveEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "preview/skin_layout.h"
#include "workbench/canvas_image.h"

namespace workbench {
namespace {

const QColor kGridColour(0, 0, 0, 70);
const QColor kLayoutColour(255, 220, 0);
const QColor kMarkColour(preview::kMarkColour.r, preview::kMarkColour.g, preview::kMarkColour.b);
constexpr int kMarkPen = 2;     // widget pixels
constexpr int kWheelStep = 120; // eighths of a degree: one notch of a wheel, one zoom step

} // namespace

ZoomView::ZoomView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    resizeToZoom();
}

void ZoomView::setSkin(const core::Picture& skin) {
    m_skin = skin;
    m_image = pictureImage(skin);
    update();
}

void ZoomView::setZoom(int zoom) {
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    resizeToZoom();
    update();
    showPointer();
}

void ZoomView::setShowsLayout(bool shown) {
    m_showLayout = shown;
    update();
}

void ZoomView::setMarks(const preview::SeamSpec* seam, std::vector<int> rows) {
    m_markedSeam = seam;
    m_markedRows = seam ? std::move(rows) : std::vector<int>{};
    update();
}

int ZoomView::devicePixelsPerSkinPixel() const {
    return std::max(1, int(std::lround(m_zoom * devicePixelRatioF())));
}

qreal ZoomView::skinPixelWidth() const {
    return devicePixelsPerSkinPixel() / devicePixelRatioF();
}

QPointF ZoomView::pixelCorner(int x, int y) const {
    return {x * skinPixelWidth(), y * skinPixelWidth()};
}

void ZoomView::resizeToZoom() {
    const int side = int(std::ceil(core::kSkinSize * skinPixelWidth()));
    setFixedSize(side, side);
}

void ZoomView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (m_image.isNull()) return;
    const qreal ratio = devicePixelRatioF();
    const int scale = devicePixelsPerSkinPixel();
    const qreal cell = skinPixelWidth();

    // Only the skin pixels the exposed area shows, scaled by a whole number of screen pixels
    // without smoothing, so each stays a sharp square.
    const QRect exposed = event->rect();
    const int left = std::clamp(int(exposed.left() / cell), 0, m_image.width() - 1);
    const int top = std::clamp(int(exposed.top() / cell), 0, m_image.height() - 1);
    const int right = std::clamp(int(exposed.right() / cell), left, m_image.width() - 1);
    const int bottom = std::clamp(int(exposed.bottom() / cell), top, m_image.height() - 1);
    QImage part = m_image.copy(left, top, right - left + 1, bottom - top + 1)
                      .scaled((right - left + 1) * scale, (bottom - top + 1) * scale, Qt::IgnoreAspectRatio,
                              Qt::FastTransformation);
    part.setDevicePixelRatio(ratio);
    painter.drawImage(pixelCorner(left, top), part);

    if (m_zoom >= kGridFromZoom) {
        painter.setPen(QPen(kGridColour, 0)); // one screen pixel wide
        for (int x = left; x <= right + 1; ++x)
            painter.drawLine(pixelCorner(x, top), pixelCorner(x, bottom + 1));
        for (int y = top; y <= bottom + 1; ++y)
            painter.drawLine(pixelCorner(left, y), pixelCorner(right + 1, y));
    }
    if (m_showLayout) {
        painter.setPen(QPen(kLayoutColour, 1));
        for (const preview::LayoutLine& line : preview::layoutLines()) {
            if (line.vertical)
                painter.drawLine(pixelCorner(line.at, line.from), pixelCorner(line.at, line.to));
            else
                painter.drawLine(pixelCorner(line.from, line.at), pixelCorner(line.to, line.at));
        }
    }
    if (m_markedSeam) {
        // Each mark is cut to the skin, and its outline drawn just inside it, so that a mark at
        // the skin's edge shows whole in the view.
        painter.setPen(QPen(kMarkColour, kMarkPen));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = kMarkPen / 2.0;
        for (int row : m_markedRows)
            for (const preview::MarkArea& area : preview::markAreas(*m_markedSeam, row)) {
                const QRectF mark(pixelCorner(std::max(area.left, 0), std::max(area.top, 0)),
                                  pixelCorner(std::min(area.right, core::kSkinSize),
                                              std::min(area.bottom, core::kSkinSize)));
                painter.drawRect(mark.adjusted(inset, inset, -inset, -inset));
            }
    }
}

void ZoomView::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = event->globalPosition();
    showPointer();
}

void ZoomView::moveEvent(QMoveEvent* event) {
    showPointer(); // scrolled: another pixel lies under the pointer
    QWidget::moveEvent(event);
}

void ZoomView::showPointer() {
    if (!m_pointer) return;
    const QPointF at = mapFromGlobal(*m_pointer);
    const int x = int(std::floor(at.x() / skinPixelWidth()));
    const int y = int(std::floor(at.y() / skinPixelWidth()));
    if (x >= 0 && y >= 0 && x < core::kSkinSize && y < core::kSkinSize)
        emit hovered(x, y);
    else
        emit hovered(-1, -1);
}

void ZoomView::wheelEvent(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    event->accept();
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / kWheelStep;
    m_wheelAngle -= steps * kWheelStep;
    if (steps != 0) emit zoomAsked(steps, event->position());
}

void ZoomView::leaveEvent(QEvent* event) {
    m_pointer.reset();
    emit hovered(-1, -1);
    QWidget::leaveEvent(event);
}

} // namespace workbench
