#pragma once

#include <string_view>

namespace velmar::cli {

// For a command's callback: shows the message on stderr and ends the program with a non-zero
// status once the command line parser has unwound.
[[noreturn]] void fail(std::string_view message);

// Ends the program with the given status once the parser has unwound, printing nothing.
[[noreturn]] void exitWithStatus(int status);

}  // namespace velmar::cli
