// The holders and their images, and decoding by picture: nothing at first; a request decodes
// that one picture, once; a stamp decodes only the pictures it paints with; the pictures never
// change.

#include <gtest/gtest.h>

#include <set>

#include "core/codec/bmp.h"
#include "core/canvas.h"
#include "core/library/image_library.h"
#include "core/raster_op.h"
#include "stamps/runner.h"

namespace {

using core::Holder;
using core::ImageId;
using core::ImageLibrary;

std::set<ImageId> decodedPictures(const ImageLibrary& library) {
    std::set<ImageId> decoded;
    for (int i = 0; i < core::kImageCount; ++i)
        if (library.isDecoded(ImageId(i))) decoded.insert(ImageId(i));
    return decoded;
}

TEST(ImageLibrary, HoldersAndNames) {
    struct Case {
        Holder holder;
        std::string_view name;
        int images;
        ImageId first, last;
    };
    const Case cases[] = {
        {Holder::frmPics, "frmPics", 17, ImageId::imgBodySuit, ImageId::imgHighHeels},
        {Holder::frmMasks, "frmMasks", 9, ImageId::imgPJs4, ImageId::imgPJs1},
        {Holder::frmMasks2, "frmMasks2", 9, ImageId::imgMiniDress, ImageId::imgVirelle},
        {Holder::frmMasks3, "frmMasks3", 9, ImageId::imgCouvrelle, ImageId::imgB772piece},
        {Holder::frmMasks4, "frmMasks4", 6, ImageId::imgb328, ImageId::imgCorset2},
        {Holder::frmMasks5, "frmMasks5", 1, ImageId::imgB328legs, ImageId::imgB328legs},
        {Holder::frmBodies, "frmBodies", 3, ImageId::imgMaleLight, ImageId::imgMaleMed},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::holderName(c.holder), c.name);
        std::vector<ImageId> members;
        for (int i = 0; i < core::kImageCount; ++i)
            if (core::holderOf(ImageId(i)) == c.holder) members.push_back(ImageId(i));
        ASSERT_EQ(int(members.size()), c.images) << c.name;
        EXPECT_EQ(members.front(), c.first) << c.name;
        EXPECT_EQ(members.back(), c.last) << c.name;
    }
    std::set<std::string_view> names;
    for (int i = 0; i < core::kImageCount; ++i)
        names.insert(core::imageName(ImageId(i)));
    EXPECT_EQ(int(names.size()), core::kImageCount);
    EXPECT_EQ(core::imageName(ImageId::imgBodySuit), "imgBodySuit");
    EXPECT_EQ(core::imageName(ImageId::img404), "img404");
    EXPECT_EQ(core::imageName(ImageId::imgMaleMed), "imgMaleMed");
}

TEST(ImageLibrary, NothingIsDecodedAtFirst) {
    ImageLibrary library;
    EXPECT_TRUE(decodedPictures(library).empty());
    EXPECT_EQ(library.decodedPictureCount(), 0);
}

// The first request decodes that picture alone; the other pictures of its holder (a later "mini
// dress" after "Bimbo", a body or an accessory after "Bodysuit") are decoded one by one as they
// are asked for, each once.
TEST(ImageLibrary, FirstRequestDecodesOnlyItsPicture) {
    struct Case {
        ImageId first;
        Holder holder;
    };
    const Case cases[] = {
        {ImageId::imgBimbo, Holder::frmMasks2},    {ImageId::imgBodySuit, Holder::frmPics},
        {ImageId::imgCorset, Holder::frmMasks},    {ImageId::imgOnePiece, Holder::frmMasks3},
        {ImageId::imgCorset2, Holder::frmMasks4},  {ImageId::imgB328legs, Holder::frmMasks5},
        {ImageId::imgMaleDark, Holder::frmBodies},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(core::imageName(c.first)));
        ImageLibrary library;
        EXPECT_FALSE(library.picture(c.first).isEmpty());
        EXPECT_EQ(decodedPictures(library), std::set<ImageId>{c.first});
        EXPECT_EQ(library.decodedPictureCount(), 1);

        std::set<ImageId> members;
        for (int i = 0; i < core::kImageCount; ++i)
            if (core::holderOf(ImageId(i)) == c.holder) members.insert(ImageId(i));
        for (int pass = 0; pass < 2; ++pass)
            for (ImageId id : members)
                EXPECT_FALSE(library.picture(id).isEmpty()) << core::imageName(id);
        EXPECT_EQ(decodedPictures(library), members);
        EXPECT_EQ(library.decodedPictureCount(), int(members.size()));
    }
}

// An outfit mask and then a body fill, the cookie cutter, decode the mask and the body and
// nothing else of their holders; a second skin made the same way decodes nothing more.
TEST(ImageLibrary, CookieCutterDecodesItsMaskAndItsBodyOnly) {
    struct Case {
        std::string_view maskButton, bodyButton;
        ImageId mask, body;
    };
    const Case cases[] = {
        {"Command56", "Command52", ImageId::imgBikini, ImageId::imgMedBody},    // "Bikini 402", "Med Fem"
        {"Command66", "cmddjfld", ImageId::imgBimbo, ImageId::imgLightBody},    // "Bimbo", "Light  Fem"
        {"Command45", "Command59", ImageId::imgBodySuit, ImageId::imgMaleDark}, // "Bodysuit", "Dark Male"
        {"Command93", "Command53", ImageId::imgB328legs, ImageId::imgDarkBody}, // "b328 L", "Dark Fem"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.maskButton) + " then " + std::string(c.bodyButton));
        ImageLibrary library;
        for (int skin = 0; skin < 2; ++skin) {
            stamps::Workspace workspace;
            workspace.library = &library;
            workspace.picTarget.setPicture(core::Picture::filled(256, 256, {200, 150, 100}));
            ASSERT_TRUE(stamps::runButton(*stamps::findButton(c.maskButton), workspace));
            ASSERT_TRUE(stamps::runButton(*stamps::findButton(c.bodyButton), workspace));
            EXPECT_EQ(decodedPictures(library), (std::set<ImageId>{c.mask, c.body}));
            EXPECT_EQ(library.decodedPictureCount(), 2);
        }
    }
}

TEST(ImageLibrary, EveryPictureDecodesToItsFilesSize) {
    ImageLibrary library;
    for (int i = 0; i < core::kImageCount; ++i) {
        const ImageId id = ImageId(i);
        const core::Picture& picture = library.picture(id);
        const core::Result<core::BmpInfo> info = core::readBmpInfo(core::embeddedBmp(id));
        ASSERT_TRUE(info) << core::imageName(id) << ": " << info.message();
        EXPECT_EQ(picture.width(), info.value().width) << core::imageName(id);
        EXPECT_EQ(picture.height(), info.value().height) << core::imageName(id);
    }
    EXPECT_EQ(library.decodedPictureCount(), core::kImageCount);
}

TEST(ImageLibrary, RepeatedRequestsGiveTheSamePicture) {
    ImageLibrary library;
    const core::Picture* first = &library.picture(ImageId::imgCorset);
    library.picture(ImageId::imgBodySuit);
    library.picture(ImageId::imgPJs4);
    EXPECT_EQ(&library.picture(ImageId::imgCorset), first);
    EXPECT_EQ(&ImageLibrary::shared(), &ImageLibrary::shared());
    // The program's one library keeps what it has decoded: a later request through it decodes
    // nothing more and gives the same picture.
    const core::Picture* shared = &ImageLibrary::shared().picture(ImageId::imgGoldRing);
    const int decoded = ImageLibrary::shared().decodedPictureCount();
    EXPECT_EQ(&ImageLibrary::shared().picture(ImageId::imgGoldRing), shared);
    EXPECT_EQ(ImageLibrary::shared().decodedPictureCount(), decoded);
    EXPECT_NE(shared, &library.picture(ImageId::imgGoldRing)); // another library decodes its own
}

// Painting with a library picture as the source, with every raster operation and twice over,
// leaves it exactly as decoded from its file.
TEST(ImageLibrary, PaintingFromAPictureLeavesItAsShipped) {
    ImageLibrary library;
    const ImageId ids[] = {ImageId::imgBimbo,         ImageId::imgCorset,   ImageId::imgLightBody,
                           ImageId::imgBlackSneakers, ImageId::imgGoldRing, ImageId::imgMaleMed};
    core::Canvas canvas;
    for (ImageId id : ids) {
        const core::Picture& picture = library.picture(id);
        for (core::RasterOp op : {core::RasterOp::SRCCOPY, core::RasterOp::SRCPAINT, core::RasterOp::SRCAND,
                                  core::RasterOp::NOTSRCCOPY})
            for (int pass = 0; pass < 2; ++pass) {
                core::PaintArgs args;
                args.width1 = std::int16_t(picture.width());
                args.height1 = std::int16_t(picture.height());
                args.op = op;
                ASSERT_TRUE(canvas.paintPicture(picture, args));
            }
        const core::Result<core::Picture> shipped = core::decodeBmp(core::embeddedBmp(id));
        ASSERT_TRUE(shipped);
        EXPECT_TRUE(library.picture(id) == shipped.value()) << core::imageName(id);
    }
}

} // namespace
