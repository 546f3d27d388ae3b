// The file systems the atomic save knows, by type (see file_systems.h).

#include "core/file_systems.h"

#include "core/atomic_file.h"

#include <linux/magic.h>
#include <sys/statfs.h>

namespace core {

namespace {

struct KnownFileSystem {
    __fsword_t type;
    FileSystemTraits traits;
};
constexpr KnownFileSystem kKnownFileSystems[] = {
    {EXT4_SUPER_MAGIC, {true, true}}, // ext2 and ext3 too
    {XFS_SUPER_MAGIC, {true, true}},        {BTRFS_SUPER_MAGIC, {true, true}},
    {F2FS_SUPER_MAGIC, {true, true}},       {TMPFS_MAGIC, {true, true}},
    {OVERLAYFS_SUPER_MAGIC, {true, false}}, // containers' root file systems
    {MSDOS_SUPER_MAGIC, {true, false}},     // FAT memory cards and sticks
    {EXFAT_SUPER_MAGIC, {true, false}},
};

} // namespace

FileSystemTraits fileSystemOf(int fd) {
    FileSystemTraits traits;
    struct statfs fileSystem {};
    if (::fstatfs(fd, &fileSystem) == 0)
        for (const KnownFileSystem& known : kKnownFileSystems)
            if (fileSystem.f_type == known.type) traits = known.traits;
    const testing::SaveSeams& seams = testing::saveSeams();
    if (!seams.wholeFileSystemFlush) traits.flushesEveryFile = false;
    if (seams.sharedFileSystem) traits.local = false;
    return traits;
}

} // namespace core
