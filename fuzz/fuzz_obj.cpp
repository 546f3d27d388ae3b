// libFuzzer entry point: any bytes go through the OBJ reader, with limits small enough to keep
// each run quick. It must either give a mesh whose triangles name its own vertices, each at a
// finite place with a finite normal, or a reason; anything else (a crash, a sanitizer report, a
// huge allocation) is a finding.

#include <cmath>
#include <cstdlib>

#include "preview/obj_reader.h"

namespace {

bool finite(preview::Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto mesh = preview::readObj(text, {std::size_t(1) << 20, 20000});
    if (!mesh) {
        if (mesh.message().empty()) std::abort();
        return 0;
    }
    const preview::Mesh& m = mesh.value();
    if (m.triangles.empty()) std::abort();
    for (const auto& triangle : m.triangles)
        for (const std::uint32_t corner : triangle)
            if (corner >= m.vertices.size()) std::abort();
    for (const preview::Vertex& vertex : m.vertices)
        if (!finite(vertex.position) || !finite(vertex.normal) || !std::isfinite(vertex.u) ||
            !std::isfinite(vertex.v))
            std::abort();
    return 0;
}
