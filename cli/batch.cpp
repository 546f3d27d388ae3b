// The batch driver (see batch.h). Threads take the next input from a shared counter, run it
// through the same action runner as a single run, and leave its output staged: written in full
// beside its target, in the output folder held open since the planning, unflushed and without a
// name. Whenever a group of them is full, and once at the end, the group is committed together:
// one flush for all, then the renames, each refused where the file it would replace is an input.

#include "cli/batch.h"

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/actions.h"
#include "cli/cli.h"
#include "cli/progress.h"
#include "core/file_messages.h"
#include "core/worker_threads.h"

namespace cli {
namespace {

// Staged outputs committed together: as many as the limit of open files allows (each holds
// two descriptors until its commit), up to kMaxFilesPerGroup. The limit is raised to what the
// system allows first.
constexpr std::size_t kMaxFilesPerGroup = 1024, kMinFilesPerGroup = 16;
constexpr rlim_t kDescriptorsKept = 64; // for everything else: inputs being read, the folders

std::size_t filesPerGroup() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return kMinFilesPerGroup;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
    }
    if (limit.rlim_cur == RLIM_INFINITY) return kMaxFilesPerGroup;
    const rlim_t spare = limit.rlim_cur > kDescriptorsKept ? (limit.rlim_cur - kDescriptorsKept) / 2 : 0;
    return std::clamp<std::size_t>(std::size_t(spare), kMinFilesPerGroup, kMaxFilesPerGroup);
}

// Outputs waiting for their commit, with the inputs they came from.
struct Group {
    std::vector<std::size_t> inputs;
    std::vector<core::AtomicFile> files;
};

// The input run as `--dest FILE ACTION... --save OUT` (or --save-8bit), its output staged; its
// notes told through tell.
core::Result<core::AtomicFile> runInput(const BatchPlan& plan, std::size_t i, const Tell& tell) {
    if (testing::beforeEachInput()) testing::beforeEachInput()(i);
    std::ostream printsNothing(nullptr); // a batch refuses the actions that print
    Session session(printsNothing);
    session.tell = tell;
    session.workspace.history.setEnabled(needsHistory(plan.actions));
    std::optional<core::AtomicFile> staged;
    session.staged = &staged;
    session.heldFolder = plan.outHandle.handle();

    if (core::Status opened = open(session, stamps::CanvasId::picTarget, plan.inputs[i]); !opened)
        return opened;
    if (core::Status done = runActions(plan.actions, session); !done) return done;
    if (core::Status saved = saveDestination(session, plan.outputOf(i), plan.format); !saved) return saved;
    return std::move(*staged);
}

class BatchRun {
  public:
    BatchRun(const BatchPlan& plan, std::ostream& err, bool terminal)
        : m_plan(plan), m_progress(err, terminal, plan.inputs.size()), m_filesPerGroup(filesPerGroup()) {
        // Named now, while memory is plenty: a failure is reported without allocating.
        m_shownInputs.reserve(plan.inputs.size());
        for (const std::string& input : plan.inputs)
            m_shownInputs.push_back(core::shownName(input));
        m_shortOfMemory.reserve(plan.inputs.size());
    }

    int run() {
        const std::size_t threads = std::min<std::size_t>(std::size_t(m_plan.jobs), m_plan.inputs.size());
        core::runOnThreads(threads, [this] { work(); });
        commit(std::exchange(m_waiting, {}));
        // The inputs that found no memory while the others ran are tried again one at a time,
        // now that the others' memory is free; short of it again, they fail.
        for (const std::size_t input : m_shortOfMemory)
            runOne(input, false);
        commit(std::exchange(m_waiting, {}));

        const std::size_t failures = m_failures.load();
        m_progress.finish(m_plan.inputs.size() - failures, failures);
        return failures == 0 ? kExitOk : kExitFailed;
    }

  private:
    void work() {
        for (std::size_t i; (i = m_next.fetch_add(1)) < m_plan.inputs.size();)
            runOne(i, true);
    }

    // Runs the input and stages its output; short of memory, it is kept for later when it may
    // be retried, else it fails.
    void runOne(std::size_t input, bool mayRetry) {
        try {
            core::Result<core::AtomicFile> staged =
                runInput(m_plan, input, [this](const std::string& line) { m_progress.note(line); });
            if (staged) {
                stage(input, std::move(staged).value());
            } else if (mayRetry && staged.status().kind() == core::Status::Kind::Memory) {
                return retryLater(input);
            } else {
                fail(input, staged.message());
            }
        } catch (const std::bad_alloc&) {
            if (mayRetry) return retryLater(input);
            fail(input, kNoMemoryToRun);
        }
        m_progress.inputDone();
    }

    void retryLater(std::size_t input) noexcept {
        const std::lock_guard lock(m_mutex);
        m_shortOfMemory.push_back(input); // reserved for every input: cannot allocate
    }

    // Adds the output to the waiting group; commits the group once it is full, on this thread
    // while the others go on.
    void stage(std::size_t input, core::AtomicFile file) {
        Group full;
        {
            const std::lock_guard lock(m_mutex);
            // Room for a whole group at once, so that adding to it cannot fail halfway and
            // leave the inputs out of step with the files.
            m_waiting.inputs.reserve(m_filesPerGroup);
            m_waiting.files.reserve(m_filesPerGroup);
            m_waiting.inputs.push_back(input);
            m_waiting.files.push_back(std::move(file));
            if (m_waiting.files.size() < m_filesPerGroup) return;
            full = std::exchange(m_waiting, {});
        }
        commit(std::move(full));
    }

    // Short of memory for the commit itself, the group's inputs fail: the outputs not yet in
    // place are discarded as their files are destroyed. No output replaces an input.
    void commit(Group group) noexcept {
        std::vector<core::Status> outcome;
        try {
            outcome = core::AtomicFile::commitTogether(group.files, [this](core::FileIdentity replaced) {
                const std::optional<std::size_t> input = m_plan.inputThatIs(replaced);
                if (!input) return core::Status::ok();
                return core::Status::output("it would replace the input " + m_shownInputs[*input] +
                                            ", which was left as it was.");
            });
        } catch (const std::bad_alloc&) {
            for (const std::size_t input : group.inputs)
                fail(input, kNoMemoryToSave);
            return;
        }
        for (std::size_t k = 0; k < outcome.size(); ++k) {
            if (outcome[k]) continue;
            try {
                fail(group.inputs[k],
                     outcome[k].withContext(core::cannotSave(m_plan.outputOf(group.inputs[k]))).message());
            } catch (const std::bad_alloc&) {
                fail(group.inputs[k], outcome[k].message()); // the reason alone
            }
        }
    }

    void fail(std::size_t input, std::string_view reason) noexcept {
        m_failures.fetch_add(1);
        m_progress.failed(m_shownInputs[input], reason);
    }

    static constexpr std::string_view kNoMemoryToRun = "There is not enough memory to run it.";
    static constexpr std::string_view kNoMemoryToSave = "There is not enough memory to save it.";

    const BatchPlan& m_plan;
    Progress m_progress;
    std::vector<std::string> m_shownInputs; // the inputs as messages show them
    const std::size_t m_filesPerGroup;
    std::atomic<std::size_t> m_next{0};
    std::atomic<std::size_t> m_failures{0};
    std::mutex m_mutex; // guards m_waiting and m_shortOfMemory
    Group m_waiting;
    std::vector<std::size_t> m_shortOfMemory; // the inputs to try again once the others are done
};

} // namespace

namespace testing {
std::function<void(std::size_t input)>& beforeEachInput() {
    static std::function<void(std::size_t)> hook;
    return hook;
}
} // namespace testing

int runBatch(const BatchPlan& plan, std::ostream& err, bool errIsTerminal) {
    // Every input allocates and frees the same few skin-sized buffers (file bytes, pictures,
    // canvases). By default glibc maps each one afresh and hands freed memory back at once, so
    // each input would fault its pages in again; keeping them in the heap avoids that. Larger
    // pictures (above kMapped) are still mapped and given back as they are freed.
    constexpr int kMapped = 16 << 20, kKeptFree = 64 << 20;
    ::mallopt(M_MMAP_THRESHOLD, kMapped);
    ::mallopt(M_TRIM_THRESHOLD, kKeptFree);
    return BatchRun(plan, err, errIsTerminal).run();
}

} // namespace cli
