// The three ways of choosing an 8-bit palette, as a table tried in order: each way makes the
// choice or declines, and the reduction, last, always makes it.

#include "core/eight_bit/palette_choice.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <span>

#include "core/eight_bit/colour_reduction.h"
#include "core/file_messages.h"

namespace core {
namespace {

constexpr int kFileEntries = Palette::kMaxEntries; // an 8-bit file's palette, padded with black

// A pixel's three bytes (red, green, blue) as one number, as packed() gives a colour.
std::uint32_t packed(const std::uint8_t* rgb) {
    return packed(Rgb{rgb[0], rgb[1], rgb[2]});
}

// Up to 256 colours, each with the first index it was given: open addressing in twice as many
// slots as it can hold, so that a look-up takes a probe or two.
class ColourIndex {
  public:
    // The colour's index, or -1.
    int find(std::uint32_t colour) const {
        for (std::size_t slot = start(colour);; slot = (slot + 1) % kSlots) {
            if (m_keys[slot] == 0) return -1;
            if (m_keys[slot] == colour + 1) return m_indices[slot];
        }
    }
    // Gives the colour this index unless it has one; returns the colour's index.
    int add(std::uint32_t colour, int index) {
        std::size_t slot = start(colour);
        for (; m_keys[slot] != 0; slot = (slot + 1) % kSlots)
            if (m_keys[slot] == colour + 1) return m_indices[slot];
        m_keys[slot] = colour + 1;
        m_indices[slot] = std::uint8_t(index);
        ++m_count;
        return index;
    }
    int size() const { return m_count; }

  private:
    static constexpr std::size_t kSlots = 2 * kFileEntries;
    static std::size_t start(std::uint32_t colour) { return (colour * 2654435761u) >> 23; } // 9 bits
    std::array<std::uint32_t, kSlots> m_keys{}; // colour + 1; 0 for a free slot
    std::array<std::uint8_t, kSlots> m_indices{};
    int m_count = 0;
};
static_assert(2 * kFileEntries == 1 << 9, "the hash gives 9 bits");

// Which of a palette's 256 indices a picture uses.
using UsedIndices = std::array<bool, kFileEntries>;
void markUsed(UsedIndices& used, std::span<const std::uint8_t> indices) {
    for (std::uint8_t index : indices)
        used[index] = true;
}
// The distinct colours the used indices show (an index beyond the entries shows black).
int distinctColours(const UsedIndices& used, const Palette& palette) {
    ColourIndex colours;
    for (int i = 0; i < kFileEntries; ++i)
        if (used[std::size_t(i)]) colours.add(packed(palette.colour(std::uint8_t(i))), i);
    return colours.size();
}
int coloursShown(const PaletteChoice& choice) {
    UsedIndices used{};
    markUsed(used, choice.indices);
    return distinctColours(used, Palette(choice.palette));
}

struct Request {
    const Picture& image;
    const Picture& loaded;
    float dithering;
};
using Attempt = Result<std::optional<PaletteChoice>>;

Attempt declined() {
    return std::optional<PaletteChoice>();
}

Attempt keepLoadedPalette(const Request& r) {
    const Palette* palette = r.loaded.palette();
    if (palette == nullptr) return declined();
    // The palette as the file will have it, so that a colour only the black padding holds
    // (an index beyond a short palette) is found too.
    ColourIndex lookup;
    for (int i = 0; i < kFileEntries; ++i)
        lookup.add(packed(palette->colour(std::uint8_t(i))), i);

    const int width = r.image.width(), height = r.image.height();
    const int sharedWidth = std::min(width, r.loaded.width()),
              sharedHeight = std::min(height, r.loaded.height());
    PaletteChoice choice;
    choice.palette.assign(palette->entries().begin(), palette->entries().end());
    choice.indices.resize(std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> imageRow(std::size_t(width) * 3), loadedRow(std::size_t(sharedWidth) * 3);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* now = r.image.rgbRow(y, imageRow.data());
        std::uint8_t* out = &choice.indices[std::size_t(y) * std::size_t(width)];
        int x = 0;
        if (y < sharedHeight) {
            // A pixel the user did not change keeps its index, whichever entry of equal
            // colour it is.
            const std::uint8_t* was = r.loaded.rgb(0, y, sharedWidth, loadedRow.data());
            const std::uint8_t* wasIndex = r.loaded.indexRow(y);
            for (; x < sharedWidth; ++x) {
                if (std::memcmp(now + 3 * x, was + 3 * x, 3) == 0) {
                    out[x] = wasIndex[x];
                    continue;
                }
                const int index = lookup.find(packed(now + 3 * x));
                if (index < 0) return declined();
                out[x] = std::uint8_t(index);
            }
        }
        for (; x < width; ++x) {
            const int index = lookup.find(packed(now + 3 * x));
            if (index < 0) return declined();
            out[x] = std::uint8_t(index);
        }
    }
    choice.colours = coloursShown(choice);
    return std::optional(std::move(choice));
}

Attempt exactColours(const Request& r) {
    const int width = r.image.width(), height = r.image.height();
    ColourIndex seen;
    PaletteChoice choice;
    choice.indices.resize(std::size_t(width) * std::size_t(height));
    std::vector<std::uint8_t> row(std::size_t(width) * 3);
    std::uint32_t last = 0xFFFFFFFF; // no colour: runs of one colour need one look-up
    std::uint8_t lastIndex = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rgb = r.image.rgbRow(y, row.data());
        std::uint8_t* out = &choice.indices[std::size_t(y) * std::size_t(width)];
        for (int x = 0; x < width; ++x, rgb += 3) {
            const std::uint32_t colour = packed(rgb);
            if (colour != last) {
                int index = seen.find(colour);
                if (index < 0) {
                    if (choice.palette.size() == kFileEntries) return declined();
                    index = seen.add(colour, int(choice.palette.size()));
                    choice.palette.push_back({rgb[0], rgb[1], rgb[2]});
                }
                last = colour;
                lastIndex = std::uint8_t(index);
            }
            out[x] = lastIndex;
        }
    }
    choice.colours = int(choice.palette.size());
    return std::optional(std::move(choice));
}

Attempt reduced(const Request& r) {
    Result<ReducedColours> colours = reduceColours(r.image, r.dithering);
    if (!colours) return colours.status();
    PaletteChoice choice;
    choice.palette = std::move(colours.value().palette);
    choice.indices = std::move(colours.value().indices);
    choice.colours = coloursShown(choice);
    return std::optional(std::move(choice));
}

struct Way {
    PaletteWay way;
    std::string_view name;
    Attempt (*attempt)(const Request&);
};
// In the order they are tried; the ways before the reduction keep every colour.
constexpr Way kWays[] = {
    {PaletteWay::Unchanged, "unchanged palette", keepLoadedPalette},
    {PaletteWay::Exact, "exact", exactColours},
    {PaletteWay::Reduced, "reduced", reduced},
};
static_assert(kWays[std::size(kWays) - 1].way == PaletteWay::Reduced, "the reduction is the last way");
constexpr std::span<const Way> kLosslessWays(kWays, std::size(kWays) - 1);

// The choice of the first of the ways that makes one, or none when each declines.
Attempt tryWays(std::span<const Way> ways, const Request& request) {
    if (request.image.isEmpty()) return noPictureToSave();
    try {
        for (const Way& way : ways) {
            Attempt attempt = way.attempt(request);
            if (!attempt) return attempt.status();
            if (attempt.value()) {
                attempt.value()->way = way.way;
                return attempt;
            }
        }
    } catch (const std::bad_alloc&) {
        return Status::outOfMemory("not enough memory to choose its palette.");
    }
    return declined();
}

} // namespace

std::string_view paletteWayName(PaletteWay way) {
    for (const Way& row : kWays)
        if (row.way == way) return row.name;
    return "?";
}

Result<PaletteChoice> choosePalette(const Picture& image, const Picture& loaded, float dithering) {
    Attempt attempt = tryWays(kWays, {image, loaded, dithering});
    if (!attempt) return attempt.status();
    if (!attempt.value())
        return Status::output("no way of choosing its palette applies."); // the reduction always does
    return std::move(*attempt.value());
}

Result<std::optional<PaletteChoice>> chooseLosslessPalette(const Picture& image, const Picture& loaded) {
    return tryWays(kLosslessWays, {image, loaded, 0});
}

std::int64_t countColours(const Picture& picture) {
    if (picture.isEmpty()) return 0;
    if (const Palette* palette = picture.palette()) {
        UsedIndices used{};
        for (int y = 0; y < picture.height(); ++y)
            markUsed(used, {picture.indexRow(y), std::size_t(picture.width())});
        return distinctColours(used, *palette);
    }
    // One bit for each of the 2^24 colours: 2 MiB.
    std::vector<std::uint64_t> seen(std::size_t(1) << 18);
    std::int64_t count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* rgb = picture.rgb(0, y, picture.width(), nullptr);
        for (int x = 0; x < picture.width(); ++x, rgb += 3) {
            const std::uint32_t colour = packed(rgb);
            std::uint64_t& word = seen[colour >> 6];
            const std::uint64_t bit = std::uint64_t(1) << (colour & 63);
            count += (word & bit) == 0;
            word |= bit;
        }
    }
    return count;
}

} // namespace core
