// The selection's outline, two dashed lines of black and white so it shows on any skin, and the
// pixels being pasted, drawn as sharp squares as the zoom view draws the skin.

#include "workbench/retouch/selection_overlay.h"

#include <QPaintEvent>
#include <QPainter>

#include "workbench/preview/zoom_view.h"

namespace workbench {
namespace {

QRectF onScreen(const ZoomView& zoom, const core::retouch::Rect& rect) {
    return QRectF(zoom.pixelCorner(rect.left, rect.top), zoom.pixelCorner(rect.right(), rect.bottom()));
}

} // namespace

SelectionOverlay::SelectionOverlay(ZoomView* zoom) : QWidget(zoom), m_zoom(zoom) {
    setObjectName(QStringLiteral("picSelection"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    resize(zoom->size());
}

void SelectionOverlay::setSelection(const core::retouch::Rect& selection) {
    m_selection = selection;
    update();
}

void SelectionOverlay::setFloating(const QImage& pixels, core::retouch::Point at) {
    m_floating = pixels;
    m_floatingAt = at;
    update();
}

void SelectionOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_floating.isNull()) {
        const core::retouch::Rect area{m_floatingAt.x, m_floatingAt.y, m_floating.width(),
                                       m_floating.height()};
        const QRectF target = onScreen(*m_zoom, area);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, m_floating);
        painter.setPen(QPen(Qt::white, 0, Qt::DashLine));
        painter.drawRect(target);
    }
    if (!m_selection.isEmpty()) {
        const QRectF outline = onScreen(*m_zoom, m_selection);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::white, 0, Qt::DashLine));
        painter.drawRect(outline);
    }
}

} // namespace workbench
