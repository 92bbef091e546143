#pragma once

// Windows only: the file kinds that the file functions refuse, shared by reading and replacing.
#include <windows.h>

#include <string>

namespace velmar::platform::win32 {

// kNotRegularFileText when the path names a device rather than a file: the device namespace
// ("\\.\COM1", "\\.\pipe\x") or a reserved name in any folder and with any extension (NUL,
// CON, PRN, AUX, COM1-9, LPT1-9: "C:\files\nul.q20" is the NUL device). Empty otherwise. Judged
// from the name alone, so that no device is opened to find out.
std::string deviceNameReason(const std::wstring& path);

// The text a directory is refused with (the C library's, as on other systems).
std::string directoryReason();

// Why an open handle is not a regular file: a character device or pipe, or a directory.
std::string handleKindReason(HANDLE file);

}  // namespace velmar::platform::win32
