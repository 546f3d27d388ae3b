#pragma once
// The question that names a stamp of the user's own (when it is added or renamed), through a
// one-line text box. Tests replace it so that nothing blocks.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace workbench {

// The name typed, or none when the user cancels. suggested: the text the box starts with.
using NamePrompt =
    std::function<std::optional<QString>(QWidget* parent, const QString& title, const QString& suggested)>;

// Replaces the question; an empty one restores the text box. Returns the previous one.
NamePrompt setNamePrompt(NamePrompt prompt);

std::optional<QString> askStampName(QWidget* parent, const QString& title, const QString& suggested);

} // namespace workbench
