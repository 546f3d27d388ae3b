#pragma once
// Running a batch (quiltane-cli --each): every input on fresh canvases, as a single run of
// `--dest FILE ACTION... --save DIR/NAME` would, on several threads; the outputs written first
// and made durable together, a group at a time (see core::AtomicFile::commitTogether).

#include <cstddef>
#include <functional>
#include <iosfwd>

#include "cli/batch_plan.h"

namespace cli {

// Runs the batch; the progress, each failure and the summary go to err, a bar only when
// errIsTerminal. One input failing stops no other. An input that runs short of memory while
// others run beside it is tried again once they are done, alone. The exit code: 0 when every
// input was saved, else 1.
int runBatch(const BatchPlan& plan, std::ostream& err, bool errIsTerminal);

namespace testing {
// Called as each input starts to run, on its thread, with the input's index; a test throws
// std::bad_alloc from it as if the input had found no memory.
std::function<void(std::size_t input)>& beforeEachInput();
} // namespace testing

} // namespace cli
