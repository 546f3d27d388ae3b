#include "workbench/dialogs/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "stamps/files.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/control_builder.h"
#include "workbench/guarded_save.h"
#include "workbench/dialogs/message_box.h"

namespace workbench {

QString saveFileName(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    // Absolute, so that a failure names the folder that refused the file.
    return QDir::current().absoluteFilePath(text.mid(first, last - first) + QStringLiteral(".bmp"));
}

SaveDialog::SaveDialog(const stamps::Workspace& workspace, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_workspace(workspace) {
    const FormSpec& layout = saveDialogLayout();
    setObjectName(qString(layout.name));
    setWindowTitle(qString(layout.title));
    setFont(defaultFont());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(pixelRect(layout.client).size());

    makeLabel(this, layout.control("Label1"));

    const ControlRow& txtName = layout.control("txtName");
    m_name = new QLineEdit(qString(txtName.caption), this);
    placeControl(m_name, txtName);

    auto* saveButton = makeButton(this, layout.control("Command1"));
    // Enter in the name box does not press it.
    saveButton->setAutoDefault(false);
    connect(saveButton, &QPushButton::clicked, this, &SaveDialog::save);

    FocusOrder focusOrder;
    focusOrder.addForm(this, layout);
    focusOrder.apply();
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
    // Typing replaces the proposed name, however the dialog was left the last time.
    m_name->setFocus(Qt::OtherFocusReason);
    m_name->selectAll();
}

void SaveDialog::save() {
    const QString file = saveFileName(m_name->text());
    const std::string path = QFile::encodeName(file).toStdString();
    const core::Status status = guardedSave(path, [&] {
        return stamps::saveDestination(m_workspace, stamps::SaveFormat::TrueColour, path).status();
    });
    if (!status) {
        // The dialog stays as it is so that the user can correct the name.
        showMessage(this, QString::fromStdString(status.message()));
        return;
    }
    hide();
    emit saved();
}

} // namespace workbench
