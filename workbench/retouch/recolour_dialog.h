#pragma once
// The recolour dialog `dlgRecolour`: how far to shift hue, saturation and lightness, and where:
// the selection, the whole skin, a library outfit mask or a mask file. Every change is shown at
// once on the skin (the caller's preview); OK keeps it, Cancel gives it up.

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/retouch/pixel_area.h"
#include "core/retouch/recolour.h"

class QComboBox;
class QSpinBox;

namespace workbench {

// One place a recolour can be kept within: its label in the list, and the area, or nothing
// when it cannot be had (a mask file the user did not pick, or one that could not be read).
struct RecolourArea {
    QString label;
    std::function<std::optional<core::retouch::PixelArea>()> area;
};

class RecolourDialog : public QDialog {
    Q_OBJECT
  public:
    // areas in the order listed, the first chosen; preview shows a shift within an area.
    RecolourDialog(
        QWidget* parent, std::vector<RecolourArea> areas,
        std::function<void(const core::retouch::HslShift&, const core::retouch::PixelArea&)> preview);

    core::retouch::HslShift shift() const;

  private:
    void showShift();
    void chooseArea(int index);

    std::vector<RecolourArea> m_areas;
    std::function<void(const core::retouch::HslShift&, const core::retouch::PixelArea&)> m_preview;
    std::optional<core::retouch::PixelArea> m_area;
    int m_areaIndex = 0;
    QSpinBox* m_hue = nullptr;
    QSpinBox* m_saturation = nullptr;
    QSpinBox* m_lightness = nullptr;
    QComboBox* m_within = nullptr;
};

} // namespace workbench
