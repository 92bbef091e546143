// Reaction: how soon after a reply byte reaches the port does a waiting primitive return?
// The test holds the master side of a pseudo-terminal and answers every "e" with a CR after a
// pause; the host runs UnitLink::QueryCr("e", 100) through PosixSerialPort on the slave side.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/posix_serial_port.h"
#include "unitlink/unit_link.h"

using namespace velmar;

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 300;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return 1;
    const std::string slave = ptsname(master);

    std::atomic<int64_t> sentAt{0};
    std::atomic<bool> stop{false};
    std::thread unit([&] {
        char buf[64];
        unsigned pause = 1;
        while (!stop) {
            pollfd p{master, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = read(master, buf, sizeof buf);
            for (ssize_t i = 0; i < n; ++i) {
                if (buf[i] != 'e')
                    continue;
                pause = pause * 7 % 11 + 1;  // 1..11 ms, varied
                usleep(pause * 1000);
                sentAt = platform::monotonicNs();
                (void)!write(master, "\r", 1);
            }
        }
    });

    platform::PosixSerialPort port(platform::PortNames({slave}));
    platform::RealClock clock;
    unitlink::UnitLink link(Variant::Installer, port, clock);
    std::string message;
    if (!link.OpenPort(message)) {
        std::fprintf(stderr, "cannot open %s\n", slave.c_str());
        return 1;
    }
    std::vector<double> latencyUs;
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        sentAt = 0;
        const bool ok = link.QueryCr("e", 100);
        const int64_t seen = platform::monotonicNs();
        if (!ok || sentAt == 0) {
            ++failures;
            continue;
        }
        latencyUs.push_back(static_cast<double>(seen - sentAt) / 1000.0);
    }
    stop = true;
    unit.join();
    std::sort(latencyUs.begin(), latencyUs.end());
    if (latencyUs.empty())
        return 1;
    auto pct = [&](double p) { return latencyUs[static_cast<size_t>(p * static_cast<double>(latencyUs.size() - 1))]; };
    size_t under1ms = 0;
    for (double v : latencyUs)
        under1ms += v < 1000.0;
    std::printf("reaction (reply byte written -> QueryCr returns), %zu rounds, %d failed\n", latencyUs.size(),
                failures);
    std::printf("  median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us; %.1f%% under 1 ms\n", pct(0.5), pct(0.9),
                pct(0.99), latencyUs.back(),
                100.0 * static_cast<double>(under1ms) / static_cast<double>(latencyUs.size()));
    return 0;
}
