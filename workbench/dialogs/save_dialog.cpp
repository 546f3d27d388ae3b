#include "workbench/dialogs/save_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "stamps/files.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/control_builder.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/guarded_save.h"

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

// A dialog of its owner, which the window manager keeps above the main window.
SaveDialog::SaveDialog(const stamps::Workspace& workspace, QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
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
    // The dialog stays as it is when the user keeps the file, so that another name can be typed.
    if (QFileInfo(file).isFile() && !confirmReplace(this, file)) return;
    const std::string path = QFile::encodeName(file).toStdString();
    const stamps::SaveFormat format = stamps::SaveFormat::TrueColour;
    const core::Result<std::string> written =
        guardedSave(path, [&] { return stamps::saveDestination(m_workspace, format, path); });
    if (!written) {
        // The dialog stays as it is so that the user can correct the name.
        showMessage(this, QString::fromStdString(written.message()));
        return;
    }
    hide();
    emit saved(SavedAs{file, format, savedSaying(file, written.value())});
}

void SaveDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace workbench
