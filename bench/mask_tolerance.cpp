// How far the mask maker's tolerance must reach and how large the areas its tidying cleans may
// be, measured: garments painted on the library's bare bodies by the real stamps (every outfit
// mask, each on every body), saved through the 8-bit path, then compared with the body as the
// mask maker compares them (CIEDE2000). Three sets: a colourful garment
// (bench::colourfulDestination) saved without dithering and with full dithering, and a
// skin-coloured one, the bare body of the next tone (the light female body's garment cut from
// the medium female body, and so on), about the hardest a garment can be to tell from the body.
//
// For each set it prints how far the 8-bit save moved the bare pixels (which must count as
// bare, so the tolerance must lie above), how close the garment's pixels and its edge pixels
// (those beside bare skin) come to the body (which must count as garment, so the tolerance must
// lie below), and for a row of tolerances how many pixels the made mask gets wrong against the
// true mask after tidying: bare pixels taken for garment (what the tolerance is there to
// prevent) and garment pixels taken for bare skin (mostly garment that has the body's colour
// there, which no tolerance tells apart), and how many before tidying.
//
// Usage: quiltane_mask_tolerance [LARGEST]   LARGEST: the largest area tidying cleans away, in
// pixels (core::kTidyPixels unless given), to see what another size would do.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/stitched_skins.h"
#include "core/colour_difference.h"
#include "core/eight_bit/palette_choice.h"
#include "core/mask/mask_maker.h"
#include "stamps/runner.h"

namespace {

struct Sample {
    core::Picture saved;    // the skin after the 8-bit save
    core::Picture body;     // the bare body it was painted on
    core::GarmentMap truth; // the library mask's garment
};

using Bodies = std::vector<const stamps::ButtonSpec*>;
// The destination a garment is cut from, for the mask and body of these indices.
using GarmentSource = std::function<core::Picture(std::size_t mask, std::size_t body, const Bodies&)>;

core::Picture throughEightBits(const core::Picture& skin, float dithering) {
    auto choice = core::choosePalette(skin, core::Picture(), dithering);
    if (!choice) return skin;
    return core::Picture(skin.width(), skin.height(), core::Palette(choice.value().palette),
                         choice.value().indices);
}

Bodies buttonsOf(stamps::Group group) {
    Bodies found;
    for (const stamps::ButtonSpec& button : stamps::allButtons())
        if (button.group == group && button.steps.size() == 2) found.push_back(&button);
    return found;
}

// Every outfit mask on every body.
std::vector<Sample> samples(const GarmentSource& garmentOf, float dithering) {
    const Bodies masks = buttonsOf(stamps::Group::OutfitMasks);
    const Bodies bodies = buttonsOf(stamps::Group::BodyCopy);
    std::vector<Sample> all;
    for (std::size_t m = 0; m < masks.size(); ++m)
        for (std::size_t b = 0; b < bodies.size(); ++b) {
            stamps::Workspace workspace;
            workspace.picTarget.setPicture(garmentOf(m, b, bodies));
            stamps::runButton(*masks[m], workspace);
            stamps::runButton(*bodies[b], workspace);
            all.push_back({throughEightBits(workspace.picTarget.image(), dithering),
                           workspace.library->picture(bodies[b]->steps.front().image),
                           core::garmentOf(workspace.library->picture(masks[m]->steps.front().image))});
        }
    return all;
}

double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

bool besideBare(const core::GarmentMap& map, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < core::kSkinSize && ny < core::kSkinSize && !map.at(nx, ny))
                return true;
        }
    return false;
}

// A count of wrong pixels over the skins: its sum and its largest.
struct Count {
    double sum = 0;
    int worst = 0;
    void add(int n) {
        sum += n;
        worst = std::max(worst, n);
    }
};

void report(const char* set, const std::vector<Sample>& all, int tidyLargest) {
    std::vector<double> bare, garment, edge;
    for (const Sample& s : all)
        for (int y = 0; y < core::kSkinSize; ++y)
            for (int x = 0; x < core::kSkinSize; ++x) {
                const core::Lab body = core::labFromRgb(s.body.pixel(x, y));
                const double saved = core::deltaE2000(core::labFromRgb(s.saved.pixel(x, y)), body);
                if (!s.truth.at(x, y)) {
                    bare.push_back(saved);
                    continue;
                }
                garment.push_back(saved);
                if (besideBare(s.truth, x, y)) edge.push_back(saved);
            }
    std::printf("%s, %zu skins:\n", set, all.size());
    std::printf("  bare pixels moved by the save:  99%% within %.2f, 99.9%% within %.2f, all within %.2f\n",
                percentile(bare, 0.99), percentile(bare, 0.999), percentile(bare, 1));
    std::printf("  garment pixels from the body:   0.1%% within %.2f, 1%% within %.2f\n",
                percentile(garment, 0.001), percentile(garment, 0.01));
    std::printf("  garment edge pixels:            0.1%% within %.2f, 1%% within %.2f\n",
                percentile(edge, 0.001), percentile(edge, 0.01));
    std::printf(
        "  tolerance  wrong pixels a skin (mean, worst skin): bare taken for garment, garment\n"
        "             taken for bare, after tidying areas of at most %d pixel(s); all wrong before tidying\n",
        tidyLargest);
    for (double tolerance : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        Count falseGarment, falseBare, raw;
        for (const Sample& s : all) {
            core::GarmentMap made = core::differingPixels(s.saved, s.body, tolerance);
            int rawWrong = 0, garmentWrong = 0, bareWrong = 0;
            for (std::size_t i = 0; i < made.garment.size(); ++i)
                rawWrong += made.garment[i] != s.truth.garment[i];
            core::tidyMask(made, tidyLargest);
            for (std::size_t i = 0; i < made.garment.size(); ++i) {
                garmentWrong += made.garment[i] && !s.truth.garment[i];
                bareWrong += !made.garment[i] && s.truth.garment[i];
            }
            raw.add(rawWrong);
            falseGarment.add(garmentWrong);
            falseBare.add(bareWrong);
        }
        const double n = double(all.size());
        std::printf("  %9.1f  %7.2f, %4d   %7.1f, %5d   %7.1f, %5d%s\n", tolerance, falseGarment.sum / n,
                    falseGarment.worst, falseBare.sum / n, falseBare.worst, raw.sum / n, raw.worst,
                    tolerance == core::kDefaultMaskTolerance ? "   (the default)" : "");
    }
}

} // namespace

int main(int argc, char** argv) {
    const int tidyLargest = argc > 1 ? std::atoi(argv[1]) : core::kTidyPixels;
    const GarmentSource colourful = [](std::size_t m, std::size_t, const Bodies&) {
        return bench::colourfulDestination(unsigned(m) + 1);
    };
    const GarmentSource skinColoured = [](std::size_t, std::size_t b, const Bodies& bodies) {
        return core::ImageLibrary::shared().picture(bodies[(b + 1) % bodies.size()]->steps.front().image);
    };
    report("Colourful garments saved as 8 bits", samples(colourful, 0), tidyLargest);
    report("Colourful garments saved as 8 bits, fully dithered", samples(colourful, 1), tidyLargest);
    report("Skin-coloured garments saved as 8 bits", samples(skinColoured, 0), tidyLargest);
    return 0;
}
