#pragma once

#include <string_view>

namespace velmar::cli {

// For a command's callback: shows the message on stderr and ends the program with a non-zero
// status once the command line parser has unwound.
[[noreturn]] void fail(std::string_view message);

}  // namespace velmar::cli
