#include "workbench/about/about_box.h"

#include <QDialog>

namespace workbench {

void showAboutBox(QWidget* parent) {
    QDialog box(parent);
    box.setObjectName("frmAbout");
    box.setWindowTitle("About Quiltane");
    box.exec();
}

} // namespace workbench
