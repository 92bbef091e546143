// CPU cost of waiting: a real-time `velmarctl detect` against a silent unit_simulator (every
// probe times out, so the whole scan is waiting). Prints user + system time over wall time for
// velmarctl and for the simulator.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "child_process.h"
#include "platform/clock.h"

using namespace velmar::bench;

int main(int argc, char** argv)
{
    const bool installer = argc > 1 && std::string(argv[1]) == "--installer";
    const std::string link = "/tmp/velmar-bench-" + std::to_string(getpid());
    const pid_t sim = spawn({UNIT_SIMULATOR_PATH, "--link", link, "--fault", "silent"}, ChildOutput::Quiet);
    waitForLink(link);

    std::vector<std::string> args = {VELMARCTL_PATH, "detect", "--ports", link};
    if (installer)
        args.push_back("--installer");
    const int64_t start = velmar::platform::monotonicNs();
    const pid_t ctl = spawn(args, ChildOutput::Quiet);
    int status = 0;
    rusage ctlUsage{};
    wait4(ctl, &status, 0, &ctlUsage);
    const double wall = static_cast<double>(velmar::platform::monotonicNs() - start) / 1e9;

    kill(sim, SIGTERM);
    rusage simUsage{};
    int simStatus = 0;
    wait4(sim, &simStatus, 0, &simUsage);

    const double ctlCpu = cpuSeconds(ctlUsage);
    const double simCpu = cpuSeconds(simUsage);
    std::printf("velmarctl detect%s against a silent unit_simulator: exit %d, wall %.2f s\n",
                installer ? " --installer" : "", WEXITSTATUS(status), wall);
    std::printf("  velmarctl:      user+sys %.3f s = %.2f %% of one core\n", ctlCpu, 100.0 * ctlCpu / wall);
    std::printf("  unit_simulator: user+sys %.3f s = %.2f %% of one core (whole life)\n", simCpu,
                100.0 * simCpu / wall);
    return ctlCpu / wall < 0.05 ? 0 : 1;
}
