#include <unistd.h>

#include <iostream>

#include "cli/cli.h"
#include "core/atomic_file.h"

int main(int argc, char** argv) {
    // Ctrl-C or a termination signal during a save leaves no temporary file behind.
    core::cleanUpSavesOnSignals();
    return cli::runCli({argv + 1, argv + argc}, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
