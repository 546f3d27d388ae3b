#pragma once
// A frame drawn like the classic ones the layout was made for: an etched border whose top line
// runs through the middle of the caption, which stands at the frame's top-left on a gap in that
// line. The stored places of the buttons inside a frame assume this: the first one starts just
// below the caption, which a style's group box (caption above the border) would overlap.

#include <QGroupBox>

namespace workbench {

class ClassicFrame : public QGroupBox {
    Q_OBJECT
  public:
    ClassicFrame(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // In the frame's own pixels: the border's outer edge, and where the caption's text goes.
    QRect borderRect() const;
    QRect captionRect() const;
};

} // namespace workbench
