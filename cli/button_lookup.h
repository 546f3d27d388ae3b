#pragma once
// Finding a button from what the user typed: its control name or its caption.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "stamps/button_table.h"

namespace cli {

// The button named `query`: first by control name, then by caption, then either of them
// ignoring case and runs of blanks ("light fem" finds "Light  Fem"). A caption shared by
// several buttons ("Shirt", "+") is ambiguous; the message lists their control names.
core::Result<const stamps::ButtonSpec*> lookupButton(std::string_view query);

// Up to `count` buttons whose name or caption is closest to `query`, best first, each as
// `Command56 "Bikini 402"`.
std::vector<std::string> closestButtons(std::string_view query, std::size_t count);

// `Command56 "Bikini 402"`: how messages name a button.
std::string describeButton(const stamps::ButtonSpec& button);

} // namespace cli
