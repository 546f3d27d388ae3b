#pragma once
// The actions on the user's own outfits: a mask made from the bare body a garment was painted on
// (--make-mask), a mask or body file pressed as the library's are (--mask, --body), the garment
// saved on every bare body at once (--tones, --tones-8bit), and the stamps folder that --press
// also looks in (--stamps).

#include <span>

#include "cli/action_table.h"
#include "cli/command_line.h"
#include "core/status.h"

namespace cli {

// The option that names the stamps folder for the actions after it.
inline constexpr std::string_view kStampsOption = "--stamps";

core::Result<BodyAndPath> bodyAndPath(std::string_view option, Words words);
core::Result<TonesFolder> tonesFolder(std::string_view option, Words words);

core::Status makeMask(const BodyAndPath& request, Session& session);
core::Status pressMaskFile(const FilePath& file, Session& session);
core::Status pressBodyFile(const FilePath& file, Session& session);
template <bool EightBit> core::Status saveTones(const TonesFolder& request, Session& session);
core::Status setStampsFolder(const FilePath& folder, Session& session);
// --keep-mask NAME: the mask made last kept as the user's own stamp NAME.
core::Status keepMadeMask(const FilePath& name, Session& session);
// --press of a name that is no button: the user's own stamp of that name.
core::Status pressOwnStamp(const StampButton& stamp, Session& session);

// Whether every --press of a name that is no button names a stamp of the user's own, in the
// folder the last --stamps before it gives (else the default folder): checked with the whole
// command line, before anything runs. The button lookup's usage error when one does not.
core::Status checkOwnStampNames(std::span<const CliAction> actions);

} // namespace cli
