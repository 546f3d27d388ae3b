#pragma once
// A push button drawn like the classic ones the layout was made for: a two-pixel raised bevel
// and the caption fitted by caption_layout.h, centred both ways. Many of the window's buttons
// are 13 to 17 pixels high, too small for the style's own padding, so the bevel and the
// caption are painted here with as little margin as the bevel allows.

#include <QPushButton>

#include "workbench/classic/caption_layout.h"

namespace workbench {

class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    CaptionButton(const QString& caption, QWidget* parent);

    // Laid out again only when the caption, font or size changed since the last time.
    const CaptionLayout& captionLayout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    mutable CaptionLayout m_layout;
    mutable QString m_laidOutText;
    mutable QSize m_laidOutSize;
    mutable QFont m_laidOutFont;
};

} // namespace workbench
