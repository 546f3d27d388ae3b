#include "workbench/classic/control_builder.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <map>

#include "workbench/classic/caption_button.h"
#include "workbench/classic/classic_fonts.h"
#include "workbench/classic/classic_frame.h"

namespace workbench {

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void placeControl(QWidget* widget, const ControlRow& row) {
    widget->setObjectName(qString(row.name));
    widget->setGeometry(pixelRect(row.place));
    widget->setFont(fontOf(row.font));
    if (!row.tooltip.empty()) widget->setToolTip(qString(row.tooltip));
    if (row.textColour) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText,
                         QColor(row.textColour->r, row.textColour->g, row.textColour->b));
        widget->setPalette(palette);
    }
}

QLabel* makeLabel(QWidget* parent, const ControlRow& row) {
    auto* label = new QLabel(qString(row.caption), parent);
    placeControl(label, row);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* makeButton(QWidget* parent, const ControlRow& row) {
    auto* button = new QPushButton(qString(row.caption), parent);
    placeControl(button, row);
    return button;
}

void FocusOrder::add(int tabIndex, QWidget* widget) {
    m_controls.emplace_back(tabIndex, widget);
}

void FocusOrder::addForm(QWidget* form, const FormSpec& layout) {
    for (const ControlRow& row : layout.controls) {
        auto* widget = form->findChild<QWidget*>(qString(row.name), Qt::FindDirectChildrenOnly);
        if (widget && widget->focusPolicy() != Qt::NoFocus && row.tabIndex != kNoTabIndex)
            add(row.tabIndex, widget);
    }
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
    // Buttons of a frame are placed relative to it; the others to the window's
    // client area.
    std::map<stamps::Group, QWidget*> containers;
    for (const stamps::GroupSpec& group : stamps::allGroups()) {
        if (!group.isFrame) {
            makeLabel(window, group);
            continue;
        }
        auto* frame = new ClassicFrame(qString(group.caption), window);
        placeControl(frame, group);
        containers[group.group] = frame;
    }

    for (const stamps::ButtonSpec& row : stamps::allButtons()) {
        const auto container = containers.find(row.group);
        QWidget* parent = container == containers.end() ? window : container->second;
        auto* button = new CaptionButton(qString(row.caption), parent);
        placeControl(button, row);
        focusOrder.add(row.tabIndex, button);
        // Every row goes to the one slot; "+" (Command18) and "All Top" have no steps to run.
        QObject::connect(button, &QPushButton::clicked, window, [&row, clicked] { clicked(row); });
    }
}

} // namespace workbench
