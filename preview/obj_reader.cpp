// The OBJ reader: two passes over the lines. The first counts the vertices, texture coordinates
// and normals, so that a face may name one defined further down, the lists are allocated once
// and a count over the limit is refused before anything is kept; the second reads them and
// the faces. A mesh vertex is made for each distinct pair of vertex and texture coordinate that
// corners name, in the order they are first named.

#include "preview/obj_reader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <new>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/skin_layout.h"

namespace preview {
namespace {

// Coordinates lie within this far of 0 (in any unit), so that no sum or product of the renderer
// overflows and a texture place always fits the rasteriser's integers.
constexpr double kLargest = 1e6;
// How much of a word a message quotes.
constexpr std::size_t kQuoted = 24;

// The lists a file defines, which faces index.
enum class List { Vertices, TextureCoordinates, Normals };
constexpr std::size_t kLists = 3;

struct ListForm {
    std::string_view keyword;
    std::string_view one, many; // names in messages
    std::size_t leastNumbers, mostNumbers;
    std::string_view needs; // what a line with too few or too many numbers lacks
};
// clang-format off
constexpr std::array<ListForm, kLists> kListForms{{
    {"v", "vertex", "vertices", 3, 6, "a vertex needs x, y and z (then w, or the r, g and b of a colour)"},
    {"vt", "texture coordinate", "texture coordinates", 1, 3, "a texture coordinate needs u (then v and w)"},
    {"vn", "normal", "normals", 3, 3, "a normal needs x, y and z"},
}};
// clang-format on
constexpr std::string_view kFace = "f";

const ListForm& formOf(List list) {
    return kListForms[std::size_t(list)];
}

// "line 12: " and the reason.
core::Status refused(std::size_t line, const std::string& reason) {
    return core::Status::input("line " + std::to_string(line) + ": " + reason);
}

// A word of the file as a message shows it: in quotes, at most kQuoted characters, each byte
// that is not printable ASCII shown as "?".
std::string quoted(std::string_view word) {
    std::string shown = "\"";
    for (std::size_t i = 0; i < word.size() && i < kQuoted; ++i)
        shown += word[i] >= ' ' && word[i] <= '~' ? word[i] : '?';
    return shown + (word.size() > kQuoted ? "...\"" : "\"");
}

// The lines of the text, each as its words: blanks (spaces, tabs, the CR of a CRLF line end)
// part them, and a "#" starts a comment that runs to the end of the line.
class Lines {
  public:
    explicit Lines(std::string_view text) : m_rest(text) {
        if (m_rest.starts_with("\xEF\xBB\xBF")) m_rest.remove_prefix(3); // a UTF-8 byte-order mark
    }

    // The next line's words, false after the last line.
    bool next() {
        if (m_done) return false;
        const std::size_t end = m_rest.find('\n');
        std::string_view line = m_rest.substr(0, end);
        if (end == std::string_view::npos)
            m_done = true;
        else
            m_rest.remove_prefix(end + 1);
        ++m_number;
        if (const std::size_t comment = line.find('#'); comment != std::string_view::npos)
            line = line.substr(0, comment);
        m_words.clear();
        for (std::size_t at = 0;;) {
            at = line.find_first_not_of(kBlanks, at);
            if (at == std::string_view::npos) break;
            const std::size_t stop = std::min(line.find_first_of(kBlanks, at), line.size());
            m_words.push_back(line.substr(at, stop - at));
            at = stop;
        }
        return true;
    }

    std::size_t number() const { return m_number; } // from 1
    const std::vector<std::string_view>& words() const { return m_words; }
    std::string_view keyword() const { return m_words.empty() ? std::string_view() : m_words.front(); }

  private:
    static constexpr std::string_view kBlanks = " \t\r\v\f";
    std::string_view m_rest;
    bool m_done = false;
    std::size_t m_number = 0;
    std::vector<std::string_view> m_words;
};

std::optional<List> listOf(std::string_view keyword) {
    for (std::size_t i = 0; i < kLists; ++i)
        if (kListForms[i].keyword == keyword) return List(i);
    return std::nullopt;
}

using Counts = std::array<std::uint32_t, kLists>;

// The first pass: how many of each list the text defines, refused at the line that defines one
// too many.
core::Result<Counts> countLists(std::string_view text, const ObjLimits& limits) {
    Counts counts{};
    for (Lines lines(text); lines.next();)
        if (const std::optional<List> list = listOf(lines.keyword())) {
            std::uint32_t& count = counts[std::size_t(*list)];
            if (count == limits.count)
                return refused(lines.number(), "more than " + std::to_string(limits.count) + " " +
                                                   std::string(formOf(*list).many) + ".");
            ++count;
        }
    return counts;
}

// The number word spells, whole: a decimal within kLargest of 0, a sign allowed.
core::Result<float> numberIn(std::string_view word, std::size_t line) {
    std::string_view digits = word;
    if (digits.starts_with('+') && !digits.starts_with("+-")) digits.remove_prefix(1);
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return refused(line, quoted(word) + " is not a number.");
    if (std::abs(value) > kLargest)
        return refused(line, quoted(word) + " is too large (at most " + std::to_string(int(kLargest)) +
                                 " either side of 0).");
    return float(value);
}

core::Status notACorner(std::string_view corner, std::size_t line) {
    return refused(line, quoted(corner) + " is not a corner (v/vt or v/vt/vn).");
}

// Where one index of a corner points in its list (from 0): a positive index counts from the
// list's first entry, a negative one back from the last entry defined before the line.
core::Result<std::uint32_t> indexIn(std::string_view word, std::string_view corner, List list,
                                    std::uint32_t before, std::uint32_t total, std::size_t line) {
    long long index = 0;
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, index);
    if (error != std::errc() || stop != end) return notACorner(corner, line);
    const ListForm& form = formOf(list);
    if (index == 0)
        return refused(line, "index 0 names no " + std::string(form.one) +
                                 " (they count from 1, or back from -1).");
    if (index > 0 && index > total)
        return refused(line, std::string(form.one) + " " + std::to_string(index) +
                                 " does not exist (the file has " + std::to_string(total) + ").");
    if (index < 0 && index < -static_cast<long long>(before))
        return refused(line, std::string(form.one) + " " + std::to_string(index) + " does not exist (" +
                                 std::to_string(before) + " come before the line).");
    return std::uint32_t(index > 0 ? index - 1 : before + index);
}

// The second pass: what it has read so far.
class MeshBuilder {
  public:
    MeshBuilder(const Counts& totals, const ObjLimits& limits) : m_totals(totals), m_limits(limits) {
        m_positions.reserve(totals[std::size_t(List::Vertices)]);
        m_places.reserve(totals[std::size_t(List::TextureCoordinates)]);
        m_vertexOf.reserve(totals[std::size_t(List::Vertices)]);
    }

    core::Status read(Lines& lines) {
        const auto& words = lines.words();
        if (words.empty()) return core::Status::ok();
        if (words.front() == kFace) return readFace(lines);
        const std::optional<List> list = listOf(words.front());
        if (!list) return core::Status::ok(); // groups, objects, materials and the rest
        const ListForm& form = formOf(*list);
        const std::size_t numbers = words.size() - 1;
        if (numbers < form.leastNumbers || numbers > form.mostNumbers)
            return refused(lines.number(), std::string(form.needs) + ".");
        std::array<float, 3> first{};
        for (std::size_t i = 0; i < numbers; ++i) {
            const core::Result<float> number = numberIn(words[i + 1], lines.number());
            if (!number) return number.status();
            if (i < first.size()) first[i] = number.value();
        }
        if (*list == List::Vertices) m_positions.push_back({first[0], first[1], first[2]});
        if (*list == List::TextureCoordinates) m_places.push_back({first[0], first[1]});
        ++m_read[std::size_t(*list)];
        return core::Status::ok();
    }

    bool hasFaces() const { return !m_mesh.triangles.empty(); }

    // The mesh, its vertices placed and their normals the mean of their faces'.
    Mesh finish() && {
        std::vector<Vec3> normalSums(m_positions.size());
        for (const auto& triangle : m_mesh.triangles) {
            const Vec3 a = m_positions[m_sources[triangle[0]].position],
                       b = m_positions[m_sources[triangle[1]].position],
                       c = m_positions[m_sources[triangle[2]].position];
            // Weighted by the face's area, pointing out of a face wound counter-clockwise.
            const Vec3 normal = cross(b - a, c - a);
            for (const std::uint32_t corner : triangle) {
                Vec3& sum = normalSums[m_sources[corner].position];
                sum = sum + normal;
            }
        }
        m_mesh.vertices.reserve(m_sources.size());
        for (const Source& source : m_sources) {
            const auto [u, v] = m_places[source.place];
            m_mesh.vertices.push_back({m_positions[source.position], normalized(normalSums[source.position]),
                                       u * core::kSkinSize, (1 - v) * core::kSkinSize});
        }
        return std::move(m_mesh);
    }

  private:
    // A mesh vertex's vertex and texture coordinate in the file, from 0.
    struct Source {
        std::uint32_t position, place;
    };

    core::Status readFace(const Lines& lines) {
        const auto& words = lines.words();
        const std::size_t line = lines.number();
        if (words.size() < 4) return refused(line, "a face needs 3 corners or more.");
        m_corners.clear();
        for (std::size_t i = 1; i < words.size(); ++i) {
            const core::Result<std::uint32_t> corner = cornerOf(words[i], line);
            if (!corner) return corner.status();
            m_corners.push_back(corner.value());
        }
        const std::size_t triangles = m_corners.size() - 2;
        if (m_mesh.triangles.size() + triangles > m_limits.count)
            return refused(line, "more than " + std::to_string(m_limits.count) + " triangles.");
        for (std::size_t i = 2; i < m_corners.size(); ++i)
            m_mesh.triangles.push_back({m_corners[0], m_corners[i - 1], m_corners[i]});
        return core::Status::ok();
    }

    // The mesh vertex of a corner "v/vt" or "v/vt/vn", made when the pair is new.
    core::Result<std::uint32_t> cornerOf(std::string_view word, std::size_t line) {
        std::array<std::string_view, 3> parts;
        std::size_t count = 0;
        for (std::string_view rest = word;; ++count) {
            const std::size_t slash = rest.find('/');
            if (count == parts.size()) return notACorner(word, line);
            parts[count] = rest.substr(0, slash);
            if (slash == std::string_view::npos) {
                ++count;
                break;
            }
            rest.remove_prefix(slash + 1);
        }
        if (count < 2 || parts[1].empty())
            return refused(line,
                           "the corner " + quoted(word) +
                               " has no texture coordinate (v/vt or v/vt/vn); the skin maps through them.");
        std::array<std::uint32_t, kLists> at{};
        for (std::size_t i = 0; i < count; ++i) {
            const core::Result<std::uint32_t> index =
                indexIn(parts[i], word, List(i), m_read[i], m_totals[i], line);
            if (!index) return index.status();
            at[i] = index.value();
        }
        const Source source{at[std::size_t(List::Vertices)], at[std::size_t(List::TextureCoordinates)]};
        const auto [found, isNew] = m_vertexOf.try_emplace(
            std::uint64_t(source.position) << 32 | source.place, std::uint32_t(m_sources.size()));
        if (isNew) {
            if (m_sources.size() == m_limits.count)
                return refused(line, "more than " + std::to_string(m_limits.count) +
                                         " distinct corners (pairs of vertex and texture coordinate).");
            m_sources.push_back(source);
        }
        return found->second;
    }

    const Counts& m_totals;
    const ObjLimits& m_limits;
    Counts m_read{}; // how many of each list come before the current line
    std::vector<Vec3> m_positions;
    std::vector<std::array<float, 2>> m_places;                  // u, v as the file gives them
    std::vector<Source> m_sources;                               // of each mesh vertex
    std::unordered_map<std::uint64_t, std::uint32_t> m_vertexOf; // (position, place) to mesh vertex
    std::vector<std::uint32_t> m_corners;                        // of the face being read
    Mesh m_mesh;                                                 // its triangles so far
};

} // namespace

core::Result<Mesh> readObj(std::string_view text, const ObjLimits& limits) {
    if (text.size() > limits.bytes)
        return core::Status::input("the file is too large to be a body mesh (more than " +
                                   std::to_string(limits.bytes >> 20) + " MB).");
    try {
        const core::Result<Counts> totals = countLists(text, limits);
        if (!totals) return totals.status();
        MeshBuilder builder(totals.value(), limits);
        for (Lines lines(text); lines.next();)
            if (core::Status status = builder.read(lines); !status) return status;
        if (!builder.hasFaces()) return core::Status::input("it holds no faces (\"f\" lines).");
        return std::move(builder).finish();
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("not enough memory to read the body mesh.");
    }
}

} // namespace preview
