#pragma once
// The smooth step: 0 up to `from`, 1 from `to` on, and between them the cubic 3t^2 - 2t^3 of the
// way t from one to the other, level at both ends. Shapes that change down a body (the
// mannequin's cross-sections, the shading of the body pictures) blend through it so that no
// crease shows where one stretch meets the next. from and to must differ.

#include <algorithm>
#include <concepts>
#include <type_traits>

namespace core {

template <std::floating_point T>
constexpr T smoothstep(std::type_identity_t<T> from, std::type_identity_t<T> to, T v) {
    const T t = std::clamp((v - from) / (to - from), T(0), T(1));
    return t * t * (3 - 2 * t);
}

} // namespace core
