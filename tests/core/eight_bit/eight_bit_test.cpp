// The 8-bit save: the three ways of choosing a palette, the file's fields, the round trip
// through our own reader, dithering, and failures that leave no file.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/canvas.h"
#include "core/codec/bmp.h"
#include "core/eight_bit/eight_bit.h"
#include "core/library/image_library.h"
#include "tests/core/codec/bmp_test_fixtures.h"

namespace {

namespace fs = std::filesystem;
using bmptest::Bytes;
using core::PaletteWay;
using core::Picture;
using core::Rgb;

constexpr std::size_t kPaletteAt = 14 + 40, kPixelsAt = kPaletteAt + 256 * 4;

Bytes readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

// The palette and pixel bytes of an 8-bit file with a 256-entry palette.
Bytes paletteAndPixels(const Bytes& file) {
    const std::size_t at = le32(file, 10) - 256 * 4;
    return Bytes(file.begin() + std::ptrdiff_t(at), file.end());
}

const Bytes& medBodyFile() {
    static const Bytes file = [] {
        const auto bytes = core::embeddedBmp(core::ImageId::imgMedBody);
        return Bytes(bytes.begin(), bytes.end());
    }();
    return file;
}

// The game's medium female body as a user opens it into the destination canvas.
core::Canvas medBodyCanvas() {
    core::Canvas canvas;
    canvas.setPicture(core::decodeBmp(medBodyFile()).value());
    return canvas;
}

// 256 x 256, of (x, y, 77): far more than 256 colours.
Picture gradient() {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            rgb.insert(rgb.end(), {std::uint8_t(x), std::uint8_t(y), 77});
    return Picture(256, 256, rgb);
}

Picture painted(const core::Canvas& canvas, const Picture& picture, float x, float y, core::RasterOp op) {
    core::Canvas copy = canvas;
    core::PaintArgs args;
    args.x1 = x;
    args.y1 = y;
    args.width1 = std::int16_t(picture.width());
    args.height1 = std::int16_t(picture.height());
    args.op = op;
    EXPECT_TRUE(copy.paintPicture(picture, args));
    return copy.image();
}

class EightBit : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir =
            fs::temp_directory_path() / ("quiltane-8bit-" + std::to_string(::getpid()) + "-" + test->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(EightBit, ThePaletteIsChosenInTheThreeWaysInTurn) {
    const core::Canvas body = medBodyCanvas();
    const Picture& loaded = body.picture();
    const Rgb inPalette = loaded.pixel(0, 0), notInPalette{1, 2, 3};
    core::Canvas mask; // black and white: a new colour makes three
    mask.setPicture(core::decodeBmp(core::embeddedBmp(core::ImageId::imgBikini)).value());
    const struct {
        const char* name;
        Picture image, loaded;
        PaletteWay way;
        bool lossless;
    } cases[] = {
        {"loaded from an 8-bit file, unchanged", body.image(), loaded, PaletteWay::Unchanged, true},
        {"a colour of the palette painted in",
         painted(body, Picture::filled(20, 10, inPalette), 100, 100, core::RasterOp::SRCCOPY), loaded,
         PaletteWay::Unchanged, true},
        {"a colour not in the palette painted in",
         painted(mask, Picture::filled(20, 10, notInPalette), 100, 100, core::RasterOp::SRCCOPY),
         mask.picture(), PaletteWay::Exact, true},
        {"no palette to keep", body.image(), Picture(), PaletteWay::Exact, true},
        {"more than 256 colours", gradient(), loaded, PaletteWay::Reduced, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path path = m_dir / "skin2.bmp";
        const auto saved = core::saveEightBit(c.image, c.loaded, path.string());
        ASSERT_TRUE(saved) << saved.message();
        EXPECT_EQ(saved.value().way, c.way);
        const Bytes file = readAll(path);
        EXPECT_EQ(file.size(), 66614u);
        const auto decoded = core::decodeBmp(file);
        ASSERT_TRUE(decoded) << decoded.message();
        EXPECT_EQ(saved.value().colours, core::countColours(decoded.value()));
        if (c.lossless) {
            EXPECT_EQ(decoded.value(), c.image);
        }
    }
}

// 256 x 256 with every colour twice in the palette, both entries of each in use.
Bytes twiceEachColour() {
    bmptest::BmpSpec s;
    s.width = 256;
    s.height = 256;
    for (int i = 0; i < 256; ++i)
        s.palette.push_back({std::uint8_t(i / 2), 40, std::uint8_t(255 - i / 2)});
    for (int i = 0; i < 256 * 256; ++i)
        s.pixels.push_back(std::uint8_t(i * 7 + i / 256));
    return bmptest::makeBmp(s);
}

TEST_F(EightBit, ASkinSavedUnchangedKeepsItsPaletteAndIndicesByteForByte) {
    const fs::path path = m_dir / "skin2.bmp";
    for (const Bytes& original : {medBodyFile(), twiceEachColour()}) {
        core::Canvas canvas;
        canvas.setPicture(core::decodeBmp(original).value());
        const auto saved = core::saveEightBit(canvas.image(), canvas.picture(), path.string());
        ASSERT_TRUE(saved) << saved.message();
        EXPECT_EQ(saved.value().way, PaletteWay::Unchanged);
        EXPECT_EQ(paletteAndPixels(readAll(path)), paletteAndPixels(original));
    }

    // Painting changes only the painted pixels' indices; the colour's first entry is taken.
    const core::Canvas body = medBodyCanvas();
    const Picture& loaded = body.picture();
    const Rgb colour = loaded.palette()->entries()[7];
    ASSERT_TRUE(
        core::saveEightBit(painted(body, Picture::filled(3, 2, colour), 10, 20, core::RasterOp::SRCCOPY),
                           loaded, path.string()));
    const Picture again = core::decodeBmp(readAll(path)).value();
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const bool inside = x >= 10 && x < 13 && y >= 20 && y < 22;
            ASSERT_EQ(again.indexRow(y)[x], inside ? 7 : loaded.indexRow(y)[x]) << x << "," << y;
        }
}

TEST_F(EightBit, TheFileHasTheGameSkinLayout) {
    // 5 x 3 pixels of three colours: rows padded from 5 bytes to 8, the palette padded to 256.
    const Rgb a{10, 20, 30}, b{200, 100, 0}, c{0, 0, 255};
    const Picture picture = bmptest::pictureOf({{a, a, b, b, c}, {c, c, c, a, a}, {b, a, b, a, b}});
    const fs::path path = m_dir / "small.bmp";
    const auto saved = core::saveEightBit(picture, Picture(), path.string());
    ASSERT_TRUE(saved) << saved.message();
    EXPECT_EQ(saved.value().colours, 3);
    const Bytes f = readAll(path);
    ASSERT_EQ(f.size(), kPixelsAt + 3 * 8);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(le32(f, 2), f.size());
    EXPECT_EQ(le32(f, 6), 0u);             // reserved
    EXPECT_EQ(le32(f, 10), kPixelsAt);     // pixel data offset
    EXPECT_EQ(le32(f, 14), 40u);           // information header size
    EXPECT_EQ(le32(f, 18), 5u);            // width
    EXPECT_EQ(le32(f, 22), 3u);            // height, positive: bottom-up
    EXPECT_EQ(le32(f, 26), 1u | 8u << 16); // one plane, 8 bits a pixel
    EXPECT_EQ(le32(f, 30), 0u);            // no compression
    EXPECT_EQ(le32(f, 34), 3u * 8);        // image size
    EXPECT_EQ(le32(f, 46), 256u);          // colours used
    EXPECT_EQ(le32(f, 50), 0u);            // important colours: all
    // Entries blue, green, red, 0 in first-seen order (a, b, c), then black.
    EXPECT_EQ(Bytes(f.begin() + kPaletteAt, f.begin() + kPaletteAt + 12),
              (Bytes{30, 20, 10, 0, 0, 100, 200, 0, 255, 0, 0, 0}));
    EXPECT_TRUE(
        std::all_of(f.begin() + kPaletteAt + 12, f.begin() + kPixelsAt, [](auto v) { return v == 0; }));
    // The bottom row first, each padded with zeros.
    EXPECT_EQ(Bytes(f.begin() + kPixelsAt, f.end()),
              (Bytes{1, 0, 1, 0, 1, 0, 0, 0, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 0, 0, 0}));
}

TEST_F(EightBit, ReducingToTheFilesPaletteAndDithering) {
    const Picture image = gradient();
    const auto plain = core::choosePalette(image, Picture(), 0),
               dithered = core::choosePalette(image, Picture(), 1);
    ASSERT_TRUE(plain && dithered);
    EXPECT_EQ(plain.value().way, PaletteWay::Reduced);
    EXPECT_LE(plain.value().palette.size(), 256u);
    EXPECT_NE(plain.value().indices, dithered.value().indices);

    // The file shows exactly the reduction's colours, and they are as close to the image's as
    // 256 colours can be.
    const fs::path path = m_dir / "reduced.bmp";
    ASSERT_TRUE(core::saveEightBit(image, Picture(), path.string()));
    const Picture decoded = core::decodeBmp(readAll(path)).value();
    double squares = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const Rgb got = decoded.pixel(x, y), want = image.pixel(x, y);
            ASSERT_EQ(got,
                      plain.value().palette[plain.value().indices[std::size_t(y) * 256 + std::size_t(x)]]);
            squares += (got.r - want.r) * (got.r - want.r) + (got.g - want.g) * (got.g - want.g) +
                       (got.b - want.b) * (got.b - want.b);
        }
    // The best 256 colours for this plane of colours are a grid of 16 x 16 squares, each within
    // 8 of its centre in red and green: a mean squared error of 14.2 per channel.
    EXPECT_LT(squares / (256 * 256 * 3), 15.0) << "mean squared error per channel";
}

TEST_F(EightBit, FailuresReadAsThe24BitSavesAndLeaveNoFile) {
    const fs::path folder = m_dir / "folder";
    fs::create_directories(folder);
    const Picture image = Picture::filled(4, 4, {1, 2, 3});
    const struct {
        const char* name;
        Picture image;
        fs::path path;
    } cases[] = {
        {"an empty canvas", Picture(), m_dir / "empty.bmp"},
        {"a folder as the target", image, folder},
        {"a folder that does not exist", image, m_dir / "missing" / "skin.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto saved = core::saveEightBit(c.image, Picture(), c.path.string());
        ASSERT_FALSE(saved);
        EXPECT_EQ(saved.message(), core::savePicture(c.image, c.path.string()).message());
        EXPECT_EQ(saved.message().rfind("Cannot save " + c.path.string() + ": ", 0), 0u) << saved.message();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1); // the folder alone
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(CountColours, CountsWhatThePictureShows) {
    EXPECT_EQ(core::countColours(gradient()), 256 * 256);
    EXPECT_EQ(core::countColours(Picture()), 0);
    // Duplicate entries and an index beyond the palette (black, like entry 2) count once.
    const core::Palette palette(std::vector<Rgb>{{5, 5, 5}, {5, 5, 5}, {0, 0, 0}, {9, 9, 9}});
    EXPECT_EQ(core::countColours(Picture(3, 2, palette, std::vector<std::uint8_t>{0, 1, 2, 200, 0, 1})), 2);
}

} // namespace
