#include "preview/camera.h"

#include <algorithm>
#include <cmath>

#include "preview/angles.h"

namespace preview {
namespace {

constexpr float kFieldOfView = 30; // degrees from the picture's top to bottom (or side to side)
constexpr float kMargin = 1.05f;   // room around the whole body at zoom 1
// The share of the eye's distance at zoom 1 nearer than which nothing is drawn. The mannequin's
// nearest vertex stays beyond a tenth of that distance at the closest zoom.
constexpr float kNearShare = 0.01f;

} // namespace

View clampedView(View view) {
    view.yaw = std::fmod(view.yaw, 360.0f);
    if (view.yaw < 0) view.yaw += 360;
    if (!(view.pitch >= -kMaxPitch)) view.pitch = -kMaxPitch; // also catches NaN
    view.pitch = std::min(view.pitch, kMaxPitch);
    if (!(view.zoom >= 1)) view.zoom = 1;
    view.zoom = std::min(view.zoom, kMaxZoom);
    return view;
}

Camera::Camera(const View& requested, int width, int height, const Body& body) {
    const View view = clampedView(requested);
    const float halfAngle = std::tan(radians(kFieldOfView / 2));
    // At zoom 1 the body's height, or its width round the axis where that is larger (a body
    // lying down), seen where its nearest parts come, fits the shorter side.
    const float halfSize = std::max(body.height / 2, body.reach);
    const float wholeBody = kMargin * halfSize / halfAngle + body.reach;
    const float distance = wholeBody / view.zoom;
    m_nearest = kNearShare * wholeBody;
    const float yaw = radians(view.yaw), pitch = radians(view.pitch);
    m_back = {std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch)};
    m_eye = body.centre + m_back * distance;
    m_right = normalized(cross({0, 1, 0}, m_back));
    m_up = cross(m_back, m_right);
    m_focal = std::min(width, height) / 2.0f / halfAngle;
    m_centreX = width / 2.0f;
    m_centreY = height / 2.0f;
}

Projected Camera::project(Vec3 world) const {
    const Vec3 offset = world - m_eye;
    const float depth = -dot(offset, m_back);
    return {m_centreX + m_focal * dot(offset, m_right) / depth,
            m_centreY - m_focal * dot(offset, m_up) / depth, depth};
}

Vec3 Camera::worldDirection(Vec3 eyeDirection) const {
    return m_right * eyeDirection.x + m_up * eyeDirection.y + m_back * eyeDirection.z;
}

} // namespace preview
