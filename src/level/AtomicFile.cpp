#include "level/AtomicFile.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rux {

namespace {
bool Fail(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
    return false;
}
} // namespace

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes, std::string* error) {
    std::string temp = file.string() + ".tmpXXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0)
        return Fail(error, "cannot create a temporary file beside " + file.string());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            errno = saved;
            return Fail(error, "cannot write " + file.string());
        }
        done += static_cast<std::size_t>(n);
    }
    // mkstemp creates 0600; give the file the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!synced || !closed) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return Fail(error, "cannot write " + file.string());
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return Fail(error, "cannot replace " + file.string());
    }
    return true;
}

} // namespace rux
