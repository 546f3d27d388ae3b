// The mask from a bare body (see mask_from_body_dialog.h).

#include "workbench/outfits/mask_from_body_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "stamps/mask_from_body.h"
#include "workbench/outfits/body_file.h"

namespace workbench {
namespace {

// The tolerance is a colour difference (CIEDE2000): 0 counts only identical colours as bare
// skin; past about 30 whole garments count as skin.
constexpr double kMostTolerance = 50.0;

int librarySize() {
    return int(stamps::libraryBodies().size());
}

} // namespace

MaskFromBodyDialog::MaskFromBodyDialog(stamps::Workspace& workspace, QWidget* parent)
    : QDialog(parent), m_workspace(workspace) {
    setObjectName(QStringLiteral("dlgMaskFromBody"));
    setWindowTitle(QStringLiteral("Mask from Bare Body"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Marks every pixel of the destination that differs from the bare "
                                            "body it was painted on as garment."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    auto* bodyRow = new QHBoxLayout;
    m_body = new QComboBox(this);
    m_body->setObjectName(QStringLiteral("cboBody"));
    for (const stamps::LibraryBody& row : stamps::libraryBodies())
        m_body->addItem(QString::fromUtf8(row.label.data(), qsizetype(row.label.size())));
    auto* file = new QPushButton(QStringLiteral("Body File…"), this);
    file->setObjectName(QStringLiteral("btnBodyFile"));
    bodyRow->addWidget(m_body, 1);
    bodyRow->addWidget(file);
    form->addRow(QStringLiteral("Bare body:"), bodyRow);
    m_tolerance = new QDoubleSpinBox(this);
    m_tolerance->setObjectName(QStringLiteral("spnTolerance"));
    m_tolerance->setRange(0, kMostTolerance);
    m_tolerance->setDecimals(1);
    m_tolerance->setSingleStep(0.5);
    m_tolerance->setValue(core::kDefaultMaskTolerance);
    m_tolerance->setToolTip(QStringLiteral("How far (ΔE) a pixel's colour may lie from the body's and still "
                                           "count as bare skin"));
    form->addRow(QStringLiteral("Tolerance (ΔE):"), m_tolerance);
    layout->addLayout(form);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblGarment"));
    m_count->setWordWrap(true);
    layout->addWidget(m_count);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton = buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    applyButton->setObjectName(QStringLiteral("btnApply"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("btnClose"));
    layout->addWidget(buttons);

    connect(file, &QPushButton::clicked, this, &MaskFromBodyDialog::addBodyFile);
    connect(applyButton, &QPushButton::clicked, this, &MaskFromBodyDialog::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_body, &QComboBox::currentIndexChanged, this, &MaskFromBodyDialog::measure);
    connect(m_tolerance, &QDoubleSpinBox::valueChanged, this, &MaskFromBodyDialog::measure);
    measure();
}

std::optional<stamps::BareBody> MaskFromBodyDialog::chosenBody(QString& why) const {
    const int index = m_body->currentIndex();
    if (index >= librarySize()) return m_files.at(std::size_t(index - librarySize()));
    core::Result<stamps::BareBody> body =
        stamps::libraryBody(stamps::libraryBodies()[std::size_t(index)], *m_workspace.library);
    if (!body) {
        why = QString::fromStdString(body.message());
        return std::nullopt;
    }
    return std::move(body).value();
}

void MaskFromBodyDialog::addBodyFile() {
    ChosenBody chosen = chooseBodyFile(this);
    if (!chosen.body) {
        if (!chosen.refusal.isEmpty()) m_count->setText(chosen.refusal);
        return;
    }
    m_body->addItem(QString::fromStdString(chosen.body->label));
    m_files.push_back(std::move(*chosen.body));
    m_body->setCurrentIndex(m_body->count() - 1); // measures
}

void MaskFromBodyDialog::measure() {
    QString why;
    const std::optional<stamps::BareBody> body = chosenBody(why);
    if (!body) {
        m_count->setText(why);
        return;
    }
    const core::Result<core::MadeMask> made =
        stamps::maskFromBareBody(m_workspace, *body, m_tolerance->value());
    if (!made) {
        m_count->setText(QString::fromStdString(made.message()));
        return;
    }
    m_count->setText(
        QStringLiteral("%1 pixels differ from %2: they become the garment.")
            .arg(QLocale().toString(made.value().garmentPixels), QString::fromStdString(body->label)));
}

void MaskFromBodyDialog::apply() {
    QString why;
    const std::optional<stamps::BareBody> body = chosenBody(why);
    core::Status status = core::Status::error(why.toStdString());
    int garment = 0;
    if (body) {
        const core::Result<core::MadeMask> made =
            stamps::maskFromBareBody(m_workspace, *body, m_tolerance->value());
        status = made.status();
        if (made) {
            garment = made.value().garmentPixels;
            status = stamps::applyMadeMask(m_workspace, made.value(), *body);
        }
    }
    if (!status) {
        const QString message = QString::fromStdString(status.message());
        m_count->setText(message);
        emit said(message);
        return;
    }
    // The destination now shows the mask applied, so the count stays what was applied.
    const QString message = QStringLiteral("Mask from %1: %2 garment pixels at tolerance %3")
                                .arg(QString::fromStdString(body->label), QLocale().toString(garment),
                                     QLocale().toString(m_tolerance->value(), 'f', 1));
    m_count->setText(message);
    emit edited();
    emit said(message);
}

} // namespace workbench
