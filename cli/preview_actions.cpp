#include "cli/preview_actions.h"

#include <cstdio>
#include <ostream>

#include "core/codec/bmp.h"
#include "preview/render.h"
#include "preview/seams.h"

namespace cli {
namespace {

constexpr int kPreviewSize = 512; // pixels a side

} // namespace

core::Status writePreview(const core::Picture& skin, const preview::Body& body, double yaw,
                          const std::string& path) {
    const preview::View view{float(yaw), 0, 1};
    return core::savePicture(preview::renderSkin(skin, view, kPreviewSize, kPreviewSize, body), path);
}

void printSeams(const core::Picture& skin, std::ostream& out) {
    for (const preview::SeamScore& score : preview::checkSeams(skin)) {
        char figure[32];
        std::snprintf(figure, sizeof figure, "%.1f", score.meanDifference);
        out << score.seam->name << '\t' << figure << '\t';
        if (score.worstRows.empty()) out << '-';
        for (std::size_t i = 0; i < score.worstRows.size(); ++i)
            out << (i ? " " : "") << score.worstRows[i];
        out << '\n';
    }
}

} // namespace cli
