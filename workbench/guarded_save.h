#pragma once
// Running a save from the window. Taking the canvas's image copies it; should that copy find no
// memory, the save ends with the message a save gives for want of memory, and the window goes
// on, as it does when the save itself runs short.

#include <new>
#include <string>

#include "core/file_messages.h"
#include "core/status.h"

namespace workbench {

// save() returns a Status or a Result; path is the file it writes, for the message.
template <typename Save> auto guardedSave(const std::string& path, Save&& save) -> decltype(save()) {
    try {
        return save();
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("not enough memory to save it.").withContext(core::cannotSave(path));
    }
}

} // namespace workbench
