#pragma once
// A paint step: one call of the paint operation with a fixed picture, destination canvas,
// rectangles and raster operation. A stamp is an ordered list of them.

#include "core/canvas.h"
#include "core/library/image_library.h"

namespace stamps {

enum class CanvasId { picSource, picTarget };

// Where a step's picture comes from, read at the moment the step runs.
enum class PictureSource {
    SourcePicture, // picSource.Picture, the source file as loaded
    TargetPicture, // picTarget.Picture, the destination file as loaded
    SourceImage,   // picSource.Image, what the source canvas shows now
    Library,       // a library image (PaintStep::image)
    Given,         // the picture the run is given: a user's own mask, body or accessory
};

struct PaintStep {
    PictureSource source = PictureSource::SourcePicture;
    core::ImageId image{}; // only for PictureSource::Library
    CanvasId destination = CanvasId::picTarget;
    core::PaintArgs args;
    // Band copies take their rows from the row marker: Y1 = Y2 = the band's top and
    // Height1 = Height2 = its height; args.y1, y2, height1 and height2 are then ignored.
    bool bandRows = false;
};

} // namespace stamps
