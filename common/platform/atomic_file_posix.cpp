#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix_file_kind.h"

namespace velmar::platform {
namespace {

constexpr int kNameAttempts = 16;

// The file that a save replaces: the target of a link rather than the link itself, as
// writing through an ordinary open would.
bool resolveTarget(const std::string& path, std::string& target, std::string& reason)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) {
        target = path;
        return true;
    }
    const auto resolved = std::filesystem::canonical(path, ec);
    if (ec) {
        reason = ec.message();
        return false;
    }
    target = resolved.string();
    return true;
}

// Renaming over a file needs no right to the file itself, so an existing target is opened for
// writing (without truncating it) to ask what a plain write would have been told. Only regular
// files are opened: a device or FIFO is refused before it can react to an open.
bool targetWritable(const std::string& target, std::string& reason)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) {
        if (errno == ENOENT) {
            return true;
        }
        reason = std::strerror(errno);
        return false;
    }
    reason = notRegularReason(existing.st_mode);
    if (!reason.empty()) {
        return false;
    }
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    ::close(fd);
    return true;
}

int createTemporaryFile(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        tempPath = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
        // 0666 lets the umask decide, as for any newly created file.
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The checks of a save, up to the new file beside its target: a descriptor open on it, or -1
// with the reason.
int startReplacing(const std::string& path, std::string& target, std::string& tempPath, std::string& reason)
{
    if (!resolveTarget(path, target, reason) || !targetWritable(target, reason)) {
        return -1;
    }
    const int fd = createTemporaryFile(target, tempPath);
    if (fd < 0) {
        reason = std::strerror(errno);
    }
    return fd;
}

bool writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A replaced file keeps its permissions, as it would if it had been truncated and rewritten.
bool keepPermissions(int fd, const std::string& target)
{
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0 || !S_ISREG(existing.st_mode)) {
        return true;
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

// Makes the rename itself durable; a failure here cannot undo the save, so it is not reported.
void syncDirectoryOf(const std::string& target)
{
    auto dir = std::filesystem::path(target).parent_path();
    if (dir.empty()) {
        dir = ".";
    }
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool replaceFileContents(const std::string& path, std::string_view contents, std::string& reason)
{
    std::string target;
    std::string tempPath;
    const int fd = startReplacing(path, target, tempPath, reason);
    if (fd < 0) {
        return false;
    }
    bool ok = keepPermissions(fd, target) && writeAll(fd, contents) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(tempPath.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        reason = std::strerror(error);
        ::unlink(tempPath.c_str());
        return false;
    }
    syncDirectoryOf(target);
    return true;
}

bool canReplaceFile(const std::string& path, std::string& reason)
{
    std::string target;
    std::string tempPath;
    const int fd = startReplacing(path, target, tempPath, reason);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(tempPath.c_str());
    return true;
}

}  // namespace velmar::platform
