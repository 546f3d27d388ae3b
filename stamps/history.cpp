#include "stamps/history.h"

#include <string>
#include <utility>

namespace stamps {
namespace {

std::size_t changeBytes(const core::Picture& before, const core::Picture& after,
                        const core::ImageDelta& image) {
    std::size_t bytes = image.memoryBytes();
    // A load keeps the picture it replaced (and shares the one it loaded, counted to be safe).
    if (!before.isSameAs(after)) bytes += before.memoryBytes() + after.memoryBytes();
    return bytes;
}

} // namespace

void History::begin(const core::Canvas& source, const core::Canvas& target) {
    if (!m_enabled) return;
    const core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i) {
        m_before.pictures[i] = canvases[i]->picture();
        const auto image = canvases[i]->imageSpan();
        m_before.images[i].assign(image.begin(), image.end());
        m_before.revisions[i] = canvases[i]->revision();
    }
}

void History::record(std::string name, const core::Canvas& source, const core::Canvas& target, Keep keep) {
    if (!m_enabled) return;
    const Before& before = m_before;
    // The pictures taken at begin are held no longer than this step needs them.
    const std::array<core::Picture, 2> pictures = std::exchange(m_before.pictures, {});
    if (keep == Keep::IfChanged && source.revision() == before.revisions[0] &&
        target.revision() == before.revisions[1])
        return;
    const core::Canvas* canvases[2] = {&source, &target};
    Step step;
    step.name = std::move(name);
    try {
        // A canvas the edit left alone has no change; a step with none still counts its name.
        for (int i = 0; i < 2; ++i) {
            const core::Canvas& canvas = *canvases[i];
            if (canvas.revision() == before.revisions[i]) continue;
            CanvasChange change{pictures[i], canvas.picture(),
                                core::ImageDelta::between(before.images[i], canvas.imageSpan()),
                                before.revisions[i], canvas.revision()};
            step.bytes += changeBytes(change.before, change.after, change.image);
            step.changes[i] = std::move(change);
        }
        step.bytes += sizeof(Step) + step.name.capacity();
        while (canRedo()) {
            m_bytes -= m_steps.back().bytes;
            m_steps.pop_back();
        }
        m_bytes += step.bytes;
        m_steps.push_back(std::move(step));
        ++m_done;
    } catch (...) {
        clear(Loss::ShortOfMemory);
        throw;
    }
    while (!m_steps.empty() && (m_bytes > kMaxBytes || m_steps.size() > kMaxSteps)) {
        // The step just recorded, alone over the bound, is too large to keep.
        if (m_steps.size() == 1 && m_bytes > kMaxBytes) {
            m_loss = Loss::TooLarge;
            m_tooLarge = m_steps.front().name;
        } else {
            m_loss = m_bytes > kMaxBytes ? Loss::DroppedForMemory : Loss::DroppedForCount;
        }
        dropOldest();
    }
}

void History::cancel(core::Canvas& source, core::Canvas& target) {
    if (!m_enabled) return;
    core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i) {
        core::Canvas& canvas = *canvases[i];
        if (canvas.revision() == m_before.revisions[i]) continue;
        canvas.restore(m_before.pictures[i],
                       core::ImageDelta::between(canvas.imageSpan(), m_before.images[i]),
                       m_before.revisions[i]);
    }
    m_before.pictures = {};
}

std::string History::whyNothingToUndo() const {
    if (canUndo()) return {};
    if (!m_enabled) return "the history is switched off";
    switch (m_loss) {
    case Loss::Nothing:
        return m_steps.empty() ? "only loads and presses can be undone, and none was done"
                               : "every step was undone already";
    case Loss::DroppedForMemory:
        return "the older steps were dropped to keep the history within " + std::to_string(kMaxBytes >> 20) +
               " MB";
    case Loss::DroppedForCount:
        return "only the last " + std::to_string(kMaxSteps) + " steps are kept";
    case Loss::TooLarge:
        return "\"" + m_tooLarge + "\" was too large to keep: the history holds at most " +
               std::to_string(kMaxBytes >> 20) + " MB";
    case Loss::ShortOfMemory:
        return "memory ran short, so the history let its steps go";
    case Loss::ChangedElsewhere:
        return "a canvas was changed outside the history, so its steps no longer applied";
    }
    return {};
}

bool History::keeps(const core::Picture& picture) const {
    for (const Step& step : m_steps)
        for (const auto& change : step.changes)
            if (change && (change->before.isSameAs(picture) || change->after.isSameAs(picture))) return true;
    return false;
}

bool History::isAt(const Step& step, End end, const core::Canvas& source, const core::Canvas& target) {
    const core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i) {
        const auto& change = step.changes[i];
        if (change && canvases[i]->revision() != change->revision(end)) return false;
    }
    return true;
}

bool History::undo(core::Canvas& source, core::Canvas& target) {
    if (!canUndo()) return false;
    if (!moveAcross(m_steps[m_done - 1], End::Before, source, target)) return false;
    --m_done;
    return true;
}

bool History::redo(core::Canvas& source, core::Canvas& target) {
    if (!canRedo()) return false;
    if (!moveAcross(m_steps[m_done], End::After, source, target)) return false;
    ++m_done;
    return true;
}

bool History::moveAcross(const Step& step, End to, core::Canvas& source, core::Canvas& target) {
    const End from = to == End::Before ? End::After : End::Before;
    if (!isAt(step, from, source, target)) {
        clear(Loss::ChangedElsewhere);
        return false;
    }
    core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i)
        if (const auto& change = step.changes[i])
            canvases[i]->restore(change->picture(to), change->image, change->revision(to));
    return true;
}

void History::clear(Loss why) {
    m_steps.clear();
    m_done = 0;
    m_bytes = 0;
    m_loss = why;
}

void History::dropOldest() {
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    if (m_done > 0) --m_done;
}

} // namespace stamps
