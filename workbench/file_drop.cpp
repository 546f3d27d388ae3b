#include "workbench/file_drop.h"

#include <QDir>

namespace workbench {

DroppedFile droppedFile(const QList<QUrl>& urls) {
    if (urls.size() != 1)
        return {{},
                QStringLiteral("Drop one BMP or PNG file at a time on a canvas; %1 items were dropped.")
                    .arg(urls.size())};
    const QUrl& url = urls.first();
    if (!url.isLocalFile())
        return {{},
                QStringLiteral("Cannot open %1: only files on this computer can be opened.")
                    .arg(url.toDisplayString())};
    return {QDir::cleanPath(url.toLocalFile()), {}};
}

} // namespace workbench
