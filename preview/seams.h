#pragma once
// The seam check: wherever the skin wraps round a part of the mannequin, two columns of the skin
// that lie apart in the picture meet on the body. If their pixels differ, the body shows a
// break there. Each seam is compared row by row in CIEDE2000, and scored by the mean difference
// and the rows where it is worst.

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "core/picture.h"
#include "preview/camera.h"

namespace preview {

// One side of a seam: the skin column next to it, and the way (+1 or -1) the skin runs on from
// there, away from the seam.
struct SeamSide {
    int column;
    int inward;
};

struct SeamSpec {
    std::string_view key;  // "torsoRight": names the seam in code; the window's seam list finds its row by it
    std::string_view name; // "torso, right side"
    SeamSide first, second;
    int topRow, bottomRow; // the rows it runs along, pixel edges: topRow to bottomRow - 1
    float yaw;             // the view that faces it
};

// Every seam of the mannequin, torso and legs first, then the arms.
std::span<const SeamSpec> allSeams();

// How many of the worst rows a score names.
constexpr int kWorstRowCount = 3;

struct SeamScore {
    const SeamSpec* seam = nullptr;
    double meanDifference = 0; // CIEDE2000, averaged over the seam's rows
    // Up to kWorstRowCount rows with the largest difference, worst first (the upper row first
    // among equals); rows where the two sides match exactly are never named.
    std::vector<int> worstRows;
};

// skin: an RGB picture of 256 x 256 pixels, such as a canvas's persistent image.
SeamScore checkSeam(const core::Picture& skin, const SeamSpec& seam);
std::vector<SeamScore> checkSeams(const core::Picture& skin);

// The view that turns the mannequin to the seam, at the given zoom: from the seam's side, the
// eye raised or lowered towards where the first of the rows faces (the top of the shoulders
// faces up, the soles down); the seam's middle row where no rows are given.
View viewOfSeam(const SeamSpec& seam, std::span<const int> rows, float zoom);

// What a mark on a row covers on each side of the seam: the seam's column and two beyond it,
// the row and one above and below; columns left to right - 1, rows top to bottom - 1. Parts
// outside the skin are left out when marking.
struct MarkArea {
    int left, top, right, bottom;
};
std::array<MarkArea, 2> markAreas(const SeamSpec& seam, int row);

// The skin with the rows marked in kMarkColour, to show where they lie on the mannequin.
constexpr core::Rgb kMarkColour{255, 0, 255};
core::Picture markRows(const core::Picture& skin, const SeamSpec& seam, std::span<const int> rows);

} // namespace preview
