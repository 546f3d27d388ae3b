#include "cli/cli.h"

#include <algorithm>
#include <ostream>

#include "cli/actions.h"
#include "cli/batch.h"
#include "cli/batch_plan.h"
#include "cli/command_line.h"

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

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    auto actions = parseCommandLine(args);
    if (!actions) {
        err << "quiltane-cli: " << actions.message() << "\n";
        return kExitUsage;
    }
    const std::vector<CliAction>& all = actions.value();
    // An action answered alone (--help) runs on its own, in a batch or not; the rest is ignored.
    const auto alone = std::find_if(all.begin(), all.end(), [](const CliAction& action) {
        return action.spec->batch.kind == BatchRule::Kind::Alone;
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
    session.workspace.history.setEnabled(needsHistory(toRun));
    if (core::Status status = runActions(toRun, session); !status) {
        err << "quiltane-cli: " << status.message() << "\n";
        return exitCode(status);
    }
    return kExitOk;
}

} // namespace cli
