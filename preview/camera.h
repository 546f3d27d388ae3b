#pragma once
// The view of a body: an eye that circles the body's centre at the height and distance the user
// chose, always looking at the centre, so the body turns about its own middle and never leaves
// the picture, whatever its units. A perspective projection maps world points to picture pixels.

#include "preview/body.h"
#include "preview/vec.h"

namespace preview {

constexpr float kMaxPitch = 25; // degrees the eye may rise above or sink below the centre
constexpr float kMaxZoom = 4;   // how much closer than the whole-body view the eye may come

struct View {
    float yaw = 0;   // degrees around the body: 0 front, 90 its left side, 180 back, 270 its right
    float pitch = 0; // degrees above the centre's height (negative: below), within kMaxPitch
    float zoom = 1;  // 1 shows the whole body; up to kMaxZoom times as large
};

// yaw brought into [0, 360), pitch and zoom into their ranges.
View clampedView(View view);

// A point seen by the eye: x to the right and y downwards in picture pixels (pixel centres at
// .5), depth in world units in front of the eye.
struct Projected {
    float x, y, depth;
};

class Camera {
  public:
    // The eye for the view, for a picture of width x height pixels, framing the body.
    Camera(const View& view, int width, int height, const Body& body);

    Projected project(Vec3 world) const;
    // The least depth, in world units, at which a point is drawn: a small share of the eye's
    // distance at zoom 1, so it scales with the body.
    float nearest() const { return m_nearest; }
    // A direction given relative to the eye (x right, y up, z towards the eye) in world axes.
    Vec3 worldDirection(Vec3 eyeDirection) const;
    Vec3 eye() const { return m_eye; }

  private:
    Vec3 m_eye, m_right, m_up, m_back; // m_back points from the centre towards the eye
    float m_focal = 0;                 // pixels per unit of (offset / depth)
    float m_centreX = 0, m_centreY = 0;
    float m_nearest = 0;
};

} // namespace preview
