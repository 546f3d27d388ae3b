#include "tools/draw_library/accessories.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/skin_layout.h"
#include "tools/draw_library/shoe_strips.h"
#include "tools/draw_library/strip.h"

namespace draw {

namespace {

using core::Rgb;

// A bare-skin strip over the waist as wide as the body area, 166 x 7, whose mean colour is the
// given tone. The torso turns away towards the sides of each half; behind runs the spine's
// groove down the back half's middle, in front the navel at column 128, row 4 (canvas 218, 86:
// the navel's column), under the navel rings.
DrawnPicture drawMidriff(Rgb tone, int bitsPerPixel) {
    constexpr int kWidth = core::kBodyWidth, kHeight = 7, kHalf = core::kBackRight - core::kArmRight;
    constexpr double kNavelX = core::kFrontMiddle - core::kArmRight, kNavelY = 4.5, kSpineX = kHalf / 2.0;
    std::vector<double> shades;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double centre = x < kHalf ? kHalf / 2.0 : kHalf * 1.5;
            const double across = (x + 0.5 - centre) / (kHalf / 2.0);
            double shade = 1.0 - 0.12 * across * across + 0.01 * (3 - y);
            shade -= 0.07 * std::exp(-square((x + 0.5 - kSpineX) / 1.3));
            shade -= 0.03 * std::exp(-square((x + 0.5 - kNavelX) / 1.0)); // the line down the belly
            shade -= 0.3 * std::exp(-(square(x + 0.5 - kNavelX) + square((y + 0.5 - kNavelY) * 1.4)) / 0.8);
            shades.push_back(std::round(shade * 200) / 200); // at most a few dozen tones
        }
    // Shadows turn redder: green and blue fall faster than red. Each channel is then scaled so
    // that the strip's mean is the tone.
    constexpr std::array<double, 3> kFalloff{1.0, 1.2, 1.45};
    std::array<double, 3> means{};
    for (double shade : shades)
        for (int c = 0; c < 3; ++c)
            means[c] += std::pow(shade, kFalloff[c]) / shades.size();
    const std::array<double, 3> targets{double(tone.r), double(tone.g), double(tone.b)};
    Strip strip(kWidth, kHeight, tone);
    for (int i = 0; i < int(shades.size()); ++i) {
        std::array<std::uint8_t, 3> channels{};
        for (int c = 0; c < 3; ++c)
            channels[c] = std::uint8_t(
                std::clamp(std::lround(targets[c] * std::pow(shades[i], kFalloff[c]) / means[c]), 1L, 254L));
        strip.set(i % kWidth, i / kWidth, {channels[0], channels[1], channels[2]});
    }
    return bitsPerPixel == 8 ? strip.as8Bit() : strip.as24Bit();
}

// A 3 x 3 navel ring: the four edge pixels are the ring, lit from the top left; the centre is
// the navel seen through it; the corners are skin.
DrawnPicture drawRing(Rgb lit, Rgb dark) {
    constexpr Rgb kSkin{165, 138, 105};
    constexpr Rgb kNavel{104, 82, 60};
    Strip strip(3, 3, kSkin);
    strip.set(1, 0, lit);
    strip.set(0, 1, mix(lit, dark, 0.35));
    strip.set(2, 1, mix(lit, dark, 0.7));
    strip.set(1, 2, dark);
    strip.set(1, 1, kNavel);
    return strip.as8Bit();
}

// The collar's outline, 119 x 13, black on white only: a U around the back of the neck near
// the left end (canvas column 133) and a wider one around the front neckline near the right
// end (canvas column 218).
DrawnPicture drawMaidCollar() {
    constexpr int kWidth = 119, kHeight = 13;
    struct Arc {
        double centreX, radiusX, radiusY;
    };
    constexpr std::array<Arc, 2> kArcs{{{12.0, 9.5, 10.5}, {97.0, 19.0, 11.2}}};
    constexpr double kThickness = 1.8;
    Strip strip(kWidth, kHeight, kWhite);
    for (const Arc& arc : kArcs)
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const double dx = x + 0.5 - arc.centreX, dy = y + 0.5;
                if (onEllipse(dx, dy, arc.radiusX, arc.radiusY, kThickness)) strip.set(x, y, kBlack);
            }
    return strip.as8Bit();
}

} // namespace

std::vector<DrawEntry> accessoryPictures() {
    // In the holder's order (the bodysuit mask and the female bodies sit between them).
    return {
        {"imgMaidCollar", drawMaidCollar},
        {"imgGoldRing",
         [] {
             return drawRing({250, 216, 96}, {166, 122, 28});
         }},
        {"imgSilverRing",
         [] {
             return drawRing({216, 216, 222}, {122, 122, 128});
         }},
        {"imgBlackSneakers",
         [] {
             return drawSneakers({38, 38, 38});
         }},
        {"imgRedSneakers",
         [] {
             return drawSneakers({98, 33, 31});
         }},
        {"imgSandals", drawSandals},
        {"imgSmallBlackBoots",
         [] {
             return drawSmallBoots({30, 30, 30});
         }},
        {"imgSmallBrownBoots",
         [] {
             return drawSmallBoots({35, 23, 23});
         }},
        {"imgBigBlackBoots", drawBigBoots},
        {"imgMidriffDrk",
         [] {
             return drawMidriff({122, 77, 41}, 24);
         }},
        {"imgMidriffMed",
         [] {
             return drawMidriff({178, 122, 77}, 8);
         }},
        {"imgMidriffLgt",
         [] {
             return drawMidriff({223, 166, 135}, 24);
         }},
        {"imgHighHeels", drawHighHeels},
    };
}

} // namespace draw
