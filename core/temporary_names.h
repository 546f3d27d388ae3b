#pragma once
// The private names of the atomic save's temporary files (".quiltane-" and six letters or
// digits), the lock that tells a live save's temporary file from a dead one's, and the removal
// of the dead ones. Internal to the atomic save (core/atomic_file.cpp).
//
// Every temporary file is locked (flock) from before its name appears until after it is
// renamed over its target or removed; the kernel drops the lock when the process ends, however
// it ends. A process killed outright (kill -9) while a name exists leaves the file behind,
// unlocked. So a file of the exact private-name pattern, a regular file whose lock can be taken,
// belongs to no live save, and the first save into a folder in each process removes such files
// there. On a file system that other machines may write (see file_systems.h), whose locks may
// not reach this one, such a file must also have lain unchanged for a day.

#include <string>
#include <string_view>

namespace core::temporary {

// A fresh private name, random; the caller creates it exclusively and tries another on a clash.
std::string makeName();
// Whether name is of the private-name pattern exactly.
bool isName(std::string_view name);

// Locks the temporary file open as fd, which has no name yet: no other process can see it
// before it is locked. A file system that cannot lock leaves it unlocked; only files a day old
// are taken for leftovers there.
void lockAnonymous(int fd);
// Locks the temporary file just created as `name` in the folder and checks that the name is
// still its own: a removal of leftovers in another process may have taken it for one, between
// its creation and the lock. false: the name is lost, or being removed; close fd and try
// another name.
bool lockNamed(int folder, const std::string& name, int fd);

// Removes the leftovers of dead saves from the folder (a handle, O_PATH will do), the first
// time this process saves into it; later calls for the same folder (by device and inode) do
// nothing. Never fails: whatever cannot be looked at, locked or removed is left as it is.
void removeLeftovers(int folder) noexcept;

} // namespace core::temporary
