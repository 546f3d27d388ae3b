#pragma once
// The one way the window tells the user that something failed: a message box with one OK
// button, titled with the application's name. Tests replace the box so nothing blocks.

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
