#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

#include "cli/cli.h"
#include "core/atomic_file.h"

namespace {

// A standard descriptor the caller closed is taken by /dev/null, opened the wrong way round:
// no file the run opens can take its number (and receive what is printed), and printing to it
// still fails, as it would have, which the run reports.
void holdClosedStandardDescriptors() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY); // takes the lowest free number: fd
}

} // namespace

int main(int argc, char** argv) {
    holdClosedStandardDescriptors();
    // Ctrl-C or a termination signal during a save leaves no temporary file behind.
    core::cleanUpSavesOnSignals();
    return cli::runCli({argv + 1, argv + argc}, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
