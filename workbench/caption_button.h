#pragma once
// A push button drawn like the classic ones the layout was made for: a two-pixel raised bevel
// and the caption wrapped at word boundaries, centred both ways. Many of the window's buttons
// are 13 to 17 pixels high, too small for the style's own padding, so the bevel and the
// caption are painted here with as little margin as the bevel allows.

#include <QFont>
#include <QPushButton>
#include <QStringList>
#include <vector>

namespace workbench {

// How a caption fits its button: the font, the lines, how far each line is squeezed
// sideways (1 = not at all) and the distance between line tops.
struct CaptionLayout {
    QFont font;
    QStringList lines;
    std::vector<double> squeeze;
    int lineStep = 0;
    QRect area; // where the lines may go
};

// Lays caption out in a button of the given size. Wrapped at word boundaries in the given
// font if that fits; otherwise in its narrow cut (sans serif only); otherwise a line that is
// still too wide is squeezed sideways just enough, keeping the font's height, so that no
// caption is ever cut off.
CaptionLayout layoutCaption(const QString& caption, const QFont& font, const QSize& size);

// Breaks text into lines no wider than width pixels at word boundaries; a word wider than
// width stands on a line of its own.
QStringList wrapWords(const QString& text, const QFontMetrics& metrics, int width);

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
