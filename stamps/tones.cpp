// Every tone (see tones.h).

#include "stamps/tones.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <new>
#include <optional>
#include <thread>

#include "core/file_messages.h"
#include "core/mask/garment_map.h"
#include "core/raster_op.h"
#include "core/worker_threads.h"
#include "stamps/cookie_cutter.h"
#include "stamps/file_origin.h"
#include "stamps/own_pictures.h"

namespace stamps {
namespace {

namespace fs = std::filesystem;

constexpr const char* kContext = "Cannot save every tone";

core::Status refused(const std::string& reason) {
    return core::Status::usage(reason).withContext(kContext);
}

// Whether two paths name one file: the same file where both exist, else the same resolved path.
bool samePlace(const std::string& a, const std::string& b) {
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error)) return fs::equivalent(a, b, error);
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// Runs stage(i) for every i below count on as many threads as there are processors (see
// core::runOnThreads), each result in its own place.
template <typename Result, typename Stage>
std::vector<std::optional<Result>> onEveryCore(std::size_t count, const Stage& stage) {
    std::vector<std::optional<Result>> results(count);
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < count;)
            results[i].emplace(stage(i));
    };
    core::runOnThreads(std::min<std::size_t>(count, std::max(1u, std::thread::hardware_concurrency())), work);
    return results;
}

} // namespace

std::string toneFileName(const std::string& destination, const BareBody& body) {
    return fs::path(destination).stem().string() + "-" + body.fileName + ".bmp";
}

std::string replacedInput(const Workspace& workspace, const std::string& path,
                          const std::vector<std::string>& others) {
    std::vector<std::string> inputs = others;
    for (CanvasId canvas : {CanvasId::picSource, CanvasId::picTarget})
        if (const FileOrigin* origin = fileOf(workspace, canvas); origin && !origin->path.empty())
            inputs.push_back(origin->path);
    for (const std::string& input : inputs)
        if (!input.empty() && samePlace(path, input)) return input;
    return {};
}

core::Result<core::Picture> toneImage(const Workspace& workspace, const BareBody& body) {
    // A body fill is two whole-skin paints of the same size at (0, 0), so each pixel's bytes
    // combine on their own: the scratch is the source canvas's image combined with the body by
    // the first paint's operation, and the tone the destination's combined with that by the
    // second's. Worked out byte by byte here, without copying the canvases.
    constexpr auto kFill = bodyFillSteps(PictureSource::Given);
    static_assert(kFill[1].source == PictureSource::SourceImage, "the second paint ANDs the scratch in");
    if (core::Status sized = core::checkSkinSized(body.picture); !sized)
        return sized.withContext("Cannot put the garment on " + body.label);
    constexpr int kRow = core::kSkinSize * core::Picture::kChannels;
    try {
        core::PictureBuffer tone(core::kSkinSize, core::kSkinSize);
        std::uint8_t scratch[kRow];
        const std::uint8_t* source = workspace.picSource.imageBytes();
        const std::uint8_t* target = workspace.picTarget.imageBytes();
        for (int y = 0; y < core::kSkinSize; ++y) {
            const std::uint8_t* bodyRow = body.picture.rgbRow(y, scratch);
            const std::size_t at = std::size_t(y) * kRow;
            std::uint8_t* toneRow = tone.row(y);
            for (int i = 0; i < kRow; ++i) {
                const std::uint8_t shown = core::combine(kFill[0].args.op, source[at + i], bodyRow[i]);
                toneRow[i] = core::combine(kFill[1].args.op, target[at + i], shown);
            }
        }
        return std::move(tone).finish();
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("There is not enough memory to put the garment on " + body.label +
                                         ".");
    }
}

core::Result<std::vector<std::string>> plannedTones(const Workspace& workspace, const TonesRequest& request) {
    std::error_code error;
    if (!fs::exists(request.folder, error))
        return refused("the folder " + request.folder + " does not exist.");
    if (!fs::is_directory(request.folder, error)) return refused(request.folder + " is not a folder.");
    if (request.bodies.empty()) return refused("no body is chosen.");
    if (request.destination.empty())
        return refused("the destination has no file to name the tones after; open it from a file first.");

    std::vector<std::string> others{request.destination};
    for (const BareBody& body : request.bodies)
        others.push_back(body.file);
    std::vector<std::string> paths;
    std::map<std::string, std::string> byName; // file name -> the body's label
    for (const BareBody& body : request.bodies) {
        const std::string name = toneFileName(request.destination, body);
        const std::string path = (fs::path(request.folder) / name).string();
        if (const auto [first, added] = byName.emplace(name, body.label); !added)
            return refused(first->second + " and " + body.label + " would both be saved as " + path + ".");
        if (const std::string input = replacedInput(workspace, path, others); !input.empty())
            return refused(path + " would replace the input " + input + ".");
        paths.push_back(path);
    }
    return paths;
}

core::Result<std::vector<std::string>> saveTones(const Workspace& workspace, const TonesRequest& request) {
    core::Result<std::vector<std::string>> planned = plannedTones(workspace, request);
    if (!planned) return planned;
    const std::vector<std::string>& paths = planned.value();

    using Staged = core::Result<StagedSave>;
    std::vector<std::optional<Staged>> staged =
        onEveryCore<Staged>(paths.size(), [&](std::size_t i) -> Staged {
            try {
                core::Result<core::Picture> image = toneImage(workspace, request.bodies[i]);
                if (!image) return image.status();
                return stageAs(request.format, image.value(), workspace.picTarget.picture(), paths[i],
                               request.options);
            } catch (const std::bad_alloc&) {
                return core::Status::outOfMemory("There is not enough memory to save " + paths[i] + ".");
            }
        });
    // One failure and none is committed: the staged files are discarded as they go.
    std::vector<core::AtomicFile> files;
    files.reserve(staged.size());
    for (std::optional<Staged>& one : staged) {
        if (!one->isOk()) return one->status();
        files.push_back(std::move(one->value().file));
    }
    const std::vector<core::Status> committed = core::AtomicFile::commitTogether(files);
    for (std::size_t i = 0; i < committed.size(); ++i)
        if (!committed[i]) return committed[i].withContext(core::cannotSave(paths[i]));
    return paths;
}

} // namespace stamps
