#pragma once
// A body file of the user's own, chosen through the file dialog: the bare body a garment was
// painted on (the mask from a bare body) or one more body to save a tone on.

#include <QString>
#include <optional>

#include "stamps/bare_bodies.h"

class QWidget;

namespace workbench {

struct ChosenBody {
    std::optional<stamps::BareBody> body; // none: cancelled or refused
    QString refusal;                      // why the file cannot be a body; empty when cancelled
};

// Asks for a picture file and reads it as a body of the skin's size.
ChosenBody chooseBodyFile(QWidget* parent);

// The file types the outfit tools open: the pictures the reader takes.
QString pictureFileTypes();

} // namespace workbench
