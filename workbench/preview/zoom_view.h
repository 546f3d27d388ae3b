#pragma once
// The skin at 1x to 16x, each skin pixel a sharp square a whole number of screen pixels wide
// (on high-density screens too), with a grid between the pixels from 8x, the skin layout's
// lines when asked, and the worst rows of a seam outlined inside the skin. Reports the skin pixel
// under the pointer, also when the view moves under a pointer that stays (a wheel scrolls it, the
// zoom changes), and asks for another zoom on Ctrl+wheel. Meant to sit in a scroll area.

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/picture.h"
#include "preview/seams.h"

namespace workbench {

class ZoomView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kMinZoom = 1, kMaxZoom = 16;
    static constexpr int kGridFromZoom = 8;

    explicit ZoomView(QWidget* parent = nullptr);

    void setSkin(const core::Picture& skin);
    const core::Picture& skin() const { return m_skin; }
    int zoom() const { return m_zoom; }
    void setZoom(int zoom);
    bool showsLayout() const { return m_showLayout; }
    void setShowsLayout(bool shown);
    // Outlines the rows each side of the seam; no seam clears the marks.
    void setMarks(const preview::SeamSpec* seam, std::vector<int> rows);

    // Where skin pixel (x, y)'s top left corner lies in the widget, in widget pixels.
    QPointF pixelCorner(int x, int y) const;
    // Screen pixels a skin pixel spans, a whole number however dense the screen.
    int devicePixelsPerSkinPixel() const;

  signals:
    // The pointer is over skin pixel (x, y), or has left the skin (x and y -1).
    void hovered(int x, int y);
    // Ctrl+wheel: the zoom steps up (or down, steps negative) keeping the point at, in widget
    // pixels, under the pointer.
    void zoomAsked(int steps, QPointF at);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    qreal skinPixelWidth() const; // widget pixels
    void resizeToZoom();
    void showPointer(); // says which skin pixel lies under the pointer now

    std::optional<QPointF> m_pointer; // on the screen, while the pointer is over the view

    core::Picture m_skin;
    QImage m_image; // m_skin, unscaled
    int m_zoom = 2;
    bool m_showLayout = true;
    const preview::SeamSpec* m_markedSeam = nullptr;
    std::vector<int> m_markedRows;
    int m_wheelAngle = 0; // eighths of a degree turned towards the next zoom step
};

} // namespace workbench
