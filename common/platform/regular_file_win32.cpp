#include <windows.h>

#include <algorithm>
#include <array>

#include "platform/regular_file.h"
#include "platform/win32_file_kind.h"
#include "platform/win32_handle.h"
#include "platform/win32_text.h"

namespace velmar::platform {

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& contents, std::string& reason)
{
    // Looked at before opening, so that no device is opened; checked again on the handle in case
    // the name was replaced in between.
    const std::wstring wide = win32::widen(path);
    reason = win32::deviceNameReason(wide);
    if (!reason.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        reason = win32::errorText(GetLastError());
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        reason = win32::directoryReason();
        return false;
    }
    const win32::UniqueHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        reason = win32::errorText(GetLastError());
        return false;
    }
    reason = win32::handleKindReason(file.get());
    if (!reason.empty())
        return false;
    contents.clear();
    std::array<char, 65536> buffer;
    while (contents.size() <= maxBytes) {
        const DWORD wanted = static_cast<DWORD>(std::min(buffer.size(), maxBytes + 1 - contents.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer.data(), wanted, &got, nullptr)) {
            reason = win32::errorText(GetLastError());
            return false;
        }
        if (got == 0)
            return true;
        contents.append(buffer.data(), got);
    }
    reason = tooLargeReason(maxBytes);
    return false;
}

}  // namespace velmar::platform
