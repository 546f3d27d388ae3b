#include "workbench/save_dialog.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <new>

#include "core/bmp.h"
#include "workbench/classic_fonts.h"
#include "workbench/message_box.h"

namespace workbench {

QString saveFileName(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first) + QStringLiteral(".bmp");
}

SaveDialog::SaveDialog(std::function<core::Picture()> image, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_image(std::move(image)) {
    setObjectName(QStringLiteral("frmSave"));
    setWindowTitle(QStringLiteral("Form2"));
    setFont(defaultFont());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(312, 213);

    // Positions in pixels (twips / 15) inside the client area.
    auto* label = new QLabel(QStringLiteral("Filename"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(classicFont({"MS Sans Serif", 8.25, true}));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(80, 56, 89, 25);

    m_name = new QLineEdit(QStringLiteral("Text1"), this);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setGeometry(80, 80, 193, 19);

    auto* saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("Command1"));
    saveButton->setGeometry(72, 152, 137, 41);
    // Enter in the name box does not press it.
    saveButton->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &SaveDialog::save);

    setTabOrder(m_name, saveButton);
    m_name->setFocus();
}

QString SaveDialog::name() const {
    return m_name->text();
}

void SaveDialog::setName(const QString& name) {
    m_name->setText(name);
}

void SaveDialog::showDialog() {
    if (!m_placed && parentWidget()) {
        QRect frame = geometry();
        frame.moveCenter(parentWidget()->geometry().center());
        move(frame.topLeft());
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void SaveDialog::save() {
    const QString file = saveFileName(m_name->text());
    const std::string path = QFile::encodeName(file).toStdString();
    core::Status status = core::Status::ok();
    try { // taking the image copies the canvas; the save itself reports memory in its status
        status = core::savePicture(m_image(), path);
    } catch (const std::bad_alloc&) {
        status = core::Status::outOfMemory("Cannot save " + path + ": not enough memory to save it.");
    }
    if (!status) {
        // The dialog stays as it is so that the user can correct the name.
        showMessage(this, QString::fromStdString(status.message()));
        return;
    }
    hide();
    emit saved();
}

} // namespace workbench
