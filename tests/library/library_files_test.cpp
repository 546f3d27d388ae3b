// The files in assets/: exactly what the drawing code draws today, in the stored formats and
// sizes, and embedded into the program unchanged.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "tools/draw_library/bmp_writer.h"
#include "tools/draw_library/library_drawing.h"

namespace {

using core::ImageId;
using Bytes = std::vector<std::uint8_t>;

std::string assetPath(std::string_view name) {
    return std::string(QUILTANE_SOURCE_DIR "/assets/") + std::string(name) + ".bmp";
}

Bytes readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Redraws every picture and compares it with its file, so that drawing code and data never
// drift apart. A difference is either a fault in the drawing code or an intended change of a
// picture: the library tests that check each picture against its stated facts (mask shapes and
// shares, body colours, accessory sizes) tell which, and only then are the files regenerated.
TEST(LibraryFiles, AssetsAreWhatTheDrawingCodeDraws) {
    const std::vector<draw::DrawEntry> entries = draw::libraryPictures();
    ASSERT_EQ(entries.size(), std::size_t(core::kImageCount));
    for (int i = 0; i < core::kImageCount; ++i) {
        const draw::DrawEntry& entry = entries[i];
        EXPECT_EQ(entry.name, core::imageName(ImageId(i)));
        const Bytes drawn = draw::encodeDrawnBmp(entry.draw());
        EXPECT_TRUE(drawn == readFile(assetPath(entry.name)))
            << "assets/" << entry.name
            << ".bmp differs from its drawing. First check the drawing against the picture's stated "
               "facts (the library tests: mask shapes and shares, body colours, accessory sizes); only "
               "when those pass and the change is intended, regenerate with build/bin/draw_library assets.";
    }
}

TEST(LibraryFiles, EmbeddedBytesAreTheAssetFiles) {
    for (int i = 0; i < core::kImageCount; ++i) {
        const std::string_view name = core::imageName(ImageId(i));
        const std::span<const std::uint8_t> embedded = core::embeddedBmp(ImageId(i));
        EXPECT_TRUE(Bytes(embedded.begin(), embedded.end()) == readFile(assetPath(name)))
            << name << " is embedded stale or missing";
    }
}

// Width, height and depth per kind of picture, and the file sizes that follow: headers of 54
// bytes, 4 bytes per palette entry, rows padded to 4 bytes.
TEST(LibraryFiles, FormatsAndSizes) {
    struct Kind {
        int width, height, bits;
        std::size_t fileSize;
    };
    const Kind mask{256, 256, 1, 8254}, body{256, 256, 8, 66614}, sneakers{166, 19, 24, 9554};
    const std::map<ImageId, Kind> special{
        {ImageId::imgBimbo, {256, 256, 24, 196662}},
        {ImageId::imgDarkBody, body},
        {ImageId::imgMedBody, body},
        {ImageId::imgLightBody, body},
        {ImageId::imgMaleLight, body},
        {ImageId::imgMaleDark, body},
        {ImageId::imgMaleMed, body},
        {ImageId::imgMaidCollar, {119, 13, 8, 2638}},
        {ImageId::imgGoldRing, {3, 3, 8, 1090}},
        {ImageId::imgSilverRing, {3, 3, 8, 1090}},
        {ImageId::imgBlackSneakers, sneakers},
        {ImageId::imgRedSneakers, sneakers},
        {ImageId::imgHighHeels, sneakers},
        {ImageId::imgSandals, {166, 13, 24, 6554}},
        {ImageId::imgSmallBlackBoots, {166, 23, 8, 4942}},
        {ImageId::imgSmallBrownBoots, {166, 23, 8, 4942}},
        {ImageId::imgBigBlackBoots, {166, 71, 24, 35554}},
        {ImageId::imgMidriffDrk, {166, 7, 24, 3554}},
        {ImageId::imgMidriffMed, {166, 7, 8, 2254}},
        {ImageId::imgMidriffLgt, {166, 7, 24, 3554}},
    };
    std::size_t total = 0;
    for (int i = 0; i < core::kImageCount; ++i) {
        const ImageId id = ImageId(i);
        SCOPED_TRACE(std::string(core::imageName(id)));
        const auto found = special.find(id);
        const Kind kind = found == special.end() ? mask : found->second;
        const std::span<const std::uint8_t> file = core::embeddedBmp(id);
        total += file.size();
        EXPECT_EQ(file.size(), kind.fileSize);
        const core::Result<core::BmpInfo> info = core::readBmpInfo(file);
        ASSERT_TRUE(info) << info.message();
        EXPECT_EQ(info.value().width, kind.width);
        EXPECT_EQ(info.value().height, kind.height);
        EXPECT_EQ(info.value().bitsPerPixel, kind.bits);
        EXPECT_FALSE(info.value().topDown);
        EXPECT_EQ(info.value().compression, "none");
        EXPECT_EQ(info.value().headerSize, 40);
        if (kind.bits == 1) { // palette entry 0 black, entry 1 white
            EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
        }
    }
    EXPECT_EQ(total, 34 * 8254u + 196662u + 6 * 66614u + 94834u);
}

// Masks paint with OR and inverted copy, so their pixels must be pure black or pure white in
// every bit, imgBimbo (stored as 24-bit) included.
TEST(LibraryFiles, MasksHoldOnlyPureBlackAndWhite) {
    core::ImageLibrary library;
    for (int i = 0; i < core::kImageCount; ++i) {
        const ImageId id = ImageId(i);
        const core::Picture& p = library.picture(id);
        if (p.width() != 256 || core::readBmpInfo(core::embeddedBmp(id)).value().bitsPerPixel == 8) continue;
        int black = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                const core::Rgb c = p.pixel(x, y);
                for (std::uint8_t channel : {c.r, c.g, c.b}) {
                    ASSERT_TRUE(channel == 0 || channel == 255) << core::imageName(id);
                    black += channel == 0;
                }
            }
        EXPECT_GT(black, 0) << core::imageName(id);
    }
}

} // namespace
