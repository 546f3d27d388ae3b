#pragma once
// What a drop on a canvas asks for: exactly one local file to open, or else the one line that
// tells the user why nothing happens. Whether the file is a picture the codec decides when it
// is opened.

#include <QList>
#include <QString>
#include <QUrl>

namespace workbench {

struct DroppedFile {
    QString path;    // the local file, when the drop can be opened
    QString refusal; // otherwise why not, for the status line
};

DroppedFile droppedFile(const QList<QUrl>& urls);

} // namespace workbench
