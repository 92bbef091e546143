// CPU cost of waiting: a real-time `velmarctl detect` against a silent unit_simulator (every
// probe times out, so the whole scan is waiting). Prints user + system time over wall time for
// velmarctl and for the simulator.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace {

pid_t spawn(std::vector<std::string> args, bool quiet)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (quiet) {
            FILE* null = std::fopen("/dev/null", "w");
            if (null) {
                dup2(fileno(null), 1);
                dup2(fileno(null), 2);
            }
        }
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv)
{
    const bool installer = argc > 1 && std::string(argv[1]) == "--installer";
    const std::string link = "/tmp/velmar-bench-" + std::to_string(getpid());
    const pid_t sim = spawn({UNIT_SIMULATOR_PATH, "--link", link, "--fault", "silent"}, true);
    for (int i = 0; i < 100 && !std::filesystem::exists(link); ++i)
        usleep(50'000);

    std::vector<std::string> args = {VELMARCTL_PATH, "detect", "--ports", link};
    if (installer)
        args.push_back("--installer");
    const int64_t start = velmar::platform::monotonicNs();
    const pid_t ctl = spawn(args, true);
    int status = 0;
    rusage ctlUsage{};
    wait4(ctl, &status, 0, &ctlUsage);
    const double wall = static_cast<double>(velmar::platform::monotonicNs() - start) / 1e9;

    kill(sim, SIGTERM);
    rusage simUsage{};
    int simStatus = 0;
    wait4(sim, &simStatus, 0, &simUsage);

    const double ctlCpu = seconds(ctlUsage.ru_utime) + seconds(ctlUsage.ru_stime);
    const double simCpu = seconds(simUsage.ru_utime) + seconds(simUsage.ru_stime);
    std::printf("velmarctl detect%s against a silent unit_simulator: exit %d, wall %.2f s\n",
                installer ? " --installer" : "", WEXITSTATUS(status), wall);
    std::printf("  velmarctl:      user+sys %.3f s = %.2f %% of one core\n", ctlCpu, 100.0 * ctlCpu / wall);
    std::printf("  unit_simulator: user+sys %.3f s = %.2f %% of one core (whole life)\n", simCpu,
                100.0 * simCpu / wall);
    return ctlCpu / wall < 0.05 ? 0 : 1;
}
