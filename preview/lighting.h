#pragma once
// Light on the mannequin: a key light from above the eye's left shoulder and a weak fill from
// its right, both fixed to the eye, so whichever side the user turns towards is lit the same
// way, plus an even ambient share that keeps the far side readable.

#include "preview/camera.h"
#include "preview/vec.h"

namespace preview {

class Lighting {
  public:
    explicit Lighting(const Camera& camera);

    // How much of a surface's own colour shows, 0 to 1, for its outward unit normal.
    float brightness(Vec3 normal) const;

  private:
    Vec3 m_key, m_fill; // unit directions towards the lights, world axes
};

} // namespace preview
