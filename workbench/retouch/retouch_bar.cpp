// The retouching tool bar, built from the tool and command tables.

#include "workbench/retouch/retouch_bar.h"

#include <QAction>
#include <QActionGroup>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/retouch/colour_text.h"
#include "core/retouch/pencil.h"
#include "preview/colour_match.h"
#include "preview/seam_blend.h"
#include "workbench/preview/preview_window.h"
#include "workbench/preview/seam_list.h"
#include "workbench/retouch/retouch_controller.h"

namespace workbench {
namespace {

constexpr int kSwatch = 18;       // pixels a side of the colour swatches
constexpr int kRecentSwatch = 12; // of the last colours used

QIcon swatch(core::Rgb colour, int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(QColor(colour.r, colour.g, colour.b));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, side - 1, side - 1);
    return QIcon(pixmap);
}

QString colourName(core::Rgb colour) {
    return QString::fromStdString(core::retouch::colourText(colour));
}

QHBoxLayout* rowLayout(QWidget* row) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

} // namespace

RetouchBar::RetouchBar(RetouchController& controller, QWidget* keys, QWidget* parent)
    : QWidget(parent), m_controller(controller) {
    setObjectName(QStringLiteral("barRetouch"));
    // Every tool and command is an action whose keys work within `keys`.
    auto* tools = new QActionGroup(this);
    for (const ToolRow& row : retouchTools()) {
        auto* action = new QAction(tr(row.caption), this);
        action->setObjectName(QLatin1String(row.action));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QString::fromLatin1(row.keys)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(tr(row.tooltip));
        tools->addAction(action);
        keys->addAction(action);
        connect(action, &QAction::triggered, this, [this, tool = row.tool] { m_controller.setTool(tool); });
        m_tools[row.tool] = action;
    }
    for (const CommandRow& row : retouchCommands()) {
        auto* action = new QAction(tr(row.text), this);
        action->setObjectName(QLatin1String(row.name));
        action->setShortcuts(QKeySequence::listFromString(QString::fromLatin1(row.keys)));
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        action->setToolTip(tr(row.tooltip));
        keys->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, command = row.command] { m_controller.run(command); });
        m_commands[row.command] = action;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(makeToolRow());
    layout->addWidget(makeColourRow());
    layout->addWidget(makeCommandRow());
    connect(&m_controller, &RetouchController::stateChanged, this, &RetouchBar::showState);
    showState();
}

QWidget* RetouchBar::makeToolRow() {
    auto* row = new QWidget(this);
    auto* layout = rowLayout(row);
    for (const ToolRow& tool : retouchTools()) {
        auto* button = new QToolButton(row);
        button->setObjectName(QLatin1String(tool.button));
        button->setDefaultAction(m_tools.at(tool.tool));
        button->setToolTip(tr(tool.tooltip));
        button->setFocusPolicy(Qt::NoFocus); // the keys stay with the skin
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return row;
}

QWidget* RetouchBar::makeColourRow() {
    auto* row = new QWidget(this);
    auto* layout = rowLayout(row);
    m_colour = new QToolButton(row);
    m_colour->setObjectName(QStringLiteral("btnColour"));
    m_colour->setIconSize({kSwatch, kSwatch});
    connect(m_colour, &QToolButton::clicked, this,
            [this] { m_controller.run(RetouchCommand::ChooseColour); });
    m_secondColour = new QToolButton(row);
    m_secondColour->setObjectName(QStringLiteral("btnSecondColour"));
    m_secondColour->setIconSize({kSwatch * 2 / 3, kSwatch * 2 / 3});
    m_secondColour->setDefaultAction(action(RetouchCommand::SwapColours));
    layout->addWidget(m_colour);
    layout->addWidget(m_secondColour);
    layout->addSpacing(4);
    for (int i = 0; i < RetouchController::kRecentColours; ++i) {
        auto* recent = new QToolButton(row);
        recent->setObjectName(QStringLiteral("btnRecent%1").arg(i));
        recent->setIconSize({kRecentSwatch, kRecentSwatch});
        recent->setAutoRaise(true);
        connect(recent, &QToolButton::clicked, this, [this, i] {
            if (std::size_t(i) < m_controller.recentColours().size())
                m_controller.setColour(m_controller.recentColours()[std::size_t(i)]);
        });
        layout->addWidget(recent);
        m_recent.push_back(recent);
    }
    layout->addStretch(1);

    m_size = new QSpinBox(row);
    m_size->setObjectName(QStringLiteral("spnPencilSize"));
    m_size->setRange(core::retouch::kMinPencilSize, core::retouch::kMaxPencilSize);
    m_size->setSuffix(tr(" px"));
    m_size->setToolTip(tr("The pencil's size, its side in pixels ([ and ])"));
    connect(m_size, &QSpinBox::valueChanged, &m_controller, &RetouchController::setPencilSize);
    m_tolerance = new QDoubleSpinBox(row);
    m_tolerance->setObjectName(QStringLiteral("spnTolerance"));
    m_tolerance->setRange(0, preview::kMaxTolerance);
    m_tolerance->setDecimals(1);
    m_tolerance->setPrefix(QString::fromUtf8("\u0394E "));
    m_tolerance->setToolTip(
        tr("How far a colour may be from the one under the pointer for fill and replace to "
           "take it (CIEDE2000; 0 takes that colour alone, about 2 hardly shows)"));
    connect(m_tolerance, &QDoubleSpinBox::valueChanged, &m_controller, &RetouchController::setTolerance);
    layout->addWidget(m_size);
    layout->addWidget(m_tolerance);
    return row;
}

QToolButton* RetouchBar::commandButton(RetouchCommand command, const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setDefaultAction(action(command));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget* RetouchBar::makeCommandRow() {
    auto* row = new QWidget(this);
    auto* layout = rowLayout(row);
    auto* mirror = new QToolButton(row);
    mirror->setObjectName(QStringLiteral("cmdMirror"));
    mirror->setText(tr("Mirror"));
    mirror->setToolTip(tr("Copy one side of the body onto the other, mirrored about its centre line"));
    mirror->setPopupMode(QToolButton::InstantPopup);
    mirror->setFocusPolicy(Qt::NoFocus);
    auto* menu = new QMenu(mirror);
    menu->addAction(action(RetouchCommand::MirrorLeft));
    menu->addAction(action(RetouchCommand::MirrorRight));
    mirror->setMenu(menu);
    // The style draws the menu's arrow over the caption's end unless the button makes room for it.
    mirror->setMinimumWidth(mirror->sizeHint().width() +
                            mirror->style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, mirror));
    layout->addWidget(mirror);
    layout->addWidget(commandButton(RetouchCommand::Recolour, "cmdRecolour"));
    layout->addSpacing(4);
    layout->addWidget(commandButton(RetouchCommand::BlendSeam, "cmdBlendSeam"));
    layout->addWidget(commandButton(RetouchCommand::BlendAllSeams, "cmdBlendAllSeams"));
    m_blendWidth = new QSpinBox(row);
    m_blendWidth->setObjectName(QStringLiteral("spnBlendWidth"));
    m_blendWidth->setRange(preview::kMinBlendWidth, preview::kMaxBlendWidth);
    m_blendWidth->setSuffix(tr(" px"));
    m_blendWidth->setToolTip(tr("Pixels each side of a seam that blending changes"));
    connect(m_blendWidth, &QSpinBox::valueChanged, &m_controller, &RetouchController::setBlendWidth);
    layout->addWidget(m_blendWidth);
    layout->addStretch(1);
    return row;
}

void RetouchBar::showState() {
    m_tools.at(m_controller.tool())->setChecked(true);
    m_colour->setIcon(swatch(m_controller.colour(), kSwatch));
    m_colour->setToolTip(
        tr("The colour, %1: click to choose another").arg(colourName(m_controller.colour())));
    m_secondColour->setIcon(swatch(m_controller.secondColour(), kSwatch * 2 / 3));
    m_secondColour->setToolTip(
        tr("The second colour, %1: X swaps the two").arg(colourName(m_controller.secondColour())));
    const auto& recent = m_controller.recentColours();
    for (std::size_t i = 0; i < m_recent.size(); ++i) {
        m_recent[i]->setVisible(i < recent.size());
        if (i < recent.size()) {
            m_recent[i]->setIcon(swatch(recent[i], kRecentSwatch));
            m_recent[i]->setToolTip(tr("%1, used lately").arg(colourName(recent[i])));
        }
    }
    for (auto& [spin, value] :
         {std::pair{m_size, m_controller.pencilSize()}, {m_blendWidth, m_controller.blendWidth()}}) {
        const QSignalBlocker blocker(spin);
        spin->setValue(value);
    }
    {
        const QSignalBlocker blocker(m_tolerance);
        m_tolerance->setValue(m_controller.tolerance());
    }
    for (const auto& [command, action] : m_commands)
        action->setEnabled(m_controller.canRun(command));
}

RetouchController& addRetouching(PreviewWindow& preview, stamps::Workspace& workspace) {
    auto* controller = new RetouchController(workspace, preview, &preview);
    auto* bar = new RetouchBar(*controller, preview.skinColumn(), &preview);
    preview.addAboveZoom(bar);
    // Blend Seam needs a seam chosen in the list.
    QObject::connect(&preview.seams(), &SeamList::seamChosen, bar, &RetouchBar::showState);
    return *controller;
}

} // namespace workbench
