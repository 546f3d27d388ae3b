#pragma once
// How names a user types are compared when nothing matches exactly: in lower case, each run of
// blanks one blank and none at either end ("light fem" finds "Light  Fem"). Button names and
// captions and the names of the user's own stamps are all compared this way.

#include <string>
#include <string_view>

namespace stamps {

std::string foldedName(std::string_view text);

} // namespace stamps
