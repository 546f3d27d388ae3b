#pragma once
// The image library: the 54 pictures the program carries (outfit masks, bare bodies,
// accessories), grouped into seven holders. The first request for any image of a holder
// decodes the whole holder; later requests decode nothing. Pictures are read-only.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/picture.h"

namespace core {

enum class Holder { frmPics, frmMasks, frmMasks2, frmMasks3, frmMasks4, frmMasks5, frmBodies };
constexpr int kHolderCount = 7;

// In holder order, each holder's images in its own order.
enum class ImageId {
    // frmPics
    imgBodySuit,
    imgMaidCollar,
    imgGoldRing,
    imgDarkBody,
    imgMedBody,
    imgLightBody,
    imgSilverRing,
    imgBlackSneakers,
    imgRedSneakers,
    imgSandals,
    imgSmallBlackBoots,
    imgSmallBrownBoots,
    imgBigBlackBoots,
    imgMidriffDrk,
    imgMidriffMed,
    imgMidriffLgt,
    imgHighHeels,
    // frmMasks
    imgPJs4,
    imgBlouseLong,
    imgRobeBoxer,
    imgSpeedo,
    imgPJs2,
    imgTankTop,
    imgCorset,
    imgThong,
    imgPJs1,
    // frmMasks2
    imgMiniDress,
    imgMinicorset,
    imgBimbo,
    imgTamsine,
    imgLurette,
    imgFlirt,
    imgBikini,
    imgSurfer,
    imgVirelle,
    // frmMasks3
    imgCouvrelle,
    imgPJ3,
    imgBand2bikini,
    imgPompette,
    imgBandBikini,
    imgOnePiece,
    img404,
    imgBikini3,
    imgB772piece,
    // frmMasks4
    imgb328,
    imgb77onepiece,
    imgTeddy2,
    imgTeddy1,
    imgCorset3,
    imgCorset2,
    // frmMasks5
    imgB328legs,
    // frmBodies
    imgMaleLight,
    imgMaleDark,
    imgMaleMed,
};
constexpr int kImageCount = 54;

std::string_view imageName(ImageId id);     // "imgBodySuit"
std::string_view holderName(Holder holder); // "frmPics"
Holder holderOf(ImageId id);

class ImageLibrary {
  public:
    // The program's one library, for the window and the command-line tool.
    static ImageLibrary& shared();

    // The image's picture; loads its holder first if needed. The same picture all run long.
    const Picture& picture(ImageId id);
    bool isLoaded(Holder holder) const { return m_loaded[int(holder)]; }
    // How many holders have been decoded so far, for tests and benchmarks. Each holder is
    // decoded once, on its first request.
    int decodeCount() const { return int(std::count(m_loaded.begin(), m_loaded.end(), true)); }

  private:
    void load(Holder holder);

    std::array<Picture, kImageCount> m_pictures;
    std::array<bool, kHolderCount> m_loaded{};
};

// The BMP file of an image, embedded into the program at build time from assets/.
std::span<const std::uint8_t> embeddedBmp(ImageId id);

} // namespace core
