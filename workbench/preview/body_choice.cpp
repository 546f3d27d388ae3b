#include "workbench/preview/body_choice.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "preview/mannequin.h"
#include "preview/obj_reader.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/user_settings.h"

namespace workbench {
namespace {

// In the settings: the body file's absolute path; none, or empty, for the mannequin.
constexpr char kBodyFile[] = "preview/bodyFile";

// The mannequin, shared without being owned: it lives as long as the program.
std::shared_ptr<const preview::Body> mannequinBody() {
    return {std::shared_ptr<const preview::Body>(), &preview::mannequin()};
}

// The body in the file, or why it cannot be read ("Cannot open body.obj: line 3: ...").
core::Result<std::shared_ptr<const preview::Body>> read(const QString& path) {
    auto body = preview::loadObjBody(QFile::encodeName(path).toStdString());
    if (!body) return body.status();
    return std::shared_ptr<const preview::Body>(std::make_shared<preview::Body>(std::move(body).value()));
}

} // namespace

BodyChoice::BodyChoice(QObject* parent)
    : QObject(parent), m_file(UserSettings().value(QLatin1String(kBodyFile)).toString()) {}

void BodyChoice::showIn(QAction* mannequin, QAction* fromFile) {
    m_mannequinRow = mannequin;
    m_fileRow = fromFile;
    show(m_body, m_file);
}

std::shared_ptr<const preview::Body> BodyChoice::body() {
    if (m_body) return m_body;
    if (m_file.isEmpty()) return m_body = mannequinBody();
    auto body = read(m_file);
    if (body) return m_body = body.value();
    show(mannequinBody(), {});
    emit said(QString::fromStdString(body.message()) + QStringLiteral(" The preview shows the mannequin."));
    return m_body;
}

void BodyChoice::useMannequin() {
    show(mannequinBody(), {});
    emit said(QStringLiteral("The preview shows the skin on the mannequin."));
}

bool BodyChoice::useFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto body = read(absolute);
    if (!body) {
        show(m_body, m_file); // the check marks as they were, whatever a click did to them
        emit said(QString::fromStdString(body.message()));
        return false;
    }
    show(body.value(), absolute);
    emit said(QStringLiteral("The preview shows the skin on %1.").arg(QFileInfo(absolute).fileName()));
    return true;
}

void BodyChoice::chooseFile(QWidget* parent) {
    const QString folder = m_file.isEmpty() ? QDir::currentPath() : QFileInfo(m_file).absolutePath();
    const QString path = chooseFileToOpen(parent, QStringLiteral("Open Body Mesh"), folder,
                                          QStringLiteral("Wavefront OBJ files (*.obj *.OBJ);;All files (*)"));
    if (path.isEmpty())
        show(m_body, m_file);
    else
        useFile(path);
}

void BodyChoice::show(std::shared_ptr<const preview::Body> body, const QString& file) {
    const bool changes = body != m_body || file != m_file;
    m_body = std::move(body);
    if (file != m_file) {
        m_file = file;
        UserSettings().setValue(QLatin1String(kBodyFile), m_file);
    }
    if (m_mannequinRow) m_mannequinRow->setChecked(m_file.isEmpty());
    if (m_fileRow) m_fileRow->setChecked(!m_file.isEmpty());
    if (changes) emit changed();
}

} // namespace workbench
