#include "platform/win32_file_kind.h"

#include <cerrno>
#include <cstring>
#include <cwctype>

#include "platform/regular_file.h"

namespace velmar::platform::win32 {

namespace {

bool sameLetters(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    }
    return true;
}

bool reservedName(std::wstring_view stem)
{
    static constexpr std::wstring_view kNames[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (auto name : kNames) {
        if (sameLetters(stem, name))
            return true;
    }
    // COM1-9 and LPT1-9: a number of one digit only; COM10 is an ordinary file name.
    return stem.size() == 4 && (sameLetters(stem.substr(0, 3), L"COM") || sameLetters(stem.substr(0, 3), L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

}  // namespace

std::string deviceNameReason(const std::wstring& path)
{
    if (path.rfind(L"\\\\.\\", 0) == 0 || path.rfind(L"//./", 0) == 0)
        return std::string(kNotRegularFileText);
    const size_t start = path.find_last_of(L"\\/:");
    std::wstring_view stem(path);
    stem.remove_prefix(start == std::wstring::npos ? 0 : start + 1);
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    return reservedName(stem) ? std::string(kNotRegularFileText) : std::string();
}

std::string directoryReason() { return std::strerror(EISDIR); }

std::string handleKindReason(HANDLE file)
{
    if (GetFileType(file) != FILE_TYPE_DISK)
        return std::string(kNotRegularFileText);
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return directoryReason();
    return {};
}

}  // namespace velmar::platform::win32
