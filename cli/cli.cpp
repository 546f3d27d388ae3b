#include "cli/cli.h"

#include <ostream>

namespace cli {

int runCli(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "quiltane-cli: not built yet\n";
    return 2;
}

} // namespace cli
