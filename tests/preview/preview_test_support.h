#pragma once
// Skins for the preview tests: flat areas of the layout in colours that stay apart under any
// light, and skins stitched from two pictures.

#include <functional>
#include <vector>

#include "core/picture.h"
#include "preview/skin_layout.h"

namespace preview_test {

// Colours for the three areas: each has one channel far above the others, so a lit or shaded
// pixel still tells which area it shows.
constexpr core::Rgb kBackColour{200, 40, 40};
constexpr core::Rgb kFrontColour{40, 180, 40};
constexpr core::Rgb kArmColour{40, 60, 200};

// A 256 x 256 skin painted pixel by pixel.
inline core::Picture skinOf(const std::function<core::Rgb(int x, int y)>& colour) {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < core::kSkinSize; ++y)
        for (int x = 0; x < core::kSkinSize; ++x) {
            const core::Rgb c = colour(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    return core::Picture(core::kSkinSize, core::kSkinSize, rgb);
}

// The back half, the front half and the arm strip in their three colours.
inline core::Picture threeAreaSkin() {
    return skinOf([](int x, int) {
        return x < core::kArmRight ? kArmColour : x < core::kBackRight ? kBackColour : kFrontColour;
    });
}

enum class Area { Background, Back, Front, Arm, Other };

// Which of the three colours a rendered pixel shows, by its dominant channel.
inline Area areaOf(const std::uint8_t* p) {
    constexpr int kLead = 30;
    const int r = p[0], g = p[1], b = p[2];
    if (r == 128 && g == 128 && b == 128) return Area::Background;
    if (r > g + kLead && r > b + kLead) return Area::Back;
    if (g > r + kLead && g > b + kLead) return Area::Front;
    if (b > r + kLead && b > g + kLead) return Area::Arm;
    return Area::Other;
}

} // namespace preview_test
