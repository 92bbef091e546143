#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

extern char** environ;

namespace velmar::test {

namespace {

using std::chrono::milliseconds;

std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& extra)
{
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(extra.begin(), extra.end(), [&](const auto& kv) { return kv.first == name; });
        if (!replaced)
            entries.push_back(entry);
    }
    for (const auto& [name, value] : extra)
        entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (auto& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// The two ends of one of the child's standard streams.
struct Ends {
    int parent = -1;
    int child = -1;
};

bool openPipe(Ends& ends, bool parentReads)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    ends = parentReads ? Ends{fds[0], fds[1]} : Ends{fds[1], fds[0]};
    return true;
}

// A pseudo-terminal whose output reaches the parent as the child wrote it: without output
// processing a test sees the program's own bytes, not "\n" turned into "\r\n".
bool openTerminal(Ends& ends)
{
    ends.parent = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (ends.parent < 0)
        return false;
    ::fcntl(ends.parent, F_SETFD, FD_CLOEXEC);
    char name[128];
    if (::grantpt(ends.parent) == 0 && ::unlockpt(ends.parent) == 0 && ::ptsname_r(ends.parent, name, sizeof name) == 0)
        ends.child = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios mode{};
    if (ends.child < 0 || ::tcgetattr(ends.child, &mode) != 0)
        return false;
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    return ::tcsetattr(ends.child, TCSANOW, &mode) == 0;
}

}  // namespace

ChildProcess::ChildProcess(Command command) : command_(std::move(command))
{
    deadline_ = std::chrono::steady_clock::now() + command_.timeLimit;
    if (command_.args.empty())
        return;
    // Everything the child needs is made before fork: after it only async-signal-safe calls.
    std::vector<std::string> args = command_.args;
    std::vector<std::string> env = environmentWith(command_.env);
    std::vector<char*> argv = pointersTo(args);
    std::vector<char*> envp = pointersTo(env);
    Ends in, out, err, outFile;
    const auto closeEnds = [&] {
        for (Ends* ends : {&in, &out, &err, &outFile}) {
            closeFd(ends->parent);
            closeFd(ends->child);
        }
    };
    bool ready = openPipe(in, false) && openPipe(out, true);
    if (ready && command_.errors == ErrorOutput::Captured)
        ready = openPipe(err, true);
    if (ready && command_.errors == ErrorOutput::Terminal)
        ready = openTerminal(err);
    if (ready && !command_.outputTo.empty()) {
        outFile.child = ::open(command_.outputTo.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ready = outFile.child >= 0;
    }
    if (!ready) {
        closeEnds();
        return;
    }
    const rlimit memory{command_.memoryLimit, command_.memoryLimit};
    // Writing to a child that has stopped reading must fail, not end the test program.
    ::signal(SIGPIPE, SIG_IGN);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::signal(SIGPIPE, SIG_DFL);
        if (command_.memoryLimit > 0 && ::setrlimit(RLIMIT_AS, &memory) != 0)
            ::_exit(127);
        ::dup2(in.child, 0);
        ::dup2(outFile.child >= 0 ? outFile.child : out.child, 1);
        if (command_.errors == ErrorOutput::IntoOut)
            ::dup2(out.child, 2);
        else if (command_.errors != ErrorOutput::Inherited)
            ::dup2(err.child, 2);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    in_ = std::exchange(in.parent, -1);
    out_ = std::exchange(out.parent, -1);
    err_ = std::exchange(err.parent, -1);
    closeEnds();
    if (pid_ < 0) {
        closeAll();
        return;
    }
    ::fcntl(in_, F_SETFL, O_NONBLOCK);
    if (command_.input.empty())
        closeFd(in_);
}

bool ChildProcess::started() const { return pid_ > 0; }

ChildProcess::~ChildProcess()
{
    stop(SIGKILL);
    closeAll();
}

void ChildProcess::closeAll()
{
    closeFd(in_);
    closeFd(out_);
    closeFd(err_);
}

bool ChildProcess::pump(milliseconds limit)
{
    std::vector<pollfd> fds;
    for (int fd : {out_, err_})
        if (fd >= 0)
            fds.push_back({fd, POLLIN, 0});
    if (in_ >= 0)
        fds.push_back({in_, POLLOUT, 0});
    if (fds.empty())
        return false;
    const int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::max<milliseconds::rep>(limit.count(), 0)));
    if (ready < 0)
        return errno == EINTR;
    for (const pollfd& p : fds) {
        if (p.revents == 0)
            continue;
        if (p.fd == in_) {
            const ssize_t n = ::write(in_, command_.input.data() + written_, command_.input.size() - written_);
            if (n > 0)
                written_ += static_cast<std::size_t>(n);
            if (n < 0 || written_ == command_.input.size())
                closeFd(in_);
            continue;
        }
        char buffer[4096];
        const ssize_t n = ::read(p.fd, buffer, sizeof buffer);
        if (n > 0) {
            (p.fd == out_ ? result_.out : result_.err).append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {  // EIO: a terminal whose last writer is gone
            closeFd(p.fd == out_ ? out_ : err_);
        }
    }
    return true;
}

bool ChildProcess::waitForOutput(const std::string& text, milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (result_.out.find(text) == std::string::npos) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !pump(left))
            return false;
    }
    return true;
}

void ChildProcess::signal(int sig)
{
    if (pid_ > 0)
        ::kill(pid_, sig);
}

void ChildProcess::reap(int rawStatus)
{
    pid_ = -1;
    if (WIFEXITED(rawStatus))
        result_.status = WEXITSTATUS(rawStatus);
    else if (WIFSIGNALED(rawStatus))
        result_.signal = WTERMSIG(rawStatus);
}

ProcessResult ChildProcess::finish()
{
    if (pid_ <= 0)
        return result_;
    for (;;) {
        const auto left = std::chrono::duration_cast<milliseconds>(deadline_ - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result_.timedOut = true;
            ::kill(pid_, SIGKILL);
            break;
        }
        if (!pump(left))
            break;
    }
    closeAll();
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    reap(raw);
    return result_;
}

int ChildProcess::stop(int sig)
{
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, sig);
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    reap(raw);
    return raw;
}

ProcessResult runProcess(Command command)
{
    ChildProcess child(std::move(command));
    return child.finish();
}

}  // namespace velmar::test
