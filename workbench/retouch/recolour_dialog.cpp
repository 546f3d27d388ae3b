// The recolour dialog's fields and how each change is shown.

#include "workbench/retouch/recolour_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>

namespace workbench {
namespace {

QSpinBox* shiftBox(QWidget* parent, const char* name, double range, const QString& suffix,
                   const QString& tip) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(-int(range), int(range));
    box->setSuffix(suffix);
    box->setToolTip(tip);
    return box;
}

} // namespace

RecolourDialog::RecolourDialog(
    QWidget* parent, std::vector<RecolourArea> areas,
    std::function<void(const core::retouch::HslShift&, const core::retouch::PixelArea&)> preview)
    : QDialog(parent), m_areas(std::move(areas)), m_preview(std::move(preview)) {
    setObjectName(QStringLiteral("dlgRecolour"));
    setWindowTitle(tr("Recolour"));
    auto* form = new QFormLayout(this);
    m_hue = shiftBox(this, "spnHue", core::retouch::kMaxHueShift, QString::fromUtf8("\u00b0"),
                     tr("Degrees round the colour wheel"));
    m_saturation = shiftBox(this, "spnSaturation", core::retouch::kMaxPercentShift, QStringLiteral(" %"),
                            tr("-100 makes grey, 100 twice as saturated"));
    m_lightness = shiftBox(this, "spnLightness", core::retouch::kMaxPercentShift, QStringLiteral(" %"),
                           tr("-100 makes black, 100 white; between, that share of the way"));
    m_within = new QComboBox(this);
    m_within->setObjectName(QStringLiteral("cboWithin"));
    m_within->setToolTip(tr("Only these pixels change: a mask's garment is its black"));
    for (const RecolourArea& area : m_areas)
        m_within->addItem(area.label);
    form->addRow(tr("&Hue"), m_hue);
    form->addRow(tr("&Saturation"), m_saturation);
    form->addRow(tr("&Lightness"), m_lightness);
    form->addRow(tr("&Within"), m_within);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox* box : {m_hue, m_saturation, m_lightness})
        connect(box, &QSpinBox::valueChanged, this, &RecolourDialog::showShift);
    connect(m_within, &QComboBox::currentIndexChanged, this, &RecolourDialog::chooseArea);
    chooseArea(0);
}

core::retouch::HslShift RecolourDialog::shift() const {
    return {double(m_hue->value()), double(m_saturation->value()), double(m_lightness->value())};
}

void RecolourDialog::chooseArea(int index) {
    if (index < 0 || index >= int(m_areas.size())) return;
    if (std::optional<core::retouch::PixelArea> area = m_areas[std::size_t(index)].area()) {
        m_area = std::move(area);
        m_areaIndex = index;
        showShift();
        return;
    }
    // The area cannot be had: the list goes back to the one before.
    const QSignalBlocker blocker(m_within);
    m_within->setCurrentIndex(m_areaIndex);
}

void RecolourDialog::showShift() {
    if (m_area) m_preview(shift(), *m_area);
}

} // namespace workbench
