#include "core/image_library.h"

#include <cstdio>
#include <cstdlib>

#include "core/bmp.h"

namespace core {

namespace {

struct LibraryImage {
    std::string_view name;
    Holder holder;
};

// Every image in ImageId order, which is holder order and, within a holder, its load order.
constexpr std::array<LibraryImage, kImageCount> kImages{{
    {"imgBodySuit", Holder::frmPics},        {"imgMaidCollar", Holder::frmPics},
    {"imgGoldRing", Holder::frmPics},        {"imgDarkBody", Holder::frmPics},
    {"imgMedBody", Holder::frmPics},         {"imgLightBody", Holder::frmPics},
    {"imgSilverRing", Holder::frmPics},      {"imgBlackSneakers", Holder::frmPics},
    {"imgRedSneakers", Holder::frmPics},     {"imgSandals", Holder::frmPics},
    {"imgSmallBlackBoots", Holder::frmPics}, {"imgSmallBrownBoots", Holder::frmPics},
    {"imgBigBlackBoots", Holder::frmPics},   {"imgMidriffDrk", Holder::frmPics},
    {"imgMidriffMed", Holder::frmPics},      {"imgMidriffLgt", Holder::frmPics},
    {"imgHighHeels", Holder::frmPics},       {"imgPJs4", Holder::frmMasks},
    {"imgBlouseLong", Holder::frmMasks},     {"imgRobeBoxer", Holder::frmMasks},
    {"imgSpeedo", Holder::frmMasks},         {"imgPJs2", Holder::frmMasks},
    {"imgTankTop", Holder::frmMasks},        {"imgCorset", Holder::frmMasks},
    {"imgThong", Holder::frmMasks},          {"imgPJs1", Holder::frmMasks},
    {"imgMiniDress", Holder::frmMasks2},     {"imgMinicorset", Holder::frmMasks2},
    {"imgBimbo", Holder::frmMasks2},         {"imgTamsine", Holder::frmMasks2},
    {"imgLurette", Holder::frmMasks2},       {"imgFlirt", Holder::frmMasks2},
    {"imgBikini", Holder::frmMasks2},        {"imgSurfer", Holder::frmMasks2},
    {"imgVirelle", Holder::frmMasks2},       {"imgCouvrelle", Holder::frmMasks3},
    {"imgPJ3", Holder::frmMasks3},           {"imgBand2bikini", Holder::frmMasks3},
    {"imgPompette", Holder::frmMasks3},      {"imgBandBikini", Holder::frmMasks3},
    {"imgOnePiece", Holder::frmMasks3},      {"img404", Holder::frmMasks3},
    {"imgBikini3", Holder::frmMasks3},       {"imgB772piece", Holder::frmMasks3},
    {"imgb328", Holder::frmMasks4},          {"imgb77onepiece", Holder::frmMasks4},
    {"imgTeddy2", Holder::frmMasks4},        {"imgTeddy1", Holder::frmMasks4},
    {"imgCorset3", Holder::frmMasks4},       {"imgCorset2", Holder::frmMasks4},
    {"imgB328legs", Holder::frmMasks5},      {"imgMaleLight", Holder::frmBodies},
    {"imgMaleDark", Holder::frmBodies},      {"imgMaleMed", Holder::frmBodies},
}};

constexpr std::array<std::string_view, kHolderCount> kHolderNames{
    "frmPics", "frmMasks", "frmMasks2", "frmMasks3", "frmMasks4", "frmMasks5", "frmBodies"};

} // namespace

std::string_view imageName(ImageId id) {
    return kImages[int(id)].name;
}

std::string_view holderName(Holder holder) {
    return kHolderNames[int(holder)];
}

Holder holderOf(ImageId id) {
    return kImages[int(id)].holder;
}

ImageLibrary& ImageLibrary::shared() {
    static ImageLibrary library;
    return library;
}

const Picture& ImageLibrary::picture(ImageId id) {
    const Holder holder = holderOf(id);
    if (!isLoaded(holder)) load(holder);
    return m_pictures[int(id)];
}

void ImageLibrary::load(Holder holder) {
    for (int i = 0; i < kImageCount; ++i) {
        const ImageId id = ImageId(i);
        if (holderOf(id) != holder) continue;
        Result<Picture> decoded = decodeBmp(embeddedBmp(id));
        if (!decoded) {
            // The pictures are built into the program, so this is a broken build, not a user's
            // mistake; carrying on would paint with a missing picture.
            std::fprintf(stderr, "Quiltane: the built-in picture %.*s cannot be read: %s\n",
                         int(imageName(id).size()), imageName(id).data(), decoded.message().c_str());
            std::abort();
        }
        m_pictures[i] = std::move(decoded).value();
    }
    m_loaded[int(holder)] = true;
}

} // namespace core
