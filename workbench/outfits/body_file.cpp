// Choosing a body file (see body_file.h).

#include "workbench/outfits/body_file.h"

#include <QDir>
#include <QFile>

#include "workbench/dialogs/window_prompts.h"

namespace workbench {

QString pictureFileTypes() {
    return QStringLiteral("Pictures (*.bmp *.png *.BMP *.PNG);;All files (*)");
}

ChosenBody chooseBodyFile(QWidget* parent) {
    const QString path = chooseFileToOpen(parent, QStringLiteral("Choose a Bare Body"), QDir::currentPath(),
                                          pictureFileTypes());
    if (path.isEmpty()) return {};
    core::Result<stamps::BareBody> body = stamps::bodyFromFile(QFile::encodeName(path).toStdString());
    if (!body) return {std::nullopt, QString::fromStdString(body.status().message())};
    return {std::move(body).value(), {}};
}

} // namespace workbench
