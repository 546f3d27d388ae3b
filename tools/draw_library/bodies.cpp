#include "tools/draw_library/bodies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>
#include <set>

#include "core/skin_layout.h"
#include "core/smooth_step.h"

namespace draw {
namespace {

using core::kBackMiddle, core::kFrontMiddle, core::kSkinSize, core::smoothstep;

constexpr int kPixels = kSkinSize * kSkinSize;
constexpr int kEntries = 256;

enum class Figure { Female, Male };

// A skin tone: the mean colour over all pixels and the darkest and lightest palette colour used.
struct Tone {
    std::string_view name;
    Figure figure;
    core::Rgb mean, darkest, lightest;
};

constexpr Tone kTones[] = {
    {"imgDarkBody", Figure::Female, {111, 66, 32}, {55, 15, 14}, {138, 97, 60}},
    {"imgMedBody", Figure::Female, {169, 112, 67}, {117, 65, 26}, {191, 144, 98}},
    {"imgLightBody", Figure::Female, {213, 153, 125}, {140, 86, 61}, {236, 188, 161}},
    {"imgMaleLight", Figure::Male, {210, 151, 121}, {140, 85, 59}, {239, 185, 158}},
    {"imgMaleDark", Figure::Male, {99, 60, 32}, {48, 14, 14}, {121, 90, 65}},
    {"imgMaleMed", Figure::Male, {160, 105, 60}, {114, 63, 23}, {175, 129, 88}},
};

// Columns of the skin layout, as pixel-edge coordinates (a pixel x covers x to x + 1); the
// back and front middles are the spine and the navel's column, between the legs.
constexpr double kArmRight = core::kArmRight;
constexpr double kBackRight = core::kBackRight;
constexpr double kArmMiddle = kArmRight / 2;

// A soft round spot: 1 at its centre, falling off over its radii.
double blob(double px, double py, double cx, double cy, double rx, double ry) {
    const double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return std::exp(-(dx * dx + dy * dy));
}

// A soft line from (ax, ay) to (bx, by): 1 on the segment, falling off over width.
double stroke(double px, double py, double ax, double ay, double bx, double by, double width) {
    const double vx = bx - ax, vy = by - ay;
    const double t = std::clamp(((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    const double d = std::hypot(px - ax - t * vx, py - ay - t * vy) / width;
    return std::exp(-d * d);
}

// A value that changes smoothly from knot to knot down the picture: knots are (row, value).
struct Knot {
    double y, value;
};
template <std::size_t N> double along(const std::array<Knot, N>& knots, double y) {
    if (y <= knots.front().y) return knots.front().value;
    for (std::size_t i = 1; i < N; ++i)
        if (y < knots[i].y)
            return std::lerp(knots[i - 1].value, knots[i].value, smoothstep(knots[i - 1].y, knots[i].y, y));
    return knots.back().value;
}

// Light on a round form seen from the front: u is 0 where the form faces the viewer and 1 at
// its outline; past the outline the flank turns away towards the seam where the texture wraps
// round, and keeps darkening slowly so that no part reads as flat background.
double roundShade(double u) {
    const double a = std::abs(u);
    const double facing = std::sqrt(std::max(0.0, 1 - a * a));
    const double soft = 1 / (1 + std::pow(a / 0.97, 6));
    return 0.25 + 0.50 * facing + 0.25 * soft - 0.08 * std::min(std::max(0.0, a - 1), 1.0);
}

// A dome (breast, buttock, kneecap, heel) within the ellipse at (cx, cy), lit from the front and
// a little from above: brightest above its middle, a shadow along the lower half of its outline.
double dome(double px, double py, double cx, double cy, double rx, double ry) {
    const double dx = (px - cx) / rx, dy = (py - cy) / ry;
    const double d = std::hypot(dx, dy);
    const double height = std::max(0.0, 1 - d * d);
    const double lit = 0.8 * height - 0.3 * dy * std::sqrt(height);
    const double outline = (d - 1) / 0.15;
    return lit - 0.5 * std::max(0.0, dy) * std::exp(-outline * outline);
}

// Across a section [left, right] whose form faces the viewer at middle: -1 .. 1.
double across(double px, double left, double middle, double right) {
    return px < middle ? (px - middle) / (middle - left) : (px - middle) / (right - middle);
}

// Lit share of the torso's width, row by row: shoulders, chest, waist, hips.
double torsoWidth(Figure figure, double y) {
    static constexpr std::array<Knot, 5> female{
        {{5, 0.92}, {40, 0.90}, {70, 0.75}, {100, 0.97}, {125, 0.95}}};
    static constexpr std::array<Knot, 5> male{{{5, 1.00}, {35, 0.96}, {70, 0.84}, {100, 0.88}, {125, 0.90}}};
    return along(figure == Figure::Female ? female : male, y);
}

// Lit share of a leg's width: thigh, knee, calf, ankle, foot.
double legWidth(Figure figure, double y) {
    const double thigh = figure == Figure::Female ? 1.0 : 0.92;
    const std::array<Knot, 6> knots{
        {{130, thigh}, {188, 0.76}, {210, 0.86}, {232, 0.70}, {244, 0.88}, {256, 0.84}}};
    return along(knots, y);
}

// Lit share of the arm's width: shoulder, elbow, forearm, wrist, hand.
double armWidth(double y) {
    static constexpr std::array<Knot, 6> knots{
        {{10, 1.0}, {80, 0.88}, {128, 0.76}, {165, 0.84}, {218, 0.64}, {236, 0.95}}};
    return along(knots, y);
}

// Light across digits side by side between left and right (fingers or toes): each a small
// round form, dark where two meet.
double digits(double px, double left, double right, int count) {
    const double width = (right - left) / count;
    const double first = left + std::clamp(std::floor((px - left) / width), 0.0, count - 1.0) * width;
    return roundShade(across(px, first, first + width / 2, first + width));
}

// The arm, shoulder at the top and hand at the bottom: a thumb in columns 0-18, four fingers in
// columns 19-89, knuckles and nails.
double armShade(double px, double py) {
    const double c = kArmMiddle;
    const double arm = roundShade((px - c) / c / armWidth(py));
    const bool thumb = px < 19;
    const double hand = thumb ? digits(px, 0, 19, 1) : digits(px, 19, kArmRight, 4);
    double v = std::lerp(arm, hand, 0.6 * (thumb ? smoothstep(224, 236, py) : smoothstep(238, 248, py)));
    v += 0.12 * dome(px, py, c, 20, 34, 26);                                         // shoulder
    v += 0.08 * dome(px, py, c, 82, 22, 34);                                         // upper arm
    v += 0.08 * blob(px, py, c, 128, 5, 4);                                          // elbow point
    v -= 0.07 * blob(px, py, c, 121, 11, 1.3) + 0.05 * blob(px, py, c, 134, 8, 1.1); // elbow creases
    v += 0.07 * dome(px, py, c, 165, 24, 32);                                        // forearm
    v -= 0.08 * blob(px, py, c, 218, 26, 1.4);                                       // wrist crease
    v += 0.05 * blob(px, py, 70, 213, 3, 3);                                         // wrist bone
    for (int finger = 0; finger < 4; ++finger) {
        const double x = 19 + 17.75 * (finger + 0.5);
        v += 0.07 * dome(px, py, x, 238, 6, 4); // knuckle
        v += 0.06 * blob(px, py, x, 251, 4, 3); // nail
    }
    v += 0.06 * blob(px, py, 9.5, 250, 4, 3);
    return v;
}

// The back: spine, shoulder blades, lower-back dimples, buttocks, backs of the knees, calves, heels.
double backDetail(double px, double py) {
    const double c = kBackMiddle;
    double v = -0.10 * smoothstep(0, 8, py) * (1 - smoothstep(92, 100, py)) * blob(px, py, c, py, 1.8, 1);
    v += 0.04 * smoothstep(35, 45, py) * (1 - smoothstep(92, 100, py)) *
         (blob(px, py, c - 6, py, 4, 1) + blob(px, py, c + 6, py, 4, 1)); // muscles along the spine
    for (double y = 4; y < 26; y += 6)
        v += 0.03 * blob(px, py, c, y, 2, 1.5); // neck vertebrae
    for (double s : {-1.0, 1.0}) {
        v += 0.08 * dome(px, py, c + s * 18, 28, 12, 16);               // shoulder blade
        v -= 0.06 * stroke(px, py, c + s * 8, 16, c + s * 11, 42, 2.5); // its inner edge
        v -= 0.04 * blob(px, py, c + s * 16, 45, 7, 3);                 // its lower tip
        v -= 0.07 * blob(px, py, c + s * 8, 94, 2.5, 2.5);              // lower-back dimple
        v += 0.12 * dome(px, py, c + s * 18, 108, 19, 17);              // buttock
        v -= 0.12 * blob(px, py, c + s * 17, 125, 16, 2.5);             // fold under it
    }
    v -= 0.12 * stroke(px, py, c, 100, c, 123, 1.5);
    for (double leg : {(kArmRight + c) / 2, (c + kBackRight) / 2}) {
        v -= 0.10 * blob(px, py, leg, 192, 9, 2); // back of the knee
        v += 0.04 * (blob(px, py, leg - 8, 190, 3, 8) + blob(px, py, leg + 8, 190, 3, 8));
        v += 0.08 * dome(px, py, leg, 208, 14, 20); // calf
        v -= 0.06 * blob(px, py, leg, 240, 9, 3);   // above the heel
        v += 0.10 * dome(px, py, leg, 249, 11, 8);  // heel
    }
    return v;
}

// The front: collarbones, chest, belly, navel, hips, knees, shins, feet and toes.
double frontDetail(Figure figure, double px, double py) {
    const double c = kFrontMiddle;
    double v = -0.08 * blob(px, py, c, 3, 3, 2); // notch at the base of the neck
    for (double s : {-1.0, 1.0}) {
        v += 0.06 * stroke(px, py, c + s * 4, 8, c + s * 32, 4, 2);  // collarbone
        v -= 0.05 * stroke(px, py, c + s * 4, 11, c + s * 32, 7, 2); // shadow under it
        if (figure == Figure::Female) {
            v += 0.16 * dome(px, py, c + s * 14.5, 43, 13, 12); // breast
            v -= 0.08 * blob(px, py, c + s * 14.5, 56, 10, 2);  // the crease under it
        } else {
            v += 0.09 * dome(px, py, c + s * 15, 29, 16, 11); // chest muscle
            v -= 0.05 * blob(px, py, c + s * 15, 41, 14, 2);  // its lower edge
            for (double y : {54.0, 66.0, 77.0}) {
                v -= 0.06 * blob(px, py, c + s * 7, y, 6, 1.3); // between the stomach muscles
                v += 0.04 * blob(px, py, c + s * 7, y + 6, 5, 3);
            }
        }
        v += 0.05 * blob(px, py, c + s * 30, 96, 4, 6); // hip bone
        v -= 0.04 * blob(px, py, c + s * 24, 100, 3, 5);
        v -= 0.08 * stroke(px, py, c + s * 30, 100, c + s * 3, 118, 2); // groin crease
    }
    if (figure == Figure::Female) {
        v -= 0.08 * blob(px, py, c, 44, 2.5, 8); // between the breasts
        v += 0.04 * blob(px, py, c, 78, 14, 12); // belly
    } else {
        v -= 0.05 * blob(px, py, c, 30, 1.5, 12) +
             0.05 * blob(px, py, c, 62, 1.5, 20); // breastbone, stomach line
    }
    v -= 0.30 * blob(px, py, c, 86.5, 1.3, 1.8); // navel, where the navel rings go
    v += 0.04 * blob(px, py, c, 84, 3, 1.2);
    const double legs[][2] = {{(kBackRight + c) / 2, (c - kBackRight) / 2},
                              {(c + kSkinSize) / 2, (kSkinSize - c) / 2}};
    for (const auto& [leg, half] : legs) {
        v += 0.08 * dome(px, py, leg, 188, 7, 8);          // kneecap
        v -= 0.06 * blob(px, py, leg, 197, 7, 2);          // under it
        v -= 0.03 * blob(px, py, leg, 178, 8, 2);          // above it
        v += 0.03 * stroke(px, py, leg, 202, leg, 228, 3); // shin
        v += 0.06 *
             (blob(px, py, leg - 0.7 * half, 232, 2.5, 2.5) + blob(px, py, leg + 0.7 * half, 232, 2.5, 2.5));
        v += 0.05 * blob(px, py, leg, 242, 0.6 * half, 6); // top of the foot
        v -= 0.05 * blob(px, py, leg, 246.5, 0.8 * half, 1.2);
    }
    return v;
}

double bodyShade(Figure figure, double px, double py) {
    const bool back = px < kBackRight;
    const double left = back ? kArmRight : kBackRight, right = back ? kBackRight : kSkinSize;
    const double middle = back ? kBackMiddle : kFrontMiddle;
    const double torso = roundShade(across(px, left, middle, right) / torsoWidth(figure, py));
    const double legLeft = px < middle ? left : middle, legRight = px < middle ? middle : right;
    const double legMiddle = (legLeft + legRight) / 2;
    const double leg = roundShade(across(px, legLeft, legMiddle, legRight) / legWidth(figure, py));
    double shade = std::lerp(torso, leg, smoothstep(104, 128, py));
    if (!back)
        shade = std::lerp(shade, digits(px, legLeft, legRight, 5), 0.45 * smoothstep(245, 252, py)); // toes
    return shade + (back ? backDetail(px, py) : frontDetail(figure, px, py));
}

// Fine skin texture: soft mottling on an 8-pixel grid plus a per-pixel grain, from a fixed seed.
std::vector<double> skinNoise() {
    std::mt19937 random(20240611u);
    const auto next = [&random] { return random() / 4294967296.0 - 0.5; };
    constexpr int kCell = 8, kGrid = kSkinSize / kCell + 1;
    std::vector<double> grid(kGrid * kGrid);
    for (double& g : grid)
        g = next();
    std::vector<double> noise(kPixels);
    for (int y = 0; y < kSkinSize; ++y)
        for (int x = 0; x < kSkinSize; ++x) {
            const int gx = x / kCell, gy = y / kCell;
            const double fx = smoothstep(0, 1, (x % kCell + 0.5) / kCell),
                         fy = smoothstep(0, 1, (y % kCell + 0.5) / kCell);
            const double top = std::lerp(grid[gy * kGrid + gx], grid[gy * kGrid + gx + 1], fx);
            const double bottom = std::lerp(grid[(gy + 1) * kGrid + gx], grid[(gy + 1) * kGrid + gx + 1], fx);
            noise[y * kSkinSize + x] = 0.05 * std::lerp(top, bottom, fy) + 0.03 * next();
        }
    return noise;
}

// Brightness 0 (deepest shadow) .. about 1 (lit) per pixel, rows top to bottom.
std::vector<double> shadingField(Figure figure) {
    std::vector<double> field = skinNoise();
    for (int y = 0; y < kSkinSize; ++y)
        for (int x = 0; x < kSkinSize; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            field[y * kSkinSize + x] += px < kArmRight ? armShade(px, py) : bodyShade(figure, px, py);
        }
    return field;
}

// The exponent p for which falling(p) equals wanted, where falling drops as p grows.
template <class Falling> double solveExponent(Falling falling, double wanted) {
    double lowLog = -5, highLog = 5;
    for (int step = 0; step < 60; ++step) {
        const double mid = (lowLog + highLog) / 2;
        (falling(std::exp(mid)) > wanted ? lowLog : highLog) = mid;
    }
    return std::exp((lowLog + highLog) / 2);
}

// Every palette entry is given at least this many pixels, so that all 256 are used.
constexpr int kMinPixelsPerEntry = 8;

// How far the steps follow the pixels' brightness ranks rather than even brightness intervals:
// spreads the many lit pixels over more steps, so the forms show.
constexpr double kEqualize = 0.15;

// The mean step, as a share of 255. Each tone's palette ramps then bend only downwards (more
// steps for the highlights than for the shadows) to reach their mean, never flattening the lights.
constexpr double kMeanStep = 0.74;

// Quantizes the field onto 256 brightness steps (0 darkest): part evenly between the 0.1 % and
// 99.9 % brightness and part by rank (kEqualize), raised to the power that gives the mean step
// kMeanStep. Steps that got fewer than kMinPixelsPerEntry pixels take them from the fullest
// ones; the pixels keep their brightness order throughout.
std::vector<std::uint8_t> quantize(const std::vector<double>& field) {
    std::vector<int> order(kPixels);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&field](int a, int b) { return field[a] < field[b]; });
    const double low = field[order[kPixels / 1000]], high = field[order[kPixels - 1 - kPixels / 1000]];
    std::vector<double> levels(kPixels);
    for (int rank = 0; rank < kPixels; ++rank) {
        const double even = std::clamp((field[order[rank]] - low) / (high - low), 0.0, 1.0);
        levels[rank] = std::lerp(even, rank / double(kPixels - 1), kEqualize);
    }
    const auto meanLevel = [&levels](double power) {
        double sum = 0;
        for (double level : levels)
            sum += std::pow(level, power);
        return sum / kPixels;
    };
    const double power = solveExponent(meanLevel, kMeanStep);
    std::array<int, kEntries> counts{};
    for (double level : levels)
        ++counts[std::clamp(int(std::lround(std::pow(level, power) * 255)), 0, 255)];
    int excess = 0;
    for (int& n : counts) {
        excess += std::max(0, kMinPixelsPerEntry - n);
        n = std::max(n, kMinPixelsPerEntry);
    }
    for (; excess > 0; --excess)
        --*std::max_element(counts.begin(), counts.end());
    std::vector<std::uint8_t> indices(kPixels);
    int entry = 0, filled = 0;
    for (int pixel : order) {
        if (filled == counts[entry]) ++entry, filled = 0;
        indices[pixel] = std::uint8_t(entry);
        ++filled;
    }
    return indices;
}

std::uint8_t channel(const core::Rgb& c, int k) {
    return k == 0 ? c.r : k == 1 ? c.g : c.b;
}

// Per channel, entry i sits at (i / 255)^gamma of the way from the darkest to the lightest
// colour; gamma is chosen so that the picture's mean hits the wanted value.
std::array<double, kEntries> ramp(double dark, double light, double wantedMean,
                                  const std::array<int, kEntries>& uses) {
    const auto meanFor = [&](double gamma) {
        double sum = 0;
        for (int i = 0; i < kEntries; ++i)
            sum += uses[i] * std::pow(i / 255.0, gamma);
        return dark + (light - dark) * sum / kPixels;
    };
    const double gamma = solveExponent(meanFor, wantedMean);
    std::array<double, kEntries> values;
    for (int i = 0; i < kEntries; ++i)
        values[i] = dark + (light - dark) * std::pow(i / 255.0, gamma);
    return values;
}

// Entry 0 is the darkest colour and entry 255 the lightest; the others are distinct colours
// inside the box the two span, each the free one nearest its place on the ramps. Every colour
// in that box is at least as dark as the darkest and as light as the lightest, by any luminance.
std::vector<core::Rgb> palette(const Tone& tone, const std::array<double, 3>& wantedMean,
                               const std::array<int, kEntries>& uses) {
    std::array<std::array<double, kEntries>, 3> ramps;
    for (int k = 0; k < 3; ++k)
        ramps[k] = ramp(channel(tone.darkest, k), channel(tone.lightest, k), wantedMean[k], uses);
    std::vector<core::Rgb> colours(kEntries);
    colours.front() = tone.darkest;
    colours.back() = tone.lightest;
    std::set<std::uint32_t> taken{core::packed(tone.darkest), core::packed(tone.lightest)};
    for (int i = 1; i < kEntries - 1; ++i) {
        double best = 1e9;
        for (int dr = -2; dr <= 2; ++dr)
            for (int dg = -2; dg <= 2; ++dg)
                for (int db = -2; db <= 2; ++db) {
                    const int offset[3] = {dr, dg, db};
                    int value[3];
                    double distance = 0;
                    bool inside = true;
                    for (int k = 0; k < 3; ++k) {
                        value[k] = int(std::lround(ramps[k][i])) + offset[k];
                        inside = inside && value[k] >= channel(tone.darkest, k) &&
                                 value[k] <= channel(tone.lightest, k);
                        distance += (value[k] - ramps[k][i]) * (value[k] - ramps[k][i]);
                    }
                    const core::Rgb candidate{std::uint8_t(value[0]), std::uint8_t(value[1]),
                                              std::uint8_t(value[2])};
                    if (inside && distance < best && !taken.count(core::packed(candidate))) {
                        best = distance;
                        colours[i] = candidate;
                    }
                }
        taken.insert(core::packed(colours[i]));
    }
    return colours;
}

DrawnPicture drawBody(const Tone& tone) {
    DrawnPicture picture;
    picture.width = picture.height = kSkinSize;
    picture.bitsPerPixel = 8;
    picture.indices = quantize(shadingField(tone.figure));
    std::array<int, kEntries> uses{};
    for (std::uint8_t i : picture.indices)
        ++uses[i];
    // Rounding the ramps to distinct colours moves the mean a little: aim again, off by that much.
    std::array<double, 3> wanted{double(tone.mean.r), double(tone.mean.g), double(tone.mean.b)};
    for (int attempt = 0; attempt < 4; ++attempt) {
        picture.palette = palette(tone, wanted, uses);
        for (int k = 0; k < 3; ++k) {
            double sum = 0;
            for (int i = 0; i < kEntries; ++i)
                sum += uses[i] * double(channel(picture.palette[i], k));
            wanted[k] += channel(tone.mean, k) - sum / kPixels;
        }
    }
    return picture;
}

} // namespace

std::vector<DrawEntry> bodyPictures() {
    std::vector<DrawEntry> entries;
    for (const Tone& tone : kTones)
        entries.push_back({tone.name, [&tone] { return drawBody(tone); }});
    return entries;
}

} // namespace draw
