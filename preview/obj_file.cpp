// OBJ files: read whole into memory, within the reader's size limit, and handed to readObj.
// Only an ordinary file is read, opened without blocking, so that a named pipe or a device
// cannot hang the program; its size is checked before any of it is read.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "core/file_messages.h"
#include "preview/obj_reader.h"

namespace preview {
namespace {

// The file's bytes; failures are the reason alone.
core::Result<std::string> readText(const std::string& path, const ObjLimits& limits) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return core::Status::input(errno == ENOENT ? std::string("the file does not exist.")
                                                   : core::systemReason(errno));
    const struct Closing {
        int fd;
        ~Closing() { ::close(fd); }
    } closing{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return core::Status::input(core::systemReason(errno));
    if (S_ISDIR(st.st_mode)) return core::Status::input("it is a folder, not a file.");
    if (!S_ISREG(st.st_mode)) return core::Status::input("it is not an ordinary file.");
    // At most one byte more than the limit is read, so that a file grown since is refused too.
    std::string text(std::min(std::size_t(st.st_size), limits.bytes + 1), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return core::Status::input(core::systemReason(errno));
        if (n == 0) break;
        done += std::size_t(n);
    }
    text.resize(done);
    return text;
}

} // namespace

core::Result<Body> loadObjBody(const std::string& path, const ObjLimits& limits) {
    const std::string context = core::cannotOpen(path);
    try {
        const core::Result<std::string> text = readText(path, limits);
        if (!text) return text.status().withContext(context);
        core::Result<Mesh> mesh = readObj(text.value(), limits);
        if (!mesh) return mesh.status().withContext(context);
        return bodyOfMesh(std::move(mesh).value());
    } catch (const std::bad_alloc&) {
        return core::Status::outOfMemory("not enough memory to read the body mesh.").withContext(context);
    }
}

} // namespace preview
