#pragma once
// Finding a button from what the user typed: its control name or its caption.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "stamps/button_table.h"

namespace cli {

// Why the buttons that are not stamps cannot be pressed here: for the message that refuses
// them and for --help.
constexpr std::string_view kNotStampsReason = "the \"Delete\" and \"About\" buttons work on the "
                                              "window's file panes and dialogs, which quiltane-cli "
                                              "does not have";

// The buttons named `query`: by control name, else by caption, else by either of them
// ignoring case and runs of blanks ("light fem" finds "Light  Fem"). More than one when a
// caption is shared ("Shirt", "+", "Delete"); none when nothing matches.
std::vector<const stamps::ButtonSpec*> findButtons(std::string_view query);

// The one stamp button named `query`, or a message for the user: no such button (with the
// closest names), an ambiguous caption (with the control names to use instead), or a button
// that is not a stamp ("Delete", "About").
core::Result<const stamps::ButtonSpec*> lookupStamp(std::string_view query);

// Up to `count` buttons whose name or caption is closest to `query`, best first, each as
// `Command56 "Bikini 402"`.
std::vector<std::string> closestButtons(std::string_view query, std::size_t count);

// `Command56 "Bikini 402"`: how messages name a button.
std::string describeButton(const stamps::ButtonSpec& button);

} // namespace cli
