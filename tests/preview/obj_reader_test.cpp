// The OBJ reader: every way a file may spell one quad gives the same triangles; polygons fan
// from their first corner; a vertex's normal is the mean of its faces'; a broken file, one over
// the limits and a file that cannot be read are refused with a reason that names the line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <string>
#include <vector>

#include "preview/mannequin.h"
#include "preview/obj_reader.h"
#include "preview/obj_writer.h"
#include "tests/file_test_support.h"

namespace {

using preview::Mesh;
using preview::ObjLimits;
using preview::Vec3;

// A triangle's corners as places in the world and in the skin, so that meshes can be compared
// whatever the order of their vertices.
struct Corner {
    float x, y, z, u, v;
    bool operator==(const Corner&) const = default;
};
using Triangle = std::array<Corner, 3>;

std::vector<Triangle> trianglesOf(const Mesh& mesh) {
    std::vector<Triangle> triangles;
    for (const auto& indices : mesh.triangles) {
        Triangle triangle;
        for (std::size_t i = 0; i < 3; ++i) {
            const preview::Vertex& vertex = mesh.vertices[indices[i]];
            triangle[i] = {vertex.position.x, vertex.position.y, vertex.position.z, vertex.u, vertex.v};
        }
        triangles.push_back(triangle);
    }
    return triangles;
}

// The quad from (-1, 0) to (1, 2) in the plane z = 0, facing +z, wearing the whole skin: its
// lower corners on the skin's bottom edge (row 256), its upper ones on the top edge (row 0).
constexpr Corner kLowLeft{-1, 0, 0, 0, 256}, kLowRight{1, 0, 0, 256, 256}, kHighRight{1, 2, 0, 256, 0},
    kHighLeft{-1, 2, 0, 0, 0};
const std::vector<Triangle> kQuad = {{kLowLeft, kLowRight, kHighRight}, {kLowLeft, kHighRight, kHighLeft}};

constexpr const char* kQuadLists = "v -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\n"
                                   "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n";

struct Spelling {
    const char* name;
    std::string text;
};

const Spelling kSpellings[] = {
    {"one polygon", std::string(kQuadLists) + "f 1/1 2/2 3/3 4/4\n"},
    {"two triangles", std::string(kQuadLists) + "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n"},
    {"indices counted back", std::string(kQuadLists) + "f -4/-4 -3/-3 -2/-2 -1/-1\n"},
    {"with normals", std::string(kQuadLists) + "vn 0 0 1\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"},
    {"CRLF, comments, blanks, groups and materials",
     "# exported\r\nmtllib body.mtl\r\no Body\r\n\r\nv -1 0 0\r\nv 1 0 0 # right\r\n\tv  1 2 0\r\n"
     "v -1 2 0\r\nvt 0 0\r\nvt 1 0\r\nvt 1 1\r\nvt 0 1\r\ng torso\r\nusemtl skin\r\ns 1\r\n"
     "f 1/1 2/2 3/3 4/4\r\nl 1 2\r\n"},
    {"byte-order mark, w components, no last line end",
     "\xEF\xBB\xBFv -1 0 0 1\nv 1 0 0 1\nv 1 2 0 1\nv -1 2 0 1\nvt 0 0 0\nvt 1 0 0\nvt 1 1 0\nvt 0 1 0\n"
     "f 1/1 2/2 3/3 4/4"},
    {"faces first", "f 1/1 2/2 3/3 4/4\n" + std::string(kQuadLists)},
    {"texture coordinates in another order",
     "vt 0 1\nvt 1 1\nvt 1 0\nvt 0 0\nv -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\nf 1/4 2/3 3/2 4/1\n"},
    {"numbers with exponents and signs",
     "v -1e0 +0 0.0\nv 1 0 -0\nv 1.0 2e+0 0\nv -1 0.2e1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
     "f 1/1 2/2 3/3 4/4\n"},
};

TEST(ReadObj, ReadsEverySpellingOfOneQuadAlike) {
    for (const Spelling& spelling : kSpellings) {
        SCOPED_TRACE(spelling.name);
        const auto mesh = preview::readObj(spelling.text);
        ASSERT_TRUE(mesh) << mesh.message();
        EXPECT_EQ(trianglesOf(mesh.value()), kQuad);
        EXPECT_EQ(mesh.value().vertices.size(), 4u);
    }
}

TEST(ReadObj, FansAPolygonFromItsFirstCornerKeepingItsWinding) {
    const auto mesh = preview::readObj("v 0 0 0\nv 2 0 0\nv 3 1 0\nv 1 2 0\nv -1 1 0\nvt 0 0\n"
                                       "f 1/1 2/1 3/1 4/1 5/1\n");
    ASSERT_TRUE(mesh) << mesh.message();
    const std::vector<std::array<std::uint32_t, 3>> fan = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}};
    EXPECT_EQ(mesh.value().triangles, fan);
}

TEST(ReadObj, MakesAVertexForEachPairOfVertexAndTextureCoordinate) {
    // Two triangles share an edge; across it the second one's corners take other texture
    // coordinates, as at a seam of the skin, so those are vertices of their own.
    const auto mesh = preview::readObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                                       "f 1/1 2/2 3/3\nf 2/2 4/1 3/3\nf 2/1 4/1 3/2\n");
    ASSERT_TRUE(mesh) << mesh.message();
    const Mesh& m = mesh.value();
    ASSERT_EQ(m.vertices.size(), 6u);
    const std::vector<std::array<std::uint32_t, 3>> triangles = {{0, 1, 2}, {1, 3, 2}, {4, 3, 5}};
    EXPECT_EQ(m.triangles, triangles);
}

TEST(ReadObj, GivesEachVertexTheMeanNormalOfItsFaces) {
    // A roof: one face in the plane z = 0 facing +z, one in the plane y = 0 facing +y, meeting
    // along the x axis; the corners on the ridge face halfway between, whichever texture
    // coordinate they take.
    const auto mesh = preview::readObj("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nvt 0 0\nvt 1 1\n"
                                       "f 1/1 2/1 3/1\nf 1/2 4/2 2/2\n");
    ASSERT_TRUE(mesh) << mesh.message();
    const Mesh& m = mesh.value();
    const float half = std::sqrt(0.5f);
    for (const preview::Vertex& vertex : m.vertices) {
        const Vec3 p = vertex.position, n = vertex.normal;
        SCOPED_TRACE(testing::Message() << p.x << " " << p.y << " " << p.z);
        const Vec3 expected = p.y > 0 ? Vec3{0, 0, 1} : p.z > 0 ? Vec3{0, 1, 0} : Vec3{0, half, half};
        EXPECT_NEAR(n.x, expected.x, 1e-6);
        EXPECT_NEAR(n.y, expected.y, 1e-6);
        EXPECT_NEAR(n.z, expected.z, 1e-6);
    }
}

TEST(ReadObj, ReadsBackTheMannequinAsWritten) {
    const Mesh& written = preview::mannequin().skin;
    const auto read = preview::readObj(preview::objText(written));
    ASSERT_TRUE(read) << read.message();
    const std::vector<Triangle> expected = trianglesOf(written), got = trianglesOf(read.value());
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t t = 0; t < got.size(); ++t)
        for (std::size_t i = 0; i < 3; ++i) {
            const Corner &a = got[t][i], &b = expected[t][i];
            ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z) << "triangle " << t;
            // v is written as 1 - v / 256, which may round by a little.
            ASSERT_NEAR(a.u, b.u, 1e-4) << "triangle " << t;
            ASSERT_NEAR(a.v, b.v, 1e-4) << "triangle " << t;
        }
}

struct Broken {
    std::string text, reason;
};

// Three vertices, three texture coordinates and a normal, then the line under test (line 8).
const std::string kLists = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n";

const Broken kBroken[] = {
    {kLists + "f 1 2 3\n",
     "line 8: the corner \"1\" has no texture coordinate (v/vt or v/vt/vn); the skin maps through them."},
    {kLists + "f 1//1 2//1 3//1\n",
     "line 8: the corner \"1//1\" has no texture coordinate (v/vt or v/vt/vn); the skin maps through them."},
    {kLists + "f 1/1 2/2 3\n",
     "line 8: the corner \"3\" has no texture coordinate (v/vt or v/vt/vn); the skin maps through them."},
    {kLists + "f 1/1 2/2 4/3\n", "line 8: vertex 4 does not exist (the file has 3)."},
    {kLists + "f 1/1 2/2 3/9\n", "line 8: texture coordinate 9 does not exist (the file has 3)."},
    {kLists + "f 1/1/1 2/2/1 3/3/2\n", "line 8: normal 2 does not exist (the file has 1)."},
    {kLists + "f -4/1 2/2 3/3\n", "line 8: vertex -4 does not exist (3 come before the line)."},
    {"v 0 0 0\nv 1 0 0\nvt 0 0\nf 1/1 2/1 -3/1\nv 0 1 0\n",
     "line 4: vertex -3 does not exist (2 come before the line)."},
    {kLists + "f 0/1 2/2 3/3\n", "line 8: index 0 names no vertex (they count from 1, or back from -1)."},
    {kLists + "f 1/1 2/2 -9223372036854775808/3\n",
     "line 8: vertex -9223372036854775808 does not exist (3 come before the line)."},
    {kLists + "f 1/1 2/2 99999999999999999999/3\n",
     "line 8: \"99999999999999999999/3\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2 3/3/1/1\n", "line 8: \"3/3/1/1\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2 1.5/3\n", "line 8: \"1.5/3\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2 3/x\n", "line 8: \"3/x\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2 /3\n", "line 8: \"/3\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2 3/3/\n", "line 8: \"3/3/\" is not a corner (v/vt or v/vt/vn)."},
    {kLists + "f 1/1 2/2\n", "line 8: a face needs 3 corners or more."},
    {"v 0 0 x\n", "line 1: \"x\" is not a number."},
    {"v 0 0 1.2.3\n", "line 1: \"1.2.3\" is not a number."},
    {"v 0 nan 0\n", "line 1: \"nan\" is not a number."},
    {"v 0 0 inf\n", "line 1: \"inf\" is not a number."},
    {"v 0 0 1e999\n", "line 1: \"1e999\" is not a number."},
    {"v 0 0 +-1\n", "line 1: \"+-1\" is not a number."},
    {"vt 0 0x1\n", "line 1: \"0x1\" is not a number."},
    {"v 0 2e6 0\n", "line 1: \"2e6\" is too large (at most 1000000 either side of 0)."},
    {"vt -1000001 0\n", "line 1: \"-1000001\" is too large (at most 1000000 either side of 0)."},
    {"v 0 0\n", "line 1: a vertex needs x, y and z (then w, or the r, g and b of a colour)."},
    {"v 0 0 0 0 0 0 0\n", "line 1: a vertex needs x, y and z (then w, or the r, g and b of a colour)."},
    {"vt\n", "line 1: a texture coordinate needs u (then v and w)."},
    {"vn 0 1\n", "line 1: a normal needs x, y and z."},
    {"# nothing\r\nv 0 0 0\r\n\r\nv 0 1 q\r\n", "line 4: \"q\" is not a number."},
    {"v 0 0 " + std::string(40, 'x') + "\n", "line 1: \"xxxxxxxxxxxxxxxxxxxxxxxx...\" is not a number."},
    {"v 0 0 1\x01\x7f\xc3\xa9\n", "line 1: \"1????\" is not a number."},
    {kLists, "it holds no faces (\"f\" lines)."},
    {"", "it holds no faces (\"f\" lines)."},
    {"BM\x36\x00\x01\x00 not a body at all\n", "it holds no faces (\"f\" lines)."},
};

TEST(ReadObj, RefusesABrokenFileNamingTheLine) {
    for (const Broken& broken : kBroken) {
        SCOPED_TRACE(broken.text);
        const auto mesh = preview::readObj(broken.text);
        ASSERT_FALSE(mesh);
        EXPECT_EQ(mesh.message(), broken.reason);
        EXPECT_EQ(mesh.status().kind(), core::Status::Kind::Input);
    }
}

TEST(ReadObj, RefusesMoreThanItsLimits) {
    const ObjLimits two{1000, 2};
    const Broken cases[] = {
        {"v 0 0 0\nv 1 0 0\n# a third:\nv 0 1 0\n", "line 4: more than 2 vertices."},
        {"vt 0 0\nvt 1 0\nvt 0 1\n", "line 3: more than 2 texture coordinates."},
        {"vn 0 0 1\nvn 0 0 1\nvn 0 0 1\n", "line 3: more than 2 normals."},
        {"v 0 0 0\nvt 0 0\nf 1/1 1/1 1/1\nf 1/1 1/1 1/1 1/1\n", "line 4: more than 2 triangles."},
        {"v 0 0 0\nv 1 0 0\nvt 0 0\nvt 1 1\nf 1/1 2/1 1/1\nf 1/1 2/2 1/2\n",
         "line 6: more than 2 distinct corners (pairs of vertex and texture coordinate)."},
        {std::string(1001, '#'), "the file is too large to be a body mesh (more than 0 MB)."},
    };
    for (const Broken& over : cases) {
        SCOPED_TRACE(over.text);
        const auto mesh = preview::readObj(over.text, two);
        ASSERT_FALSE(mesh);
        EXPECT_EQ(mesh.message(), over.reason);
    }
    // Up to the limits is read.
    EXPECT_TRUE(preview::readObj("v 0 0 0\nv 1 0 0\nvt 0 0\nvt 1 1\nf 1/1 2/1 1/1 2/1\n", two));
    EXPECT_EQ(preview::readObj(std::string(1000, '#'), two).message(), "it holds no faces (\"f\" lines).");
}

class LoadObjBody : public filetest::TempFolderTest {
  protected:
    std::string written(const std::string& name, const std::string& text) const {
        filetest::writeAll(path(name), filetest::Bytes(text.begin(), text.end()));
        return path(name);
    }
};

TEST_F(LoadObjBody, FramesTheBodyInTheFileAboutItsMiddle) {
    // A quad standing on its lower edge at x 10 to 14, y 100 to 106, leaning from z -2 to 4.
    const auto body = preview::loadObjBody(
        written("body.obj", "v 10 100 -2\nv 14 100 -2\nv 14 106 4\nv 10 106 4\nvt 0 0\nf 1/1 2/1 3/1 4/1\n"));
    ASSERT_TRUE(body) << body.message();
    const preview::Body& b = body.value();
    EXPECT_EQ(b.skin.triangles.size(), 2u);
    EXPECT_TRUE(b.plain.vertices.empty());
    EXPECT_FLOAT_EQ(b.centre.x, 12);
    EXPECT_FLOAT_EQ(b.centre.y, 103);
    EXPECT_FLOAT_EQ(b.centre.z, 1);
    EXPECT_FLOAT_EQ(b.height, 6);
    EXPECT_FLOAT_EQ(b.reach, std::hypot(2.0f, 3.0f));
}

TEST_F(LoadObjBody, RefusesWhatItCannotReadNamingTheFileAndTheReason) {
    const std::string broken = written("broken.obj", "v 0 0 0\nvt 0 0\nf 1/1 1/1 2/1\n");
    const std::string large = written("large.obj", std::string(2 << 20, '#'));
    const std::string pipe = path("pipe.obj");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0666), 0);
    const Broken cases[] = {
        {broken, "Cannot open " + broken + ": line 3: vertex 2 does not exist (the file has 1)."},
        {path("missing.obj"), "Cannot open " + path("missing.obj") + ": the file does not exist."},
        {m_dir.string(), "Cannot open " + m_dir.string() + ": it is a folder, not a file."},
        {pipe, "Cannot open " + pipe + ": it is not an ordinary file."},
        {large, "Cannot open " + large + ": the file is too large to be a body mesh (more than 1 MB)."},
    };
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.text);
        const auto body = preview::loadObjBody(c.text, {1 << 20, 1000});
        ASSERT_FALSE(body);
        EXPECT_EQ(body.message(), c.reason);
    }
}

} // namespace
