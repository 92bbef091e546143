// The floor under every lockstep exchange with unit_simulator: one byte to a second process
// through a pseudo-terminal and back, nothing else. With a DELAY_US argument the far end holds
// each byte that long (as the simulator holds a reply until its wire time is due) before it
// answers. Prints
//   round_trips=N delay_us=D per_trip_us=T overhead_us=O
// where overhead_us is what a round trip costs beyond the delay: the kernel's hand-overs and
// the wake-ups on both sides.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "platform/clock.h"

namespace {

constexpr int kRoundTrips = 3000;
constexpr uint32_t kLongestDelayUs = 100'000;

bool waitReadable(int fd, const timespec* limit)
{
    pollfd p{fd, POLLIN, 0};
    return ppoll(&p, 1, limit, nullptr) >= 0;
}

// The far end: answers each byte after the delay, sleeping in ppoll as the simulator does.
[[noreturn]] void echo(int fd, uint32_t delayUs)
{
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const timespec delay{0, static_cast<long>(delayUs) * 1000};
    uint8_t byte = 0;
    for (int i = 0; i < kRoundTrips; ++i) {
        if (!waitReadable(fd, nullptr) || ::read(fd, &byte, 1) != 1)
            _exit(1);
        if (delayUs > 0)
            ppoll(nullptr, 0, &delay, nullptr);
        if (::write(fd, &byte, 1) != 1)
            _exit(1);
    }
    _exit(0);
}

}  // namespace

int main(int argc, char** argv)
{
    uint32_t delayUs = 0;
    const std::string_view text(argc == 2 ? argv[1] : "0");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), delayUs);
    if (argc > 2 || error != std::errc() || end != text.data() + text.size() || delayUs > kLongestDelayUs) {
        std::fprintf(stderr, "usage: bench_pty_round_trip [DELAY_US]   (0 to %u)\n", kLongestDelayUs);
        return 2;
    }
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || !ptsname(master))
        return 1;
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (slave < 0 || tcgetattr(slave, &t) != 0)
        return 1;
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    const pid_t child = fork();
    if (child == 0)
        echo(master, delayUs);

    uint8_t byte = 'a';
    bool ok = true;
    const int64_t start = velmar::platform::monotonicNs();
    for (int i = 0; i < kRoundTrips && ok; ++i)
        ok = ::write(slave, &byte, 1) == 1 && waitReadable(slave, nullptr) && ::read(slave, &byte, 1) == 1;
    const double perTripUs = static_cast<double>(velmar::platform::monotonicNs() - start) / 1e3 / kRoundTrips;
    int status = 0;
    waitpid(child, &status, 0);
    if (!ok || status != 0)
        return 1;
    std::printf("round_trips=%d delay_us=%u per_trip_us=%.1f overhead_us=%.1f\n", kRoundTrips, delayUs, perTripUs,
                perTripUs - delayUs);
    return 0;
}
