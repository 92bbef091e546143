#include <windows.h>

#include <atomic>
#include <string>

#include "platform/atomic_file.h"
#include "platform/win32_file_kind.h"
#include "platform/win32_handle.h"
#include "platform/win32_text.h"

namespace velmar::platform {
namespace {

constexpr int kNameAttempts = 16;

bool missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// The file that a save replaces: the target of a link rather than the link itself, as writing
// through an ordinary open would.
bool resolveTarget(const std::wstring& path, std::wstring& target, std::string& reason)
{
    target = path;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return true;
    const win32::UniqueHandle link(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    std::wstring resolved(MAX_PATH, L'\0');
    DWORD n = 0;
    if (link.valid()) {
        n = GetFinalPathNameByHandleW(link.get(), resolved.data(), static_cast<DWORD>(resolved.size()), 0);
        if (n >= resolved.size()) {
            resolved.resize(n);
            n = GetFinalPathNameByHandleW(link.get(), resolved.data(), static_cast<DWORD>(resolved.size()), 0);
        }
    }
    if (n == 0 || n >= resolved.size()) {
        reason = win32::errorText(GetLastError());
        return false;
    }
    resolved.resize(n);
    target = resolved;
    return true;
}

// Replacing a file needs no right to the file itself, so an existing target is opened for
// writing (without truncating it) to ask what a plain write would have been told: a read-only
// file is refused here. A device name is refused before anything opens it.
bool targetWritable(const std::wstring& target, std::string& reason)
{
    reason = win32::deviceNameReason(target);
    if (!reason.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // A missing folder is reported by the new file's creation, as on other systems.
        if (missing(error))
            return true;
        reason = win32::errorText(error);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        reason = win32::directoryReason();
        return false;
    }
    // Windows refuses to write a read-only file to anyone; say so even where the open below
    // would be let through (Wine run by root).
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        reason = win32::errorText(ERROR_ACCESS_DENIED);
        return false;
    }
    const win32::UniqueHandle file(CreateFileW(target.c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        reason = win32::errorText(GetLastError());
        return false;
    }
    reason = win32::handleKindReason(file.get());
    return reason.empty();
}

// The new file beside the target, written through to the disk.
win32::UniqueHandle createTemporaryFile(const std::wstring& target, std::wstring& tempPath, DWORD& error)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        tempPath = target + L".tmp-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(counter.fetch_add(1));
        win32::UniqueHandle file(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
        error = GetLastError();
        if (file.valid() || (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return file;
    }
    return win32::UniqueHandle();
}

bool startReplacing(const std::string& path, std::wstring& target, std::wstring& tempPath, win32::UniqueHandle& file,
                    std::string& reason)
{
    if (!resolveTarget(win32::widen(path), target, reason) || !targetWritable(target, reason))
        return false;
    DWORD error = 0;
    file = createTemporaryFile(target, tempPath, error);
    if (!file.valid()) {
        reason = win32::errorText(error);
        return false;
    }
    return true;
}

bool writeAll(HANDLE file, std::string_view contents)
{
    while (!contents.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size(), 1u << 20));
        if (!WriteFile(file, contents.data(), chunk, &written, nullptr))
            return false;
        contents.remove_prefix(written);
    }
    return true;
}

// The new file takes the replaced one's attributes (hidden, archive...), as rewriting it in place
// would keep them, and is renamed over it. A rename that fails (the target is held open by a
// program that does not share it) leaves the target as it was. ReplaceFileW is not used: where
// it fails part-way it can leave a file of its own beside the target.
bool moveIntoPlace(const std::wstring& tempPath, const std::wstring& target)
{
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & kKept) != 0 &&
        !SetFileAttributesW(tempPath.c_str(), existing & kKept))
        return false;
    return MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

bool replaceFileContents(const std::string& path, std::string_view contents, std::string& reason)
{
    std::wstring target;
    std::wstring tempPath;
    win32::UniqueHandle file;
    if (!startReplacing(path, target, tempPath, file, reason))
        return false;
    bool ok = writeAll(file.get(), contents) && FlushFileBuffers(file.get());
    DWORD error = GetLastError();
    file.reset();
    if (ok && !moveIntoPlace(tempPath, target)) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        reason = win32::errorText(error);
        DeleteFileW(tempPath.c_str());
        return false;
    }
    return true;
}

bool canReplaceFile(const std::string& path, std::string& reason)
{
    std::wstring target;
    std::wstring tempPath;
    win32::UniqueHandle file;
    if (!startReplacing(path, target, tempPath, file, reason))
        return false;
    file.reset();
    DeleteFileW(tempPath.c_str());
    return true;
}

}  // namespace velmar::platform
