#pragma once
// Angles: the preview states them in degrees (the view's yaw and pitch, the arcs of a tube) and
// hands the maths library radians.

#include <concepts>
#include <numbers>

namespace preview {

template <std::floating_point T> constexpr T radians(T angleInDegrees) {
    return angleInDegrees * std::numbers::pi_v<T> / 180;
}
template <std::floating_point T> constexpr T degrees(T angleInRadians) {
    return angleInRadians * 180 / std::numbers::pi_v<T>;
}

} // namespace preview
