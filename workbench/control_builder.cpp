#include "workbench/control_builder.h"

#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <map>

#include "workbench/caption_button.h"
#include "workbench/classic_fonts.h"

namespace workbench {

QRect pixelRect(const stamps::Twips& place) {
    constexpr int k = stamps::kTwipsPerPixel;
    return QRect(place.left / k, place.top / k, place.width / k, place.height / k);
}

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QLabel* makeLabel(QWidget* parent, std::string_view name, std::string_view caption,
                  const stamps::Twips& place, const std::optional<stamps::FontSpec>& font,
                  std::string_view tooltip) {
    auto* label = new QLabel(qString(caption), parent);
    label->setObjectName(qString(name));
    label->setGeometry(pixelRect(place));
    label->setFont(fontOf(font));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (!tooltip.empty()) label->setToolTip(qString(tooltip));
    return label;
}

void FocusOrder::add(int tabIndex, QWidget* widget) {
    m_controls.emplace_back(tabIndex, widget);
}

void FocusOrder::apply() const {
    std::vector<std::pair<int, QWidget*>> ordered = m_controls;
    std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) {
        // -1, no index: after every indexed control.
        const unsigned left = unsigned(a.first), right = unsigned(b.first);
        return left < right;
    });
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

void buildButtons(QWidget* window, const std::function<void(const stamps::ButtonSpec&)>& clicked,
                  FocusOrder& focusOrder) {
    // Buttons of a frame are placed relative to it; the others to the window's client area.
    std::map<stamps::Group, QWidget*> containers;
    for (const stamps::GroupSpec& group : stamps::allGroups()) {
        if (!group.isFrame) {
            makeLabel(window, group.name, group.caption, group.place, group.font, group.tooltip);
            continue;
        }
        auto* frame = new QGroupBox(qString(group.caption), window);
        frame->setObjectName(qString(group.name));
        frame->setGeometry(pixelRect(group.place));
        frame->setFont(fontOf(group.font));
        if (!group.tooltip.empty()) frame->setToolTip(qString(group.tooltip));
        containers[group.group] = frame;
    }

    for (const stamps::ButtonSpec& row : stamps::allButtons()) {
        const auto container = containers.find(row.group);
        QWidget* parent = container == containers.end() ? window : container->second;
        auto* button = new CaptionButton(qString(row.caption), parent);
        button->setObjectName(qString(row.name));
        button->setGeometry(pixelRect(row.place));
        button->setFont(fontOf(row.font));
        if (!row.tooltip.empty()) button->setToolTip(qString(row.tooltip));
        focusOrder.add(row.tabIndex, button);
        // Every row goes to the one slot; "+" (Command18) and "All Top" have no steps to run.
        QObject::connect(button, &QPushButton::clicked, window, [&row, clicked] { clicked(row); });
    }
}

} // namespace workbench
