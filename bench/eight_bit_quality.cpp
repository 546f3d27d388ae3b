// The quality of the 8-bit save where it has to reduce colours, run by `make bench`: every
// stitched skin (bench/stitched_skins.h) is reduced, and its PSNR against the 24-bit image set
// beside the better of what ImageMagick's `convert -colors 256 -dither None` reaches on the same
// image in two orders of its options, when convert is installed. Prints one line a skin and a summary; exits
// 1 when the mean PSNR is below 40 dB or a skin comes out worse than ImageMagick's, so a regression does not
// pass by.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/stitched_skins.h"
#include "core/codec/bmp.h"
#include "core/eight_bit/colour_reduction.h"
#include "core/eight_bit/palette_choice.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMeanTarget = 40; // dB
constexpr double kMsTarget = 50;   // a 256 x 256 skin, reduced

// Peak signal-to-noise ratio of b against a in dB, over every channel of every pixel.
double psnr(const core::Picture& a, const core::Picture& b) {
    double squares = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const core::Rgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const auto& [u, v] : {std::pair{p.r, q.r}, {p.g, q.g}, {p.b, q.b}})
                squares += double(u - v) * double(u - v);
        }
    const double mse = squares / (double(a.width()) * a.height() * 3);
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

core::Picture paletted(const core::PaletteChoice& choice, int width, int height) {
    return core::Picture(width, height, core::Palette(choice.palette), choice.indices);
}

bool haveConvert() {
    return std::system("command -v convert >/dev/null 2>&1") == 0;
}

// ImageMagick's reductions of the image, read back: the options before the input, as its
// manual writes them, and -dither before -colors after it (where a setting must stand before
// the operator it governs). Either may come out better; empty where convert fails.
std::vector<core::Picture> imageMagick(const core::Picture& image, const fs::path& folder) {
    const std::string in = (folder / "in.bmp").string(), out = (folder / "out.bmp").string();
    if (!core::savePicture(image, in)) return {};
    std::vector<core::Picture> reduced;
    for (const std::string& command : {"convert -colors 256 -dither None '" + in + "' 'BMP3:" + out + "'",
                                       "convert '" + in + "' -dither None -colors 256 'BMP3:" + out + "'"}) {
        if (std::system((command + " 2>/dev/null").c_str()) != 0) continue;
        if (auto picture = core::loadPicture(out)) reduced.push_back(picture.value());
    }
    return reduced;
}

} // namespace

int main() {
    const auto skins = bench::stitchedSkins();
    const bool convert = haveConvert();
    std::string pattern = (fs::temp_directory_path() / "quiltane-quality-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const fs::path folder = pattern;

    std::printf("8-bit reduction of %zu stitched skins, libimagequant speed %d, no dithering\n", skins.size(),
                core::kReductionSpeed);
    std::printf("%-34s %8s %9s %9s %8s %8s\n", "skin", "colours", "ours dB", "IM dB", "margin", "ms");
    // Once before timing: the first reduction also sets up libimagequant's and OpenMP's state.
    (void)core::choosePalette(skins.front().image, core::Picture(), 0);
    double sumOurs = 0, sumTheirs = 0, worstMargin = 1e9, sumMs = 0, maxMs = 0;
    std::string worstSkin;
    int compared = 0, notReduced = 0;
    for (const auto& skin : skins) {
        // The median of three runs, so that another process taking the processor for a
        // moment does not count as the reduction's time.
        core::Result<core::PaletteChoice> choice = core::Status::error("not run");
        double runs[3];
        for (double& run : runs) {
            const auto start = std::chrono::steady_clock::now();
            choice = core::choosePalette(skin.image, core::Picture(), 0);
            run = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        }
        std::sort(std::begin(runs), std::end(runs));
        const double ms = runs[1];
        if (!choice) {
            std::printf("%s: %s\n", skin.name.c_str(), choice.message().c_str());
            return 2;
        }
        notReduced += choice.value().way != core::PaletteWay::Reduced;
        const double ours = psnr(skin.image, paletted(choice.value(), 256, 256));
        sumOurs += ours;
        sumMs += ms;
        maxMs = std::max(maxMs, ms);
        double their = -1; // ImageMagick's better PSNR
        if (convert)
            for (const core::Picture& theirs : imageMagick(skin.image, folder))
                their = std::max(their, psnr(skin.image, theirs));
        if (their >= 0) {
            sumTheirs += their;
            ++compared;
            if (ours - their < worstMargin) {
                worstMargin = ours - their;
                worstSkin = skin.name;
            }
            std::printf("%-34s %8lld %9.2f %9.2f %+8.2f %8.1f\n", skin.name.c_str(),
                        static_cast<long long>(core::countColours(skin.image)), ours, their, ours - their,
                        ms);
        } else {
            std::printf("%-34s %8lld %9.2f %9s %8s %8.1f\n", skin.name.c_str(),
                        static_cast<long long>(core::countColours(skin.image)), ours, "-", "-", ms);
        }
    }
    fs::remove_all(folder);

    const double n = double(skins.size()), meanOurs = sumOurs / n, meanMs = sumMs / n;
    std::printf("\nmean PSNR ours %.2f dB (target at least %.0f)", meanOurs, kMeanTarget);
    if (compared > 0)
        std::printf(", ImageMagick %.2f dB on %d skins; worst margin %+.2f dB (%s)", sumTheirs / compared,
                    compared, worstMargin, worstSkin.c_str());
    else
        std::printf("; ImageMagick's convert is not installed, so there is nothing to compare with");
    std::printf("\ntime per skin (median of 3 runs): mean %.1f ms, slowest %.1f ms (target under %.0f ms)\n",
                meanMs, maxMs, kMsTarget);
    if (notReduced > 0) std::printf("%d skins had 256 colours or fewer and were not reduced\n", notReduced);

    const bool good = meanOurs >= kMeanTarget && (compared == 0 || worstMargin >= 0);
    std::printf("%s\n", good ? "quality targets met" : "QUALITY TARGETS MISSED");
    return good ? 0 : 1;
}
