#pragma once
// The text of quiltane-cli --help, from which the manual page is made too.

#include <string>

namespace cli {

// The usage and the preface, a paragraph for each option made from the rows of the action
// table, what a batch allows (from the same rows), then how files are written, the exit
// status and an example.
std::string helpText();

} // namespace cli
