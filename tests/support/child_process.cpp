#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

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
        const bool replaced =
            std::any_of(extra.begin(), extra.end(), [&](const auto& kv) { return kv.first == name; });
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
    int in[2], out[2], err[2] = {-1, -1};
    if (::pipe2(in, O_CLOEXEC) != 0)
        return;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return;
    }
    if (command_.errors == ErrorOutput::Captured && ::pipe2(err, O_CLOEXEC) != 0) {
        for (int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        return;
    }
    // Writing to a child that has stopped reading must fail, not end the test program.
    ::signal(SIGPIPE, SIG_IGN);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::signal(SIGPIPE, SIG_DFL);
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        if (command_.errors != ErrorOutput::Inherited)
            ::dup2(command_.errors == ErrorOutput::IntoOut ? out[1] : err[1], 2);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (err[1] >= 0)
        ::close(err[1]);
    in_ = in[1];
    out_ = out[0];
    err_ = err[0];
    if (pid_ < 0) {
        closeAll();
        return;
    }
    ::fcntl(in_, F_SETFL, O_NONBLOCK);
    if (command_.input.empty())
        closeFd(in_);
}

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
        } else if (n == 0 || errno != EINTR) {
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
