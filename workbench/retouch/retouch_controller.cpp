// The zoom view's retouching: the mouse's gestures per tool, the commands, and the edits as
// steps of the history.

#include "workbench/retouch/retouch_controller.h"

#include <QColorDialog>
#include <QDir>
#include <QEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "core/codec/bmp.h"
#include "core/library/image_library.h"
#include "core/retouch/fill.h"
#include "core/retouch/mirror.h"
#include "core/retouch/pencil.h"
#include "core/retouch/recolour.h"
#include "core/retouch/selection.h"
#include "preview/colour_match.h"
#include "preview/seam_blend.h"
#include "stamps/outfit_masks.h"
#include "workbench/canvas_image.h"
#include "workbench/dialogs/message_box.h"
#include "workbench/dialogs/window_prompts.h"
#include "workbench/preview/preview_window.h"
#include "workbench/preview/zoom_view.h"
#include "workbench/retouch/recolour_dialog.h"
#include "workbench/retouch/selection_overlay.h"

namespace workbench {
namespace {

using core::retouch::Point;
using core::retouch::Raster;
using core::retouch::Rect;

constexpr Rect kSkin{0, 0, core::kSkinSize, core::kSkinSize};

QImage imageOf(const Raster& pixels) {
    return pictureImage(pixels.picture());
}

} // namespace

RetouchController::RetouchController(stamps::Workspace& workspace, PreviewWindow& preview, QObject* parent)
    : QObject(parent), m_workspace(workspace), m_preview(preview), m_blendWidth(preview::kDefaultBlendWidth) {
    ZoomView& zoom = preview.zoom();
    m_overlay = new SelectionOverlay(&zoom);
    zoom.installEventFilter(this);
    zoom.setFocusPolicy(Qt::ClickFocus); // a click on the skin brings the retouching keys to it
}

void RetouchController::setTool(RetouchTool tool) {
    m_tool = tool;
    emit stateChanged();
}

void RetouchController::setColour(core::Rgb colour) {
    m_colour = colour;
    emit stateChanged();
}

void RetouchController::setSecondColour(core::Rgb colour) {
    m_secondColour = colour;
    emit stateChanged();
}

void RetouchController::setPencilSize(int size) {
    m_pencilSize = std::clamp(size, core::retouch::kMinPencilSize, core::retouch::kMaxPencilSize);
    emit stateChanged();
}

void RetouchController::setTolerance(double tolerance) {
    m_tolerance = std::clamp(tolerance, 0.0, preview::kMaxTolerance);
    emit stateChanged();
}

void RetouchController::setBlendWidth(int width) {
    m_blendWidth = std::clamp(width, preview::kMinBlendWidth, preview::kMaxBlendWidth);
    emit stateChanged();
}

void RetouchController::setSelection(const Rect& selection) {
    m_selection = selection.within(kSkin);
    showSelection();
    emit stateChanged();
}

void RetouchController::showSelection() {
    if (!m_overlay) return;
    m_overlay->setSelection(m_selection);
    m_overlay->setFloating(m_floating ? imageOf(*m_floating) : QImage(), m_floatingAt);
}

Raster RetouchController::destination() const {
    return Raster(core::kSkinSize, core::kSkinSize, m_workspace.picTarget.imageSpan());
}

void RetouchController::tell(const core::Status& status) {
    if (!status) showMessage(&m_preview, QString::fromStdString(status.message()));
}

void RetouchController::retouch(std::string_view name, const stamps::PixelEdit& edit) {
    const core::Status status = stamps::retouch(m_workspace, std::string(name), edit);
    emit edited();
    tell(status);
}

void RetouchController::paint(const stamps::PixelEdit& edit) {
    if (m_gesture == Gesture::None) return;
    const core::Status status = stamps::paintStroke(m_workspace, edit);
    emit edited();
    if (!status) {
        m_gesture = Gesture::None;
        stamps::cancelStroke(m_workspace);
        emit edited();
        tell(status);
    }
}

void RetouchController::endStroke(std::string_view name) {
    m_gesture = Gesture::None;
    const core::Status status = stamps::endStroke(m_workspace, std::string(name));
    emit edited(); // the Edit menu names the step
    tell(status);
}

void RetouchController::used(core::Rgb colour) {
    std::erase(m_recent, colour);
    m_recent.push_front(colour);
    if (m_recent.size() > kRecentColours) m_recent.pop_back();
    emit stateChanged();
}

void RetouchController::pick(Point at, Qt::MouseButton button) {
    const core::Rgb picked = m_workspace.picTarget.pixel(at.x, at.y);
    button == Qt::RightButton ? setSecondColour(picked) : setColour(picked);
}

Point RetouchController::pixelAt(QPointF place) const {
    const double cell = m_preview.zoom().pixelCorner(1, 0).x(); // widget pixels a skin pixel spans
    return {int(std::floor(place.x() / cell)), int(std::floor(place.y() / cell))};
}

bool RetouchController::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_preview.zoom()) return false;
    switch (event->type()) {
    case QEvent::Resize:
        if (m_overlay) m_overlay->resize(m_preview.zoom().size());
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Point at = pixelAt(mouse->position());
        if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) return false;
        if (m_gesture == Gesture::None && kSkin.contains(at)) press(at, mouse->button(), mouse->modifiers());
        return true;
    }
    case QEvent::MouseMove: {
        const Point at = pixelAt(static_cast<QMouseEvent*>(event)->position());
        if (m_floating) {
            m_floatingAt = at;
            showSelection();
        }
        drag(at);
        return false; // the zoom view still names the pixel under the pointer
    }
    case QEvent::MouseButtonRelease:
        if (m_gesture != Gesture::None) release();
        return true;
    default:
        return false;
    }
}

void RetouchController::press(Point at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (m_floating) {
        // The pasted pixels land where the user clicks, and become the selection.
        const Raster piece = *std::exchange(m_floating, std::nullopt);
        m_floatingAt = at;
        m_selection = Rect{at.x, at.y, piece.width(), piece.height()}.within(kSkin);
        retouch(stamps::kPasteStep, [&](Raster& skin) { core::retouch::paste(skin, piece, at); });
        showSelection();
        emit stateChanged();
        return;
    }
    const core::Rgb colour = button == Qt::RightButton ? m_secondColour : m_colour;
    const bool picks = m_tool == RetouchTool::Eyedropper ||
                       (m_tool == RetouchTool::Pencil && modifiers.testFlag(Qt::AltModifier));
    if (picks) return pick(at, button);
    switch (m_tool) {
    case RetouchTool::Pencil: {
        if (!stamps::beginStroke(m_workspace)) return;
        m_gesture = Gesture::Stroke;
        m_strokeColour = colour;
        const Point from = modifiers.testFlag(Qt::ShiftModifier) && m_lastPoint ? *m_lastPoint : at;
        paint([&](Raster& skin) { core::retouch::line(skin, from, at, m_pencilSize, colour); });
        m_lastPoint = at;
        return;
    }
    case RetouchTool::Fill:
        retouch(stamps::kFillStep, [&](Raster& skin) {
            core::retouch::fill(skin, at, colour, preview::likeColour(skin.pixel(at), m_tolerance));
        });
        return used(colour);
    case RetouchTool::ReplaceColour: {
        const core::Rgb picked = m_workspace.picTarget.pixel(at.x, at.y);
        retouch(stamps::kReplaceStep, [&](Raster& skin) {
            core::retouch::replace(skin, colour, preview::likeColour(picked, m_tolerance));
        });
        return used(colour);
    }
    case RetouchTool::Select:
        m_anchor = at;
        if (m_selection.contains(at) && stamps::beginStroke(m_workspace)) {
            // Drag the selection's pixels; the second colour shows where they were.
            m_gesture = Gesture::Moving;
            m_before = destination();
            m_lifted = core::retouch::copyArea(*m_before, m_selection);
            m_movedTo = {m_selection.left, m_selection.top};
            return;
        }
        m_gesture = Gesture::Selecting;
        return setSelection(Rect::spanning(at, at));
    case RetouchTool::Eyedropper:
        return;
    }
}

void RetouchController::drag(Point at) {
    switch (m_gesture) {
    case Gesture::Stroke: {
        const Point from = m_lastPoint.value_or(at);
        if (from == at) return;
        paint([&](Raster& skin) { core::retouch::line(skin, from, at, m_pencilSize, m_strokeColour); });
        m_lastPoint = at;
        return;
    }
    case Gesture::Selecting:
        return setSelection(Rect::spanning(
            m_anchor, {std::clamp(at.x, 0, kSkin.width - 1), std::clamp(at.y, 0, kSkin.height - 1)}));
    case Gesture::Moving: {
        const Point to{m_selection.left + at.x - m_anchor.x, m_selection.top + at.y - m_anchor.y};
        if (to == m_movedTo) return;
        m_movedTo = to;
        paint([&](Raster& skin) {
            skin = *m_before;
            skin.fill(m_selection, m_secondColour);
            core::retouch::paste(skin, *m_lifted, to);
        });
        if (m_overlay)
            m_overlay->setSelection(Rect{to.x, to.y, m_selection.width, m_selection.height}.within(kSkin));
        return;
    }
    case Gesture::Recolouring:
    case Gesture::None:
        return;
    }
}

void RetouchController::release() {
    switch (m_gesture) {
    case Gesture::Stroke:
        endStroke(stamps::kPencilStep);
        return used(m_strokeColour);
    case Gesture::Selecting:
        m_gesture = Gesture::None;
        // A click without a drag drops the selection.
        if (m_selection.width == 1 && m_selection.height == 1) setSelection({});
        return;
    case Gesture::Moving:
        m_before.reset();
        m_lifted.reset();
        if (m_movedTo == Point{m_selection.left, m_selection.top}) {
            // A click inside the selection that moved nothing is no step.
            m_gesture = Gesture::None;
            stamps::cancelStroke(m_workspace);
            emit edited();
            return;
        }
        endStroke(stamps::kMoveStep);
        return setSelection({m_movedTo.x, m_movedTo.y, m_selection.width, m_selection.height});
    case Gesture::Recolouring:
    case Gesture::None:
        return;
    }
}

} // namespace workbench

namespace workbench {

bool RetouchController::canRun(RetouchCommand command) const {
    switch (command) {
    case RetouchCommand::BlendSeam:
        return m_preview.markedSeam() != nullptr;
    case RetouchCommand::Copy:
    case RetouchCommand::FlipHorizontally:
    case RetouchCommand::FlipVertically:
    case RetouchCommand::ClearSelection:
        return !m_selection.isEmpty();
    case RetouchCommand::Paste:
        return m_clipboard.has_value();
    default:
        return true;
    }
}

void RetouchController::run(RetouchCommand command) {
    if (m_gesture != Gesture::None || !canRun(command)) return;
    const Rect selection = m_selection;
    switch (command) {
    case RetouchCommand::MirrorLeft:
    case RetouchCommand::MirrorRight: {
        const auto side =
            command == RetouchCommand::MirrorLeft ? core::retouch::Side::Left : core::retouch::Side::Right;
        return retouch(stamps::mirrorStepName(side),
                       [side](Raster& skin) { core::retouch::mirror(skin, side); });
    }
    case RetouchCommand::Recolour:
        return recolour();
    case RetouchCommand::BlendSeam: {
        const preview::SeamSpec& seam = *m_preview.markedSeam();
        return retouch(stamps::blendSeamStepName(seam.name),
                       [&](Raster& skin) { preview::blendSeam(skin, seam, m_blendWidth); });
    }
    case RetouchCommand::BlendAllSeams:
        return retouch(stamps::kBlendSeamsStep,
                       [&](Raster& skin) { preview::blendSeams(skin, m_blendWidth); });
    case RetouchCommand::Copy:
        m_clipboard = core::retouch::copyArea(destination(), selection);
        emit stateChanged();
        return;
    case RetouchCommand::Paste:
        m_floating = m_clipboard;
        m_floatingAt = {selection.left, selection.top};
        showSelection();
        emit stateChanged();
        return;
    case RetouchCommand::FlipHorizontally:
    case RetouchCommand::FlipVertically: {
        const bool across = command == RetouchCommand::FlipHorizontally;
        return retouch(
            across ? stamps::kFlipHorizontallyStep : stamps::kFlipVerticallyStep, [&](Raster& skin) {
                const auto flip =
                    across ? core::retouch::Flip::Horizontally : core::retouch::Flip::Vertically;
                core::retouch::paste(skin,
                                     core::retouch::flipped(core::retouch::copyArea(skin, selection), flip),
                                     {selection.left, selection.top});
            });
    }
    case RetouchCommand::ClearSelection:
        return retouch(stamps::kClearStep, [&](Raster& skin) { skin.fill(selection, m_secondColour); });
    case RetouchCommand::Deselect:
        m_floating.reset();
        return setSelection({});
    case RetouchCommand::SwapColours:
        std::swap(m_colour, m_secondColour);
        emit stateChanged();
        return;
    case RetouchCommand::Smaller:
        return setPencilSize(m_pencilSize - 1);
    case RetouchCommand::Larger:
        return setPencilSize(m_pencilSize + 1);
    case RetouchCommand::ChooseColour: {
        const QColor chosen =
            QColorDialog::getColor(QColor(m_colour.r, m_colour.g, m_colour.b), &m_preview, tr("Colour"));
        if (chosen.isValid())
            setColour(
                {std::uint8_t(chosen.red()), std::uint8_t(chosen.green()), std::uint8_t(chosen.blue())});
        return;
    }
    }
}

void RetouchController::recolour() {
    using core::retouch::PixelArea;
    std::vector<RecolourArea> areas;
    if (!m_selection.isEmpty())
        areas.push_back({tr("The selection"), [selection = m_selection] {
                             return std::optional(
                                 PixelArea::rectangle(core::kSkinSize, core::kSkinSize, selection));
                         }});
    areas.push_back({tr("The whole skin"),
                     [] { return std::optional(PixelArea::whole(core::kSkinSize, core::kSkinSize)); }});
    const auto garmentOf = [this](const core::Picture& mask) -> std::optional<PixelArea> {
        auto garment = PixelArea::ofMask(mask, core::kSkinSize, core::kSkinSize);
        if (!garment) {
            showMessage(&m_preview,
                        tr("This mask cannot be used: %1.").arg(QString::fromStdString(garment.message())));
            return std::nullopt;
        }
        return std::move(garment).value();
    };
    // The last mask made from a bare body (Outfit → Mask from Bare Body), while there is one.
    if (const stamps::MadeMaskRecord& made = m_workspace.madeMask; !made.mask.isEmpty())
        areas.push_back({tr("The mask made from %1").arg(QString::fromStdString(made.bodyName)),
                         [garmentOf, mask = made.mask] { return garmentOf(mask); }});
    for (const stamps::OutfitMask& mask : stamps::outfitMasks())
        areas.push_back(
            {QStringLiteral("%1 (%2)").arg(QString::fromUtf8(mask.caption.data(), int(mask.caption.size())),
                                           QString::fromUtf8(core::imageName(mask.image).data())),
             [garmentOf, id = mask.image] { return garmentOf(core::ImageLibrary::shared().picture(id)); }});
    areas.push_back({tr("Mask file..."), [this, garmentOf]() -> std::optional<PixelArea> {
                         const QString path =
                             chooseFileToOpen(&m_preview, tr("Open Mask"), QDir::currentPath());
                         if (path.isEmpty()) return std::nullopt;
                         auto mask = core::loadPicture(path.toStdString());
                         if (!mask) {
                             tell(mask.status());
                             return std::nullopt;
                         }
                         return garmentOf(mask.value());
                     }});

    if (!stamps::beginStroke(m_workspace)) return;
    m_gesture = Gesture::Recolouring;
    const Raster before = destination();
    RecolourDialog dialog(&m_preview, std::move(areas),
                          [&](const core::retouch::HslShift& shift, const PixelArea& within) {
                              paint([&](Raster& skin) {
                                  skin = before;
                                  core::retouch::recolour(skin, shift, within);
                              });
                          });
    if (dialog.exec() == QDialog::Accepted && m_gesture == Gesture::Recolouring)
        return endStroke(stamps::kRecolourStep);
    if (m_gesture == Gesture::None) return; // a failure while showing it gave the stroke up already
    m_gesture = Gesture::None;
    stamps::cancelStroke(m_workspace);
    emit edited();
}

} // namespace workbench
