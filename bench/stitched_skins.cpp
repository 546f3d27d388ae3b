#include "bench/stitched_skins.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "stamps/runner.h"

namespace bench {

core::Picture colourfulDestination(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    double corners[4][3]; // top left, top right, bottom left, bottom right
    for (auto& corner : corners)
        for (double& channel : corner)
            channel = 255 * unit(random);
    // Woven stripes across the gradient: an angle, a period in pixels and a depth per channel.
    const double angle = std::numbers::pi * unit(random), period = 6 + 40 * unit(random);
    const double dx = std::cos(angle) * 2 * std::numbers::pi / period;
    const double dy = std::sin(angle) * 2 * std::numbers::pi / period;
    double depth[3];
    for (double& d : depth)
        d = 10 + 40 * unit(random);
    std::uniform_int_distribution<int> noise(-2, 2);

    std::vector<std::uint8_t> rgb;
    rgb.reserve(256 * 256 * 3);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const double u = x / 255.0, v = y / 255.0, wave = std::sin(x * dx + y * dy);
            for (int c = 0; c < 3; ++c) {
                const double top = corners[0][c] * (1 - u) + corners[1][c] * u;
                const double bottom = corners[2][c] * (1 - u) + corners[3][c] * u;
                const double value = top * (1 - v) + bottom * v + depth[c] * wave + noise(random);
                rgb.push_back(std::uint8_t(std::clamp(std::lround(value), 0L, 255L)));
            }
        }
    return core::Picture(256, 256, rgb);
}

std::vector<StitchedSkin> stitchedSkins() {
    std::vector<const stamps::ButtonSpec*> masks, bodies;
    for (const stamps::ButtonSpec& button : stamps::allButtons()) {
        if (button.group == stamps::Group::OutfitMasks) masks.push_back(&button);
        // The whole fills; "test" is only the first of a fill's two paints.
        if (button.group == stamps::Group::BodyCopy && button.steps.size() == 2) bodies.push_back(&button);
    }
    std::vector<StitchedSkin> skins;
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const stamps::ButtonSpec& body = *bodies[i % bodies.size()];
        stamps::Workspace workspace;
        workspace.picTarget.setPicture(colourfulDestination(unsigned(i) + 1));
        stamps::runButton(*masks[i], workspace);
        stamps::runButton(body, workspace);
        skins.push_back({std::string(masks[i]->caption) + " + " + std::string(body.caption),
                         workspace.picTarget.image()});
    }
    return skins;
}

} // namespace bench
