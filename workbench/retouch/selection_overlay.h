#pragma once
// What the zoom view shows over the skin while retouching: the selection's outline, and pixels
// being pasted, where they would land. A child of the zoom view that covers it and lets the
// mouse through.

#include <QImage>
#include <QWidget>

#include "core/retouch/raster.h"

namespace workbench {

class ZoomView;

class SelectionOverlay : public QWidget {
  public:
    explicit SelectionOverlay(ZoomView* zoom);

    // The selection to outline; an empty one shows none.
    void setSelection(const core::retouch::Rect& selection);
    // Pixels being pasted, their top left corner on skin pixel at; a null image shows none.
    void setFloating(const QImage& pixels, core::retouch::Point at);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ZoomView* m_zoom;
    core::retouch::Rect m_selection;
    QImage m_floating;
    core::retouch::Point m_floatingAt;
};

} // namespace workbench
