#include "cli_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

namespace velmar::cli {

namespace {

constexpr int kUsageStatus = 2;
int commandFailureStatus = 1;

// Everything written to std::cout goes through stdout (the streams are kept in step with
// stdio), so one flush tells whether all of it arrived.
int checkedOutput(int status)
{
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout) && std::cout.good())
        return status;
    std::cerr << "velmarctl: cannot write to standard output";
    if (!flushed)
        std::cerr << ": " << std::strerror(error);
    std::cerr << '\n';
    return std::max(status, commandFailureStatus);
}

}  // namespace

void setFailureStatus(int status) { commandFailureStatus = status; }

int failureStatus() { return commandFailureStatus; }

void fail(std::string_view message) { fail(message, commandFailureStatus); }

void fail(std::string_view message, int status)
{
    std::cerr << message << '\n';
    // The parser reports a RuntimeError only through its exit code, so the message is not
    // printed twice.
    throw CLI::RuntimeError(status);
}

void exitWithStatus(int status) { throw CLI::RuntimeError(status); }

void describeExitStatus(CLI::App& command, std::string_view statuses)
{
    command.footer("Exit status: " + std::string(statuses));
}

int runCommandLine(CLI::App& app, int argc, char** argv)
{
    int status = 0;
    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& e) {
        status = e.get_exit_code();
    } catch (const CLI::ParseError& e) {
        // --help and --version arrive here too, with status 0.
        status = app.exit(e) == 0 ? 0 : kUsageStatus;
    }
    return checkedOutput(status);
}

}  // namespace velmar::cli
