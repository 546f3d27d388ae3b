#pragma once
// The message box, for a failure that stops what the user asked for (a stamp, a save, a delete,
// running out of memory): one OK button, titled with the application's name. A file that
// cannot be opened is named on the status line instead. Tests replace the box so nothing blocks.

#include <QString>
#include <functional>

class QWidget;

namespace workbench {

// The caption of every message box that names no other.
inline const QString kApplicationTitle = QStringLiteral("Quiltane");

using MessageSink = std::function<void(QWidget* parent, const QString& text)>;

// Shows text in a modal box over parent (or hands it to the sink a test installed).
void showMessage(QWidget* parent, const QString& text);

// Replaces how messages are shown; an empty sink restores the message box. Returns the
// previous sink.
MessageSink setMessageSink(MessageSink sink);

} // namespace workbench
