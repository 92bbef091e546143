#pragma once

// Runs a program of ours (or any on PATH) as a child process: arguments, extra environment,
// standard input, captured standard output and error, exit status, a time limit, a memory
// limit, and signals. Output is read as it comes (poll on POSIX, a thread per pipe on
// Windows), so a child that writes a lot never blocks on a full pipe. On Windows there are no
// signals, memory limits or terminals: tests that need them are built for Linux only.
#ifndef _WIN32
#include <sys/types.h>
#endif

#include <cstddef>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace velmar::test {

// Our programs built with the address sanitizer reserve terabytes of shadow address space at
// start, so under an address-space limit they cannot run at all: tests that bound one of them
// leave the limit out in such a build and check the rest of the behaviour.
#if defined(__SANITIZE_ADDRESS__) || defined(_WIN32)
inline constexpr bool kOurProgramsTakeMemoryLimits = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kOurProgramsTakeMemoryLimits = false;
#else
inline constexpr bool kOurProgramsTakeMemoryLimits = true;
#endif
#else
inline constexpr bool kOurProgramsTakeMemoryLimits = true;
#endif

// Where the child's standard error goes.
enum class ErrorOutput {
    Captured,   // into ProcessResult::err
    IntoOut,    // into ProcessResult::out, in order with standard output
    Inherited,  // to this process's own (for long-lived children nobody reads)
    Terminal,   // onto a pseudo-terminal, as a user at a terminal sees it; captured into
                // ProcessResult::err byte for byte (no newline translation)
};

struct Command {
    explicit Command(std::vector<std::string> arguments, ErrorOutput errorOutput = ErrorOutput::Captured)
        : args(std::move(arguments)), errors(errorOutput)
    {
    }

    std::vector<std::string> args;  // args[0] is the program: a path, or a name looked up on PATH
    std::vector<std::pair<std::string, std::string>> env;  // set on top of this process's environment
    std::string input;                                     // written to standard input, then closed
    ErrorOutput errors;
    // A file standard output goes to instead of ProcessResult::out (created if missing,
    // truncated); `out` then holds only what ErrorOutput::IntoOut sends there. Empty: captured.
    std::string outputTo;
    // The child's address space in bytes (RLIMIT_AS); 0 leaves it as it is. See kOurProgramsTakeMemoryLimits.
    std::size_t memoryLimit = 0;
    std::chrono::milliseconds timeLimit{std::chrono::minutes(3)};
};

struct ProcessResult {
    int status = -1;  // the exit code; -1 if the child was killed by a signal or never ran
    int signal = 0;   // the signal that ended the child, if one did
    bool timedOut = false;
    std::string out;
    std::string err;
};

class ChildProcess {
public:
    // Starts the child; a program that cannot be run exits with status 127. Nothing is started
    // (started() is false) when `outputTo` cannot be opened.
    explicit ChildProcess(Command command);
    // Kills a child that is still running and reaps it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const;
    // Reads output until `text` is in standard output, the output ends or `limit` passes.
    bool waitForOutput(const std::string& text, std::chrono::milliseconds limit);
    const std::string& out() const { return result_.out; }
    const std::string& err() const { return result_.err; }
    // Reads to the end of the output and reaps the child; kills it once the time limit is up.
    ProcessResult finish();
#ifndef _WIN32
    void signal(int sig);
    // Sends the signal and reaps the child without reading further; returns the raw wait
    // status (-1 if the child is already gone).
    int stop(int sig);
#endif

private:
    Command command_;
    ProcessResult result_;
#ifdef _WIN32
    struct Running;
    std::unique_ptr<Running> running_;
#else
    // One poll round of at most `limit`; false once there is nothing left to read or write.
    bool pump(std::chrono::milliseconds limit);
    void closeAll();
    void reap(int rawStatus);

    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::size_t written_ = 0;
#endif
    std::chrono::steady_clock::time_point deadline_;
};

// Runs the command to its end.
ProcessResult runProcess(Command command);

}  // namespace velmar::test
