#pragma once
// History: the edits of both canvases that can be undone and redone. A step is one stamp or
// band-copy press (all its paints together) or one load; it keeps what each canvas it changed
// was and became: the loaded pictures (shared, so cheap) and the image's change as a delta.
// Row marks are not edits and are not kept. The history is bounded in steps and in memory;
// the oldest steps go first.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/canvas.h"

namespace stamps {

class History {
  public:
    // At most this much memory for every step together, and at most this many steps.
    static constexpr std::size_t kMaxBytes = std::size_t(64) << 20;
    static constexpr std::size_t kMaxSteps = 1000;

    // Takes both canvases' state before an edit (into buffers kept from one edit to the next).
    // Throws std::bad_alloc when memory is short.
    void begin(const core::Canvas& source, const core::Canvas& target);
    // Records the edit since begin as one step named name ("Bikini 402"), when it changed either
    // canvas; the steps that could have been redone are dropped. Throws std::bad_alloc when
    // memory is short, and then holds no step.
    void record(std::string name, const core::Canvas& source, const core::Canvas& target);

    // A history switched off keeps nothing and costs nothing: for runs that never undo.
    void setEnabled(bool enabled) {
        m_enabled = enabled;
        if (!enabled) clear();
    }
    bool isEnabled() const { return m_enabled; }

    // Puts both canvases back as they were before the newest step, or forward as they were after
    // the next one. False, changing nothing, when there is no such step. Should a canvas have
    // been changed behind the history's back, its steps no longer apply: the history empties
    // and the answer is false.
    bool undo(core::Canvas& source, core::Canvas& target);
    bool redo(core::Canvas& source, core::Canvas& target);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    // What undo and redo would do, by the step's name; empty when there is nothing.
    std::string undoName() const { return canUndo() ? m_steps[m_done - 1].name : std::string(); }
    std::string redoName() const { return canRedo() ? m_steps[m_done].name : std::string(); }

    std::size_t stepCount() const { return m_steps.size(); }
    std::size_t memoryBytes() const { return m_bytes; }
    void clear();

  private:
    // The two ends of a step: the canvases as the step found them and as it left them.
    enum class End { Before, After };
    struct CanvasChange {
        core::Picture before, after; // the loaded picture; the same one unless the step loaded
        core::ImageDelta image;      // between the persistent images before and after
        std::uint64_t revisionBefore = 0, revisionAfter = 0; // the canvas's at either end; a
                                                             // state put back gets its own again
        const core::Picture& picture(End end) const { return end == End::Before ? before : after; }
        std::uint64_t revision(End end) const { return end == End::Before ? revisionBefore : revisionAfter; }
    };
    struct Step {
        std::string name;
        std::array<std::optional<CanvasChange>, 2> changes; // source, destination
        std::size_t bytes = 0;
    };
    // Whether every canvas the step changed is as it was at that end of the step.
    static bool isAt(const Step& step, End end, const core::Canvas& source, const core::Canvas& target);
    // Puts the canvases at the step's end `to` from its other end: Before undoes the step, After
    // redoes it. False, emptying the history, when the canvases are not at the other end.
    bool moveAcross(const Step& step, End to, core::Canvas& source, core::Canvas& target);
    void dropOldest();

    // Both canvases as they were when the edit began.
    struct Before {
        std::array<core::Picture, 2> pictures;
        std::array<std::vector<std::uint8_t>, 2> images;
        std::array<std::uint64_t, 2> revisions{};
    };

    bool m_enabled = true;
    Before m_before;
    std::deque<Step> m_steps;
    std::size_t m_done = 0; // steps before this can be undone, from this on redone
    std::size_t m_bytes = 0;
};

} // namespace stamps
