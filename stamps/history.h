#pragma once
// History: the edits of both canvases that can be undone and redone. A step is one stamp or
// band-copy press (all its paints together, or none: a press that changed nothing is a step
// that changes nothing) or one load; it keeps what each canvas it changed was and became: the
// loaded pictures (shared, so cheap) and the image's change as a delta. Row marks are not edits
// and are not kept. The history is bounded in steps and in memory; the oldest steps go first,
// and it remembers why, so that undo can say why it can go back no further.

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

    // What was lost before the oldest step kept, and so where undo stops.
    enum class Loss {
        Nothing,          // the oldest step kept is the first done
        DroppedForMemory, // older steps went to keep within kMaxBytes
        DroppedForCount,  // older steps went to keep within kMaxSteps
        TooLarge,         // a step larger than kMaxBytes alone, and every step before it
        ShortOfMemory,    // memory ran short for a step, and the history emptied
        ChangedElsewhere, // a canvas changed outside the history, whose steps then went
    };

    // Takes both canvases' state before an edit (into buffers kept from one edit to the next).
    // Throws std::bad_alloc when memory is short.
    void begin(const core::Canvas& source, const core::Canvas& target);
    // Which edits are steps: every edit that ran, whether or not it changed a canvas, or only
    // one that changed one (a stamp that failed is a step only if it painted before failing).
    enum class Keep { Always, IfChanged };
    // Records the edit since begin as one step named name ("Bikini 402"); the steps that could
    // have been redone are dropped. Throws std::bad_alloc when memory is short, and then holds
    // no step.
    void record(std::string name, const core::Canvas& source, const core::Canvas& target,
                Keep keep = Keep::Always);

    // Puts both canvases back as begin found them (pictures, images and revisions) and keeps no
    // step: an edit given up half way, such as a retouch the user cancelled. A history switched
    // off took nothing at begin, and puts nothing back.
    void cancel(core::Canvas& source, core::Canvas& target);

    // A history switched off keeps nothing and costs nothing: for runs that never undo.
    void setEnabled(bool enabled) {
        m_enabled = enabled;
        if (!enabled) clear(Loss::Nothing);
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
    // Why undo can go back no further, to follow "there is nothing to undo": "every step was
    // undone already", "\"Open big.bmp\" was too large to keep: ..."; empty when it can.
    std::string whyNothingToUndo() const;

    std::size_t stepCount() const { return m_steps.size(); }
    // Whether undo or redo can put picture back into a canvas.
    bool keeps(const core::Picture& picture) const;
    std::size_t memoryBytes() const { return m_bytes; }
    // Drops every step; why says what undo will give as the reason it stops.
    void clear(Loss why);

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
    Loss m_loss = Loss::Nothing;
    std::string m_tooLarge; // the name of the step too large to keep, for Loss::TooLarge
};

} // namespace stamps
