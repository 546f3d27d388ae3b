#pragma once
// The user's settings, kept between runs in the program's own settings file (organisation and
// application both "Quiltane"): Open Recent's list, the preview's body and where the preview
// window was left.

#include <QSettings>
#include <QString>

namespace workbench {

class UserSettings : public QSettings {
  public:
    UserSettings() : QSettings(QStringLiteral("Quiltane"), QStringLiteral("Quiltane")) {}
};

} // namespace workbench
