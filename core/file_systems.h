#pragma once
// What the atomic save needs to know of the file system a file or folder lies on, told by its
// type (statfs's f_type): whether every process that can write there runs on this machine, and
// whether one syncfs flushes every file's data. Internal to the atomic save.

namespace core {

struct FileSystemTraits {
    // Local: every process that writes there runs here and sees the file locks of every other,
    // so a temporary file whose lock is free belongs to no live save. A network file system
    // may be written from other machines, whose locks need not reach this one.
    bool local = false;
    // syncfs writes out every file's dirty data and waits for it, and says so when it cannot
    // (Linux 5.8 and later), so that one call does what an fsync of each file would.
    bool flushesEveryFile = false;
};

// The traits of fd's file system; an unknown one (network and user-space file systems among
// them), or one that cannot be told, has neither.
FileSystemTraits fileSystemOf(int fd);

} // namespace core
