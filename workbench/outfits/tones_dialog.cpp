// Every tone at once (see tones_dialog.h).

#include "workbench/outfits/tones_dialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "stamps/file_origin.h"
#include "stamps/tones.h"
#include "workbench/outfits/body_file.h"
#include "workbench/shown_path.h"

namespace workbench {
namespace {

// An entry of the bodies' list holds its index: the library's rows first, then the files.
constexpr int kBodyIndexRole = Qt::UserRole;

QListWidgetItem* addEntry(QListWidget* list, const QString& label, int index) {
    auto* item = new QListWidgetItem(label, list);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    item->setData(kBodyIndexRole, index);
    return item;
}

} // namespace

TonesDialog::TonesDialog(const stamps::Workspace& workspace, QWidget* parent)
    : QDialog(parent), m_workspace(workspace) {
    setObjectName(QStringLiteral("dlgTones"));
    setWindowTitle(QStringLiteral("Save in Every Tone"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Saves the garment on the destination on each body checked, one "
                                            "file a body; the canvases do not change."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_bodies = new QListWidget(this);
    m_bodies->setObjectName(QStringLiteral("lstBodies"));
    int index = 0;
    for (const stamps::LibraryBody& row : stamps::libraryBodies())
        addEntry(m_bodies, QString::fromUtf8(row.label.data(), qsizetype(row.label.size())), index++);
    layout->addWidget(m_bodies, 1);
    auto* addFile = new QPushButton(QStringLiteral("Add Body File…"), this);
    addFile->setObjectName(QStringLiteral("btnAddBodyFile"));
    layout->addWidget(addFile, 0, Qt::AlignLeft);

    auto* format = new QGroupBox(QStringLiteral("Format"), this);
    auto* formatRow = new QHBoxLayout(format);
    m_eightBit = new QRadioButton(QStringLiteral("8-bit, for the game"), format);
    m_eightBit->setObjectName(QStringLiteral("optEightBit"));
    m_eightBit->setChecked(true);
    auto* trueColour = new QRadioButton(QStringLiteral("24-bit"), format);
    trueColour->setObjectName(QStringLiteral("optTrueColour"));
    formatRow->addWidget(m_eightBit);
    formatRow->addWidget(trueColour);
    formatRow->addStretch(1);
    layout->addWidget(format);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(QStringLiteral("Folder:"), this));
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("txtFolder"));
    folderRow->addWidget(m_folder, 1);
    auto* browse = new QPushButton(QStringLiteral("Browse…"), this);
    browse->setObjectName(QStringLiteral("btnBrowse"));
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);

    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblTonesResult"));
    m_result->setWordWrap(true);
    layout->addWidget(m_result);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* saveButton = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(QStringLiteral("btnSaveTones"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    layout->addWidget(buttons);

    connect(addFile, &QPushButton::clicked, this, &TonesDialog::addBodyFile);
    connect(browse, &QPushButton::clicked, this, &TonesDialog::chooseFolder);
    connect(saveButton, &QPushButton::clicked, this, &TonesDialog::save);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TonesDialog::showDialog() {
    if (m_folder->text().isEmpty())
        if (const stamps::FileOrigin* file = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget))
            m_folder->setText(QFileInfo(QFile::decodeName(file->path.c_str())).absolutePath());
    m_result->clear();
    show();
    raise();
    activateWindow();
}

void TonesDialog::addBodyFile() {
    ChosenBody chosen = chooseBodyFile(this);
    if (!chosen.body) {
        if (!chosen.refusal.isEmpty()) m_result->setText(chosen.refusal);
        return;
    }
    const int index = int(stamps::libraryBodies().size() + m_files.size());
    addEntry(m_bodies, QString::fromStdString(chosen.body->label), index);
    m_files.push_back(std::move(*chosen.body));
}

void TonesDialog::chooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Save the Tones in"), m_folder->text());
    if (!folder.isEmpty()) m_folder->setText(folder);
}

void TonesDialog::save() {
    const auto refuse = [this](const QString& why) {
        m_result->setText(why);
        emit said(why);
    };
    const stamps::FileOrigin* destination = stamps::fileOf(m_workspace, stamps::CanvasId::picTarget);
    stamps::TonesRequest request;
    request.folder = QFile::encodeName(m_folder->text()).toStdString();
    request.destination = destination ? destination->path : std::string();
    request.format = m_eightBit->isChecked() ? stamps::SaveFormat::EightBit : stamps::SaveFormat::TrueColour;
    const auto library = stamps::libraryBodies();
    for (int i = 0; i < m_bodies->count(); ++i) {
        const QListWidgetItem* item = m_bodies->item(i);
        if (item->checkState() != Qt::Checked) continue;
        const auto index = std::size_t(item->data(kBodyIndexRole).toInt());
        if (index >= library.size()) {
            request.bodies.push_back(m_files.at(index - library.size()));
            continue;
        }
        core::Result<stamps::BareBody> body = stamps::libraryBody(library[index], *m_workspace.library);
        if (!body) return refuse(QString::fromStdString(body.message()));
        request.bodies.push_back(std::move(body).value());
    }
    const core::Result<std::vector<std::string>> saved = stamps::saveTones(m_workspace, request);
    if (!saved) return refuse(QString::fromStdString(saved.message()));
    QStringList names;
    for (const std::string& path : saved.value())
        names << shownPath(QFileInfo(QFile::decodeName(path.c_str())).fileName());
    const QString message = QStringLiteral("Saved %1 tone%2 in %3: %4")
                                .arg(names.size())
                                .arg(names.size() == 1 ? QString() : QStringLiteral("s"))
                                .arg(shownPath(m_folder->text()), names.join(QStringLiteral(", ")));
    m_result->setText(message);
    emit said(message);
}

} // namespace workbench
