#include "preview/obj_writer.h"

#include <charconv>

#include "core/skin_layout.h"

namespace preview {
namespace {

void put(std::string& text, float number) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
    text += ' ';
    text.append(digits, error == std::errc() ? end : digits);
}

} // namespace

std::string objText(const Mesh& mesh) {
    std::string text;
    for (const Vertex& vertex : mesh.vertices) {
        text += 'v';
        for (const float coordinate : {vertex.position.x, vertex.position.y, vertex.position.z})
            put(text, coordinate);
        text += "\nvt";
        put(text, vertex.u / core::kSkinSize);
        put(text, 1 - vertex.v / core::kSkinSize);
        text += '\n';
    }
    for (const auto& triangle : mesh.triangles) {
        text += 'f';
        for (const std::uint32_t corner : triangle) {
            const std::string index = std::to_string(corner + 1);
            text += ' ' + index + '/' + index;
        }
        text += '\n';
    }
    return text;
}

} // namespace preview
