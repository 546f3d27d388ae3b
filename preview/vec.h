#pragma once
// Three-component vectors for the mannequin and the camera: world units, y up, the body facing +z.

#include <cmath>

namespace preview {

struct Vec3 {
    float x = 0, y = 0, z = 0;

    friend Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
    friend Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
    friend Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
};

inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
// a unchanged when it has no length.
inline Vec3 normalized(Vec3 a) {
    const float length = std::sqrt(dot(a, a));
    return length > 0 ? a * (1 / length) : a;
}

} // namespace preview
