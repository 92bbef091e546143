// velmarctl detect against unit_simulator on a pseudo-terminal: the line that follows the scan
// goes to a terminal only, and never into what the command prints.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "simulator_process.h"

namespace velmar {
namespace {

struct Detect {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `velmarctl detect --ports LINK` with stdout into a pipe and stderr into a pipe or, when
// asked, a pseudo-terminal; gives up on a child that takes longer than 60 s.
Detect runDetect(const std::string& link, bool stderrOnTerminal) {
    Detect result;
    int out[2], err[2];
    if (::pipe(out) != 0) return result;
    if (stderrOnTerminal ? ::openpty(&err[0], &err[1], nullptr, nullptr, nullptr) != 0 : ::pipe(err) != 0) return result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
        ::execl(VELMARCTL_PATH, VELMARCTL_PATH, "detect", "--ports", link.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && ::poll(fds, 2, 60000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[512];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                texts[i]->append(buffer, static_cast<size_t>(n));
            } else {  // end of file, or EIO once the terminal's last writer is gone
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    if (open > 0) ::kill(pid, SIGKILL);
    for (auto& p : fds)
        if (p.fd >= 0) ::close(p.fd);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(VelmarctlDetect, TheScanLineShowsOnATerminalOnly) {
    test::SimulatorProcess sim({"--model", "QRX 30"});
    ASSERT_TRUE(sim.started()) << sim.banner();

    const Detect piped = runDetect(sim.link(), false);
    ASSERT_EQ(piped.status, 0) << piped.out << piped.err;
    EXPECT_NE(piped.out.find("port: COM1"), std::string::npos) << piped.out;
    EXPECT_EQ(piped.err, "") << "nothing but the result when nobody watches";
    EXPECT_EQ(piped.out.find('\r'), std::string::npos) << piped.out;

    const Detect watched = runDetect(sim.link(), true);
    ASSERT_EQ(watched.status, 0) << watched.out << watched.err;
    EXPECT_EQ(watched.out, piped.out) << "the result is the same either way";
    const std::string line = "\r\033[KTrying COM1 (" + sim.link() + ") at 19200 bit/s...";
    EXPECT_EQ(watched.err, line + "\r\033[K") << "one line, wiped before the result";
}

}  // namespace
}  // namespace velmar
