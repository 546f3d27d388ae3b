#pragma once
// Running a batch (quiltane-cli --each): every input on fresh canvases, as a single run of
// `--dest FILE ACTION... --save DIR/NAME` would, on several threads; the outputs written first
// and made durable together, a group at a time (see core::AtomicFile::commitTogether).

#include <iosfwd>

#include "cli/batch_plan.h"

namespace cli {

// Runs the batch; the progress, each failure and the summary go to err, a bar only when
// errIsTerminal. One input failing stops no other. The exit code: 0 when every input was
// saved, else 1.
int runBatch(const BatchPlan& plan, std::ostream& err, bool errIsTerminal);

} // namespace cli
