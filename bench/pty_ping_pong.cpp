#include "pty_ping_pong.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "platform/clock.h"

namespace velmar::bench {

namespace {

bool waitReadable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ppoll(&p, 1, nullptr, nullptr) >= 0;
}

// The far end: answers each byte after the delay, sleeping in ppoll as the simulator does.
[[noreturn]] void echo(int fd, int trips, uint32_t delayUs)
{
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const timespec delay{0, static_cast<long>(delayUs) * 1000};
    uint8_t byte = 0;
    for (int i = 0; i < trips; ++i) {
        if (!waitReadable(fd) || ::read(fd, &byte, 1) != 1)
            _exit(1);
        if (delayUs > 0)
            ppoll(nullptr, 0, &delay, nullptr);
        if (::write(fd, &byte, 1) != 1)
            _exit(1);
    }
    _exit(0);
}

}  // namespace

double ptyRoundTripOverheadUs(int trips, uint32_t delayUs)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || !ptsname(master)) {
        if (master >= 0)
            ::close(master);
        return -1.0;
    }
    const int slave = ::open(ptsname(master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (slave < 0 || tcgetattr(slave, &t) != 0) {
        ::close(master);
        if (slave >= 0)
            ::close(slave);
        return -1.0;
    }
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    const pid_t child = fork();
    if (child == 0)
        echo(master, trips, delayUs);

    uint8_t byte = 'a';
    bool ok = child > 0;
    const int64_t start = platform::monotonicNs();
    for (int i = 0; i < trips && ok; ++i)
        ok = ::write(slave, &byte, 1) == 1 && waitReadable(slave) && ::read(slave, &byte, 1) == 1;
    const double perTripUs = static_cast<double>(platform::monotonicNs() - start) / 1e3 / trips;
    ::close(slave);
    ::close(master);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    if (!ok || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1.0;
    return perTripUs - delayUs;
}

}  // namespace velmar::bench
