#include "cli/cli.h"

#include <algorithm>
#include <cerrno>
#include <ostream>

#include "cli/actions.h"
#include "cli/batch.h"
#include "cli/batch_plan.h"
#include "cli/command_line.h"
#include "cli/outfit_actions.h"
#include "core/file_messages.h"

namespace cli {

int exitCode(const core::Status& failure) {
    switch (failure.kind()) {
    case core::Status::Kind::Ok:
        return kExitOk;
    case core::Status::Kind::Usage:
        return kExitUsage;
    default:
        return kExitFailed;
    }
}

namespace {

// Whether what the run printed reached standard output whole: a full disk or a closed output
// is a failure of the run, not a silent loss. errno is the reason when the last write or the
// flush failed; the reason of an earlier failed write is gone by then.
core::Status printedWhole(std::ostream& out) {
    if (out.good()) {
        errno = 0;
        out.flush();
        if (out.good()) return core::Status::ok();
    }
    const int error = errno;
    return core::Status::output("Cannot write to standard output" +
                                (error != 0 ? ": " + core::systemReason(error) : std::string(".")));
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    auto actions = parseCommandLine(args);
    if (!actions) {
        err << "quiltane-cli: " << actions.message() << "\n";
        return kExitUsage;
    }
    const std::vector<CliAction>& all = actions.value();
    if (core::Status named = checkOwnStampNames(all); !named) {
        err << "quiltane-cli: " << named.message() << "\n";
        return kExitUsage;
    }
    // An action answered alone (--help) runs on its own, in a batch or not; the rest is ignored.
    const auto alone = std::find_if(all.begin(), all.end(), [](const CliAction& action) {
        return action.row->batch.kind == BatchRule::Kind::Alone;
    });
    std::span<const CliAction> toRun = all;
    if (alone != all.end()) {
        toRun = {&*alone, 1};
    } else {
        auto batch = planBatch(all);
        if (!batch) {
            err << "quiltane-cli: " << batch.message() << "\n";
            return kExitUsage;
        }
        if (batch.value()) return runBatch(*batch.value(), err, errIsTerminal);
    }

    Session session(out);
    session.tell = [&err](const std::string& line) { err << line << "\n"; };
    session.workspace.history.setEnabled(needsHistory(toRun));
    core::Status status = runActions(toRun, session);
    if (core::Status printed = printedWhole(out); status && !printed) status = printed;
    if (!status) {
        err << "quiltane-cli: " << status.message() << "\n";
        return exitCode(status);
    }
    return kExitOk;
}

} // namespace cli
