#include "preview/lighting.h"

#include <algorithm>

namespace preview {
namespace {

// Shares of the surface colour: what every surface gets, and what each light adds at most.
constexpr float kAmbient = 0.4f;
constexpr float kKey = 0.62f;
constexpr float kFill = 0.16f;

} // namespace

Lighting::Lighting(const Camera& camera)
    : m_key(normalized(camera.worldDirection({-0.45f, 0.55f, 0.7f}))),
      m_fill(normalized(camera.worldDirection({0.8f, -0.1f, 0.6f}))) {}

float Lighting::brightness(Vec3 normal) const {
    const float light =
        kAmbient + kKey * std::max(0.0f, dot(normal, m_key)) + kFill * std::max(0.0f, dot(normal, m_fill));
    return std::min(light, 1.0f);
}

} // namespace preview
