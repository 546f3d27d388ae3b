#include "tools/draw_library/shoe_strips.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "tools/draw_library/strip.h"

namespace draw {

namespace {

using core::Rgb;

double bump(double v, double width) {
    return std::exp(-square(v / width));
}

// How far a rounded top falls from its crown: 0 at the centre, 1 at the foot's edge.
double domeFall(double u) {
    return 1.0 - std::sqrt(std::max(0.0, 1.0 - u * u));
}

// The white rows above each column's shoe, shaped by weight(foot) and adding up to total.
std::vector<int> whiteGround(const std::function<double(const FootSpot&)>& weight, int total) {
    std::vector<double> weights;
    for (int x = 0; x < kStripWidth; ++x)
        weights.push_back(weight(footAt(x)));
    return apportion(weights, total);
}

// The first column of each foot after the first: where two shoes meet.
bool footStartsAt(int x) {
    return x > 0 && footAt(x - 1).foot != footAt(x).foot;
}

int centreColumn(const FootSpot& spot) {
    return int(spot.centre);
}

} // namespace

DrawnPicture drawSneakers(Rgb upper) {
    constexpr int kHeight = 19;
    constexpr int kWhitePixels = 368;
    constexpr Rgb kSole{120, 120, 120};
    constexpr Rgb kLace{206, 206, 200};
    const Rgb outline = scaled(upper, 0.55), seam = scaled(upper, 0.75), padding = scaled(upper, 1.3);

    // The collar rises at each shoe's middle (the heel tab behind, the tongue in front) and
    // dips between the shoes.
    const std::vector<int> ground = whiteGround(
        [](const FootSpot& f) {
            const double tab = f.front ? 0.3 * bump(f.u, 0.28) : 0.22 * bump(f.u, 0.2);
            return std::max(0.05, 0.3 + f.u * f.u - tab);
        },
        kWhitePixels);

    Strip strip(kStripWidth, kHeight, upper);
    for (int x = 0; x < kStripWidth; ++x) {
        const FootSpot f = footAt(x);
        const int top = ground[x];
        // The sole's upper edge waves twice over each shoe, rising at its middle and its ends.
        const int soleTop =
            int(std::lround(15 - std::cos(2 * std::numbers::pi * (x + 0.5) / (kFootWidth / 2))));
        for (int y = 0; y < top; ++y)
            strip.set(x, y, kWhite);
        strip.set(x, top, outline);
        if (!f.front)
            for (int y = top + 1; y <= top + 2; ++y)
                strip.set(x, y, padding);
        if (footStartsAt(x))
            for (int y = top; y < soleTop; ++y)
                strip.set(x, y, outline);
        else if (!f.front && x == centreColumn(f))
            for (int y = top + 3; y < 10; ++y)
                strip.set(x, y, seam);
        // Behind: a heel counter above the sole. In front: a rounded rubber toe cap.
        if (!f.front)
            for (int y = 10; y < soleTop; ++y)
                if (square((x + 0.5 - f.centre) / 9.0) + square((y + 0.5 - 14.5) / 4.5) <= 1.0)
                    strip.set(x, y, padding);
        const double toeCap = f.front ? 3.2 * std::sqrt(std::max(0.0, 1 - square(f.u / 0.5))) : 0;
        const int soleFrom = std::min(soleTop, int(std::lround(16 - toeCap)));
        if (soleFrom < soleTop) strip.set(x, soleFrom - 1, outline);
        for (int y = soleFrom; y < kHeight; ++y)
            strip.set(x, y, kSole);
    }
    // Laces in front: four cross bars over the tongue with a dark eyelet at each end, joined
    // by short crossing marks.
    for (int foot = 2; foot < 4; ++foot) {
        const int c = centreColumn(footAt(int((foot + 0.5) * kFootWidth)));
        for (int y = 4; y <= 10; y += 2) {
            for (int x = c - 3; x <= c + 3; ++x)
                strip.set(x, y, kLace);
            strip.set(c - 4, y, outline);
            strip.set(c + 4, y, outline);
            if (y < 10) {
                strip.set(c - 1, y + 1, kLace);
                strip.set(c + 1, y + 1, kLace);
            }
        }
    }
    return strip.as24Bit();
}

DrawnPicture drawHighHeels() {
    constexpr int kHeight = 19;
    constexpr int kWhitePixels = 729;
    constexpr Rgb kPatent{4, 4, 4};
    constexpr Rgb kEdge{20, 20, 20};
    constexpr Rgb kShine{62, 62, 66};
    constexpr Rgb kHeel{34, 34, 36};

    // Behind: narrow heel cups. In front: lower, wider toe boxes under the bare instep.
    const std::vector<int> ground = whiteGround(
        [](const FootSpot& f) { return f.front ? 1.0 + 3.5 * domeFall(f.u) : 0.5 + 5.0 * domeFall(f.u); },
        kWhitePixels);

    Strip strip(kStripWidth, kHeight, kPatent);
    for (int x = 0; x < kStripWidth; ++x) {
        const FootSpot f = footAt(x);
        const int top = ground[x];
        for (int y = 0; y < top; ++y)
            strip.set(x, y, kWhite);
        strip.set(x, top, kEdge);
        // A gloss line following the top edge over the middle of each shoe.
        if (std::abs(f.u) < 0.55) strip.set(x, top + 2, kShine);
        if (footStartsAt(x))
            for (int y = top; y < kHeight; ++y)
                strip.set(x, y, kEdge);
        // Behind, the heel's stem below the cup; in front, a soft reflection on the toe.
        if (!f.front && std::abs(f.u) < 0.12)
            for (int y = 14; y < kHeight; ++y)
                strip.set(x, y, kHeel);
        if (f.front && std::abs(f.u + 0.3) < 0.15) strip.set(x, 13, kEdge);
    }
    return strip.as24Bit();
}

DrawnPicture drawSandals() {
    constexpr int kHeight = 13;
    constexpr int kWhitePixels = 797;
    constexpr Rgb kStrap{22, 22, 20};
    constexpr Rgb kSheen{44, 43, 39};
    constexpr int kHalf = kStripWidth / 2;

    Strip strip(kStripWidth, kHeight, kWhite);
    // In front: a sole under each foot, an ankle strap and a toe strap arching over the foot,
    // and the toe post between them.
    int frontWhite = 0;
    for (int x = kHalf; x < kStripWidth; ++x) {
        const FootSpot f = footAt(x);
        const double dx = x + 0.5 - f.centre;
        for (int y = 0; y < kHeight; ++y) {
            const double dy = y + 0.5 - 10.5;
            const bool sole = y >= 10 && !footStartsAt(x);
            const bool strap = dy <= 0 && (onEllipse(dx, dy, 17, 9, 2.8) || onEllipse(dx, dy, 9, 4.5, 2.6));
            const bool post = std::abs(dx) < 0.6 && y >= 7;
            if (sole || strap || post)
                strip.set(x, y, kStrap);
            else
                ++frontWhite;
        }
    }
    // Behind: rounded heel cups whose white ground takes the rest of the white pixels.
    const std::vector<int> ground =
        whiteGround([](const FootSpot& f) { return f.front ? 0.0 : 0.4 + 4.0 * domeFall(f.u); },
                    kWhitePixels - frontWhite);
    for (int x = 0; x < kHalf; ++x) {
        const FootSpot f = footAt(x);
        for (int y = ground[x]; y < kHeight; ++y)
            strip.set(x, y, kStrap);
        if (std::abs(f.u) < 0.5) strip.set(x, ground[x] + 2, kSheen);
        if (footStartsAt(x))
            for (int y = ground[x]; y < kHeight; ++y)
                strip.set(x, y, kSheen);
    }
    return strip.as24Bit();
}

DrawnPicture drawSmallBoots(Rgb leather) {
    constexpr int kHeight = 23;
    Strip strip(kStripWidth, kHeight, leather);
    for (int x = 0; x < kStripWidth; ++x) {
        const FootSpot f = footAt(x);
        for (int y = 0; y < kHeight; ++y) {
            // Round leather: darker towards the sides, faint sheen on the shaft and over the toe
            // (in front) or the heel counter (behind).
            double shade = 1.0 - 0.3 * square(std::max(0.0, std::abs(f.u) - 0.55) / 0.45);
            shade += 0.26 * bump(f.u + 0.4, 0.22) * bump(y - 7.0, 5.0);
            shade += f.front ? 0.22 * bump(f.u - 0.1, 0.3) * bump(y - 16.5, 1.8)
                             : 0.14 * bump(f.u, 0.35) * bump(y - 16.0, 2.5);
            shade = std::round(shade * 50) / 50; // a few dozen tones
            Rgb colour = scaled(leather, shade);
            if (y == 0)
                colour = scaled(leather, 1.2); // the rim of the shaft
            else if (y == 1)
                colour = scaled(leather, 0.8); // its shadow
            else if (y == 19)
                colour = scaled(leather, 1.25); // the welt
            else if (y >= 20)
                colour = scaled(leather, 0.6); // the sole
            else if (footStartsAt(x))
                colour = scaled(leather, 0.6);
            else if (!f.front && x == centreColumn(f) && y < 11)
                colour = scaled(leather, 0.75); // back seam
            // The stitched edge of the toe cap in front and of the heel counter behind.
            else if (y + 0.5 <= 19 &&
                     onEllipse(x + 0.5 - f.centre, y + 0.5 - 19, f.front ? 13 : 9, f.front ? 6 : 8, 1.0))
                colour = scaled(leather, 0.7);
            strip.set(x, y, colour);
        }
    }
    return strip.as8Bit();
}

DrawnPicture drawBigBoots() {
    constexpr int kHeight = 71;
    constexpr Rgb kLeather{13, 13, 15};
    constexpr Rgb kBlueGrey{60, 70, 92};
    constexpr Rgb kGrey{96, 96, 96};
    constexpr Rgb kFold{66, 66, 70};
    constexpr Rgb kSeam{7, 7, 8};
    constexpr Rgb kZipDark{30, 30, 32};
    constexpr Rgb kZipLight{74, 74, 78};

    Strip strip(kStripWidth, kHeight, kLeather);
    for (int x = 0; x < kStripWidth; ++x) {
        const FootSpot f = footAt(x);
        // A wrinkled band over the ankle, four rows deep, waving along the strip.
        const int foldTop = int(std::lround(56 + 1.5 * std::sin(2 * std::numbers::pi * x / 13.0)));
        for (int y = 0; y < kHeight; ++y) {
            const double shade = 1.0 - 0.3 * f.u * f.u;
            // Blue-grey sheen down the shaft and grey glints at the knee and the toe or heel.
            const double sheen = 0.55 * bump(f.u + 0.45, 0.16) * (y < 56 ? 1.0 : 0.3);
            const double glint = 0.8 * bump(f.u + 0.42, 0.1) * bump(y - 18.0, 3.0) +
                                 0.6 * bump(f.u - (f.front ? 0.05 : 0.0), 0.2) * bump(y - 65.0, 1.5);
            Rgb colour = mix(mix(scaled(kLeather, shade), kBlueGrey, sheen), kGrey, std::min(1.0, glint));
            if (y <= 1)
                colour = y == 0 ? kFold : scaled(kFold, 0.6); // the cuff's rim
            else if (y >= foldTop && y < foldTop + 4)
                colour = scaled(kFold, 1.0 - 0.25 * f.u * f.u);
            else if (y >= 69)
                colour = kSeam; // the sole
            else if (footStartsAt(x))
                colour = kSeam;
            else if (x == centreColumn(f) && y < foldTop)
                colour = f.front ? (y % 2 ? kZipDark : kZipLight) : kSeam;
            strip.set(x, y, colour);
        }
    }
    return strip.as24Bit();
}

} // namespace draw
