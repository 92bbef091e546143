#pragma once

// Runs unit_simulator as a child process on a pseudo-terminal with a link in a private
// directory; waits (generously) for its "listening" line; stops it in the destructor.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmar::test {

class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> args)
    {
        dir_ = std::filesystem::temp_directory_path() /
               ("velmar-sim-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(dir_);
        link_ = (dir_ / "ttyVELMAR").string();
        args.insert(args.begin(), {UNIT_SIMULATOR_PATH, "--link", link_});
        int out[2];
        if (::pipe(out) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        stdout_ = out[0];
        // Wait up to 10 s for "listening on" (a loaded machine can be slow to start a process).
        std::string text;
        char buf[256];
        pollfd p{stdout_, POLLIN, 0};
        for (int i = 0; i < 100 && text.find('\n') == std::string::npos; ++i) {
            if (::poll(&p, 1, 100) > 0) {
                const ssize_t n = ::read(stdout_, buf, sizeof buf);
                if (n <= 0)
                    break;
                text.append(buf, static_cast<size_t>(n));
            }
        }
        banner_ = text;
        started_ = text.find("listening on") != std::string::npos;
    }
    ~SimulatorProcess()
    {
        stop(SIGTERM);
        if (stdout_ >= 0)
            ::close(stdout_);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    bool started() const { return started_; }
    const std::string& link() const { return link_; }
    const std::string& banner() const { return banner_; }
    // Sends the signal and reaps the process; returns its wait status (-1 if already gone).
    int stop(int sig)
    {
        if (pid_ <= 0)
            return -1;
        ::kill(pid_, sig);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
    std::filesystem::path dir_;
    std::string link_;
    std::string banner_;
    pid_t pid_ = -1;
    int stdout_ = -1;
    bool started_ = false;
};

}  // namespace velmar::test
