#include "preview/mannequin.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/body_around.h"
#include "core/skin_layout.h"
#include "core/smooth_step.h"
#include "preview/tube.h"

namespace preview {
namespace {

using core::kArmRight, core::kLegsTop, core::kSkinSize;
using core::kLeftLegAround, core::kRightLegAround, core::kTorsoAround;
using core::smoothstep;

// Heights in world units: the soles at 0, the crotch where the legs meet the hips, the base of
// the neck where the torso's row 0 lies.
constexpr float kCrotch = 80;
constexpr float kNeckBase = 145;
// The legs' top ends lie this far up inside the hips, so that no gap opens between them.
constexpr float kLegsInTorso = 0.5f;

// A shape that changes smoothly from knot to knot down the skin's rows: half-widths across (x)
// and from back to front (z).
struct Knot {
    float row, rx, rz;
};
template <std::size_t N> Knot along(const std::array<Knot, N>& knots, float row) {
    if (row <= knots.front().row) return knots.front();
    for (std::size_t i = 1; i < N; ++i)
        if (row < knots[i].row) {
            const float t = smoothstep(knots[i - 1].row, knots[i].row, row);
            return {row, std::lerp(knots[i - 1].rx, knots[i].rx, t),
                    std::lerp(knots[i - 1].rz, knots[i].rz, t)};
        }
    return knots.back();
}

// Torso and hips, rows 0-125: neck base, shoulders, chest, waist, hips, crotch.
constexpr std::array<Knot, 8> kTorso{{{0, 6.5f, 6},
                                      {5, 12.5f, 8},
                                      {12, 16.5f, 9.5f},
                                      {26, 16.5f, 10.5f},
                                      {46, 15, 10.5f},
                                      {70, 12.5f, 8.8f},
                                      {104, 16.6f, 10.4f},
                                      {kLegsTop, 16.5f, 9.9f}}};

// A leg, rows 126-255: thigh, knee, calf, ankle, foot.
constexpr std::array<Knot, 7> kLeg{{{kLegsTop, 8.2f, 9.4f},
                                    {150, 7.8f, 8.4f},
                                    {186, 5, 5.4f},
                                    {205, 5.3f, 6},
                                    {232, 3.2f, 3.6f},
                                    {246, 3.7f, 4},
                                    {kSkinSize, 3.5f, 3.8f}}};

// An arm, rows 0-255 of the arm strip: shoulder, upper arm, elbow, forearm, wrist, the flat
// hand (wide across, thin from back to front) and the fingertips.
constexpr std::array<Knot, 10> kArm{{{0, 2.5f, 2.5f},
                                     {6, 5, 5},
                                     {16, 5.8f, 5.8f},
                                     {80, 4.7f, 4.9f},
                                     {128, 3.6f, 3.8f},
                                     {165, 4, 4.2f},
                                     {218, 2.7f, 2.5f},
                                     {236, 3.8f, 1.9f},
                                     {250, 3.6f, 1.6f},
                                     {kSkinSize, 2.2f, 1}}};

// The left arm: the strip's middle column, where the back of the hand is drawn, faces outwards
// and a little forwards, so the thumb (columns 0-18) comes forward and the seam between
// columns 89 and 0 runs down the inside of the arm, towards the back.
constexpr float kArmMiddle = kArmRight / 2.0f;
constexpr ArcPiece kArmAround[] = {{0, kArmMiddle, -120, 60}, {kArmMiddle, kArmRight, 60, 240}};

constexpr ArcPiece kAllAround[] = {{0, 1, 0, 360}};

Mesh torso() {
    return tube({kTorsoAround, 0, kLegsTop, 43, 6,
                 [](float row) {
                     const Knot k = along(kTorso, row);
                     const float y = kNeckBase - row * (kNeckBase - kCrotch) / kLegsTop;
                     // Towards the crotch the hips square off to hold both legs' tops.
                     const float squareness = 2 + 0.6f * smoothstep(88, kLegsTop, row);
                     return Ring{{0, y, 0}, k.rx, k.rz, 1, squareness};
                 },
                 true, true});
}

// side: -1 for the right leg, +1 for the left. The legs stand a little apart, their thighs
// meeting under the hips; below the ankle the front of the leg reaches forwards into a foot
// about 20 units long.
Ring legRing(float side, float row) {
    const Knot k = along(kLeg, row);
    const float t = (row - kLegsTop) / (kSkinSize - kLegsTop);
    const float y = (kCrotch + kLegsInTorso) * (1 - t);
    const float x = side * std::lerp(8.2f, 7.6f, smoothstep(0, 1, t));
    return {{x, y, 0}, k.rx, k.rz, 1 + 3.6f * smoothstep(234, kSkinSize, row)};
}

Mesh leg(float side, std::span<const ArcPiece> around) {
    return tube({around, kLegsTop, kSkinSize, 41, 11.25f, [side](float row) { return legRing(side, row); },
                 false, true});
}

// Hangs from the shoulder down to the middle of the thigh, a little away from the body.
Mesh leftArm() {
    return tube({kArmAround, 0, kSkinSize, 37, 15,
                 [](float row) {
                     const Knot k = along(kArm, row);
                     const float t = row / kSkinSize;
                     const Vec3 shoulder{19.5f, 140, -0.5f}, fingertips{30, 69, 1.5f};
                     return Ring{shoulder + (fingertips - shoulder) * t, k.rx, k.rz};
                 },
                 true, true});
}

// The head, an ellipsoid, parameter 0 at its top to 1 at its bottom (inside the neck); the
// neck, parameter 0 at its top to 1 at its base (inside the torso).
Mesh neckAndHead() {
    Mesh mesh = tube(
        {kAllAround, 0, 1, 16, 15, [](float t) {
             const float angle = std::clamp(t, 0.01f, 0.99f) * std::numbers::pi_v<float>;
             return Ring{{0, 162 + 11 * std::cos(angle), 0.8f}, 8 * std::sin(angle), 9.5f * std::sin(angle)};
         }});
    mesh.append(tube({kAllAround, 0, 1, 4, 15, [](float t) {
                          return Ring{{0, 155 - 14 * t, 0}, 4.8f + 0.6f * t, 5 + 0.6f * t};
                      }}));
    return mesh;
}

Body build() {
    Mesh skin = torso();
    skin.append(leg(-1, kRightLegAround));
    skin.append(leg(1, kLeftLegAround));
    const Mesh arm = leftArm();
    skin.append(arm);
    skin.append(mirroredX(arm));
    return measuredBody(std::move(skin), neckAndHead(), 0, 0);
}

} // namespace

const Body& mannequin() {
    static const Body built = build();
    return built;
}

Vec3 facingAt(float u, float v) {
    const Vertex* nearest = nullptr;
    float best = 0;
    for (const Vertex& vertex : mannequin().skin.vertices) {
        const float d = (vertex.u - u) * (vertex.u - u) + (vertex.v - v) * (vertex.v - v);
        if (!nearest || d < best) nearest = &vertex, best = d;
    }
    return nearest ? nearest->normal : Vec3{0, 0, 1};
}

} // namespace preview
