#pragma once
// Small rasters drawn as text for the retouch tests: one letter a pixel, each letter a colour,
// so a test states its expected pixels literally and a wrong pixel shows where it is.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/retouch/raster.h"

namespace retouch_test {

// The letters and their colours: a and A nearly alike, the others far apart.
struct Letter {
    char letter;
    core::Rgb colour;
};
constexpr Letter kLetters[] = {
    {'a', {200, 40, 40}}, {'A', {204, 42, 40}},   {'b', {40, 40, 200}}, {'c', {40, 180, 40}},
    {'x', {250, 250, 0}}, {'.', {255, 255, 255}}, {'#', {0, 0, 0}},
};

inline core::Rgb colourOf(char letter) {
    for (const Letter& l : kLetters)
        if (l.letter == letter) return l.colour;
    ADD_FAILURE() << "no colour for '" << letter << "'";
    return {};
}

// Rows top to bottom, all of one length.
inline core::retouch::Raster rasterOf(const std::vector<std::string>& rows) {
    core::retouch::Raster raster(int(rows[0].size()), int(rows.size()), core::Rgb{});
    for (int y = 0; y < raster.height(); ++y)
        for (int x = 0; x < raster.width(); ++x)
            raster.setPixel(x, y, colourOf(rows[std::size_t(y)][std::size_t(x)]));
    return raster;
}

// The raster as rows of letters; '?' for a colour no letter has.
inline std::vector<std::string> textOf(const core::retouch::Raster& raster) {
    std::vector<std::string> rows;
    for (int y = 0; y < raster.height(); ++y) {
        std::string row;
        for (int x = 0; x < raster.width(); ++x) {
            char letter = '?';
            for (const Letter& l : kLetters)
                if (l.colour == raster.pixel(x, y)) letter = l.letter;
            row += letter;
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace retouch_test
