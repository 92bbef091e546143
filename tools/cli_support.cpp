#include "cli_support.h"

#include <iostream>

#include <CLI/CLI.hpp>

namespace velmar::cli {

void fail(std::string_view message) {
    std::cerr << message << '\n';
    // The parser reports a RuntimeError only through its exit code, so the message is not
    // printed twice.
    throw CLI::RuntimeError(1);
}

void exitWithStatus(int status) { throw CLI::RuntimeError(status); }

}  // namespace velmar::cli
