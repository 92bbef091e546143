#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "platform/posix_file_kind.h"

namespace velmar::platform {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool regularOrReason(const struct stat& st, std::string& reason)
{
    reason = notRegularReason(st.st_mode);
    return reason.empty();
}

}  // namespace

std::string notRegularReason(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return std::strerror(EISDIR);
    return std::string(kNotRegularFileText);
}

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents, std::string& reason)
{
    // Looked at before opening, so that no device is opened; checked again on the descriptor in
    // case the name was replaced in between.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!regularOrReason(st, reason))
        return false;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!regularOrReason(st, reason))
        return false;
    contents.clear();
    std::array<char, 65536> buffer;
    while (contents.size() <= maxBytes) {
        const std::size_t wanted = std::min(buffer.size(), maxBytes + 1 - contents.size());
        const ssize_t got = ::read(fd.get(), buffer.data(), wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = std::strerror(errno);
            return false;
        }
        if (got == 0)
            return true;
        contents.append(buffer.data(), static_cast<std::size_t>(got));
    }
    reason = tooLargeReason(maxBytes);
    return false;
}

}  // namespace velmar::platform
