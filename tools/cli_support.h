#pragma once

#include <string_view>

namespace CLI {
class App;
}

namespace velmar::cli {

// The status a command ends with when it fails: 1, unless the command sets its own (diff: 2,
// as diff(1) does, since 1 means "different").
void setFailureStatus(int status);
int failureStatus();

// For a command's callback: shows the message on stderr and ends the program with the
// command's failure status (or the given one) once the command line parser has unwound.
[[noreturn]] void fail(std::string_view message);
[[noreturn]] void fail(std::string_view message, int status);

// Ends the program with the given status once the parser has unwound, printing nothing.
[[noreturn]] void exitWithStatus(int status);

// A command stopped by Ctrl+C ends with the status a shell reports for a program ended by it.
inline constexpr int kInterruptedStatus = 130;

// The command's exit statuses at the end of its --help ("0 ..., 1 ...").
void describeExitStatus(CLI::App& command, std::string_view statuses);
inline constexpr std::string_view kFileCommandStatuses =
    "0 done, 1 failed (the reason on stderr, nothing written), 2 wrong command line.";
inline constexpr std::string_view kUnitCommandStatuses =
    "0 done, 1 failed (the operation's text on stderr), 2 wrong command line.";

// Parses the command line and runs the command; returns the program's exit status. A wrong
// command line ends with 2; output that could not be written to stdout (a full disk, a closed
// pipe) is a failure even when the command itself succeeded.
int runCommandLine(CLI::App& app, int argc, char** argv);

}  // namespace velmar::cli
