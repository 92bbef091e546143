#pragma once

// Windows only: the wide-character API takes UTF-16 and the rest of the program speaks UTF-8.
#include <string>
#include <string_view>

namespace velmar::platform::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// The system's text for a Win32 error code, without the closing period and line end, so that
// it reads like strerror's in "...: <reason>".
std::string errorText(unsigned long code);

}  // namespace velmar::platform::win32
