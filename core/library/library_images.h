#pragma once
// The library's images: the one list from which the ImageId enum, the name table and the
// holders are made. Holder by holder, each holder's images in its load order. A new image is
// one line here and one file assets/<name>.bmp, drawn by tools/draw_library.

// clang-format off
// HOLDER(name) for each holder, in order.
#define QUILTANE_LIBRARY_HOLDERS(HOLDER) \
    HOLDER(frmPics) HOLDER(frmMasks) HOLDER(frmMasks2) HOLDER(frmMasks3) HOLDER(frmMasks4) \
    HOLDER(frmMasks5) HOLDER(frmBodies)

// IMAGE(name, holder) for each image.
#define QUILTANE_LIBRARY_IMAGES(IMAGE) \
    IMAGE(imgBodySuit, frmPics) \
    IMAGE(imgMaidCollar, frmPics) \
    IMAGE(imgGoldRing, frmPics) \
    IMAGE(imgDarkBody, frmPics) \
    IMAGE(imgMedBody, frmPics) \
    IMAGE(imgLightBody, frmPics) \
    IMAGE(imgSilverRing, frmPics) \
    IMAGE(imgBlackSneakers, frmPics) \
    IMAGE(imgRedSneakers, frmPics) \
    IMAGE(imgSandals, frmPics) \
    IMAGE(imgSmallBlackBoots, frmPics) \
    IMAGE(imgSmallBrownBoots, frmPics) \
    IMAGE(imgBigBlackBoots, frmPics) \
    IMAGE(imgMidriffDrk, frmPics) \
    IMAGE(imgMidriffMed, frmPics) \
    IMAGE(imgMidriffLgt, frmPics) \
    IMAGE(imgHighHeels, frmPics) \
    IMAGE(imgPJs4, frmMasks) \
    IMAGE(imgBlouseLong, frmMasks) \
    IMAGE(imgRobeBoxer, frmMasks) \
    IMAGE(imgSpeedo, frmMasks) \
    IMAGE(imgPJs2, frmMasks) \
    IMAGE(imgTankTop, frmMasks) \
    IMAGE(imgCorset, frmMasks) \
    IMAGE(imgThong, frmMasks) \
    IMAGE(imgPJs1, frmMasks) \
    IMAGE(imgMiniDress, frmMasks2) \
    IMAGE(imgMinicorset, frmMasks2) \
    IMAGE(imgBimbo, frmMasks2) \
    IMAGE(imgTamsine, frmMasks2) \
    IMAGE(imgLurette, frmMasks2) \
    IMAGE(imgFlirt, frmMasks2) \
    IMAGE(imgBikini, frmMasks2) \
    IMAGE(imgSurfer, frmMasks2) \
    IMAGE(imgVirelle, frmMasks2) \
    IMAGE(imgCouvrelle, frmMasks3) \
    IMAGE(imgPJ3, frmMasks3) \
    IMAGE(imgBand2bikini, frmMasks3) \
    IMAGE(imgPompette, frmMasks3) \
    IMAGE(imgBandBikini, frmMasks3) \
    IMAGE(imgOnePiece, frmMasks3) \
    IMAGE(img404, frmMasks3) \
    IMAGE(imgBikini3, frmMasks3) \
    IMAGE(imgB772piece, frmMasks3) \
    IMAGE(imgb328, frmMasks4) \
    IMAGE(imgb77onepiece, frmMasks4) \
    IMAGE(imgTeddy2, frmMasks4) \
    IMAGE(imgTeddy1, frmMasks4) \
    IMAGE(imgCorset3, frmMasks4) \
    IMAGE(imgCorset2, frmMasks4) \
    IMAGE(imgB328legs, frmMasks5) \
    IMAGE(imgMaleLight, frmBodies) \
    IMAGE(imgMaleDark, frmBodies) \
    IMAGE(imgMaleMed, frmBodies)
// clang-format on
