#pragma once
// The skins the 8-bit benchmarks reduce: colourful 24-bit destinations (smooth gradients,
// woven stripes and a little noise, tens of thousands of colours each) with an outfit mask and
// a bare-body fill stamped on them by the real stamps, as a user makes a skin.

#include <string>
#include <vector>

#include "core/picture.h"

namespace bench {

struct StitchedSkin {
    std::string name; // "Bikini 402 + Med Fem"
    core::Picture image;
};

// One skin for every outfit-mask button, each with the next body fill in turn.
std::vector<StitchedSkin> stitchedSkins();

// A 256 x 256 colourful destination; seed picks its colours and pattern.
core::Picture colourfulDestination(unsigned seed);

} // namespace bench
