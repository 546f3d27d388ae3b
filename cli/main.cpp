#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    return cli::runCli({argv + 1, argv + argc}, std::cout, std::cerr);
}
