#include "stamps/history.h"

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

History::Before History::before(const core::Canvas& source, const core::Canvas& target) {
    Before state;
    const core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i) {
        state.m_pictures[i] = canvases[i]->picture();
        const auto image = canvases[i]->imageSpan();
        state.m_images[i].assign(image.begin(), image.end());
        state.m_revisions[i] = canvases[i]->revision();
    }
    return state;
}

void History::record(std::string name, const Before& before, const core::Canvas& source,
                     const core::Canvas& target) {
    Step step;
    step.name = std::move(name);
    const core::Canvas* canvases[2] = {&source, &target};
    bool changed = false;
    try {
        for (int i = 0; i < 2; ++i) {
            const core::Canvas& canvas = *canvases[i];
            if (canvas.revision() == before.m_revisions[i]) continue;
            CanvasChange change{before.m_pictures[i], canvas.picture(),
                                core::ImageDelta::between(before.m_images[i], canvas.imageSpan()),
                                before.m_revisions[i], canvas.revision()};
            step.bytes += changeBytes(change.before, change.after, change.image);
            step.changes[i] = std::move(change);
            changed = true;
        }
        if (!changed) return;
        step.bytes += sizeof(Step) + step.name.capacity();
        while (canRedo()) {
            m_bytes -= m_steps.back().bytes;
            m_steps.pop_back();
        }
        m_bytes += step.bytes;
        m_steps.push_back(std::move(step));
        ++m_done;
    } catch (...) {
        clear();
        throw;
    }
    while (!m_steps.empty() && (m_bytes > kMaxBytes || m_steps.size() > kMaxSteps))
        dropOldest();
}

bool History::matches(const Step& step, const core::Canvas& source, const core::Canvas& target, bool undone) {
    const core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i) {
        const auto& change = step.changes[i];
        if (change && canvases[i]->revision() != (undone ? change->revisionBefore : change->revisionAfter))
            return false;
    }
    return true;
}

bool History::undo(core::Canvas& source, core::Canvas& target) {
    if (!canUndo()) return false;
    if (!putBack(m_steps[m_done - 1], source, target, true)) return false;
    --m_done;
    return true;
}

bool History::redo(core::Canvas& source, core::Canvas& target) {
    if (!canRedo()) return false;
    if (!putBack(m_steps[m_done], source, target, false)) return false;
    ++m_done;
    return true;
}

bool History::putBack(const Step& step, core::Canvas& source, core::Canvas& target, bool undoing) {
    if (!matches(step, source, target, !undoing)) {
        clear();
        return false;
    }
    core::Canvas* canvases[2] = {&source, &target};
    for (int i = 0; i < 2; ++i)
        if (const auto& change = step.changes[i]) {
            if (undoing)
                canvases[i]->restore(change->before, change->image, change->revisionBefore);
            else
                canvases[i]->restore(change->after, change->image, change->revisionAfter);
        }
    return true;
}

void History::clear() {
    m_steps.clear();
    m_done = 0;
    m_bytes = 0;
}

void History::dropOldest() {
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    if (m_done > 0) --m_done;
}

} // namespace stamps
