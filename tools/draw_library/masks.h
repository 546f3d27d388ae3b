#pragma once
// Outfit masks as drawn: skin-sized (256 x 256), black marks the garment (the pixels a mask keeps),
// white everything else. Written as 1-bit BMPs (entry 0 black, entry 1 white), except
// imgBimbo, which is 24-bit with the same two colours.

#include <array>
#include <vector>

#include "core/skin_layout.h"
#include "tools/draw_library/drawn_picture.h"

namespace draw {

class MaskGrid {
  public:
    bool isBlack(int x, int y) const { return m_black[y * core::kSkinSize + x]; }
    // Out-of-range pixels are ignored, so shapes may run past the edges.
    void set(int x, int y, bool black) {
        if (x >= 0 && x < core::kSkinSize && y >= 0 && y < core::kSkinSize)
            m_black[y * core::kSkinSize + x] = black;
    }

  private:
    std::array<bool, core::kSkinSize * core::kSkinSize> m_black{}; // all white
};

// The masks of the holders frmPics (imgBodySuit), frmMasks and frmMasks2 (masks_first.cpp)
// and of frmMasks3, frmMasks4 and frmMasks5 (masks_second.cpp).
struct MaskEntry {
    std::string_view name;
    MaskGrid (*draw)();
};
std::vector<MaskEntry> firstMasks();
std::vector<MaskEntry> secondMasks();

} // namespace draw
