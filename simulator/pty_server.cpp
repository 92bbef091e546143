#include "simulator/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace velmar::sim {

namespace {

constexpr uint64_t kBurstWindowNs = 200'000;
constexpr size_t kBurstBytes = 64;

uint32_t speedBps(speed_t s)
{
    switch (s) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

}  // namespace

PtyServer::PtyServer(SimulatedUnit& unit, Options options)
    : unit_(unit), options_(std::move(options)), wire_(unit, options_.adapterLatencyMs),
      originNs_(platform::monotonicNs())
{
    if (options_.trace) {
        traceLog_ = std::make_unique<platform::TraceLog>(*options_.trace, traceClock_);
        wire_.setObserver(
            [this](bool toUnit, uint8_t byte, bool delivered, uint64_t) { traceByte(toUnit, byte, delivered); });
    }
}

PtyServer::~PtyServer()
{
    if (linked_)
        ::unlink(options_.linkPath.c_str());
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
}

uint64_t PtyServer::now() const { return static_cast<uint64_t>(platform::monotonicNs() - originNs_); }

uint32_t PtyServer::hostRate() const
{
    termios t{};
    if (tcgetattr(slave_, &t) != 0)
        return 0;
    return speedBps(cfgetospeed(&t));
}

bool PtyServer::start(std::string& error)
{
    // Wake-ups at byte times (87 us at 115200 bit/s) need a timer slack well below that.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error = "ptsname failed";
        return false;
    }
    slavePath_ = name;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    termios t{};
    tcgetattr(slave_, &t);
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&t, B19200);
    cfsetospeed(&t, B19200);
    tcsetattr(slave_, TCSANOW, &t);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!options_.linkPath.empty()) {
        ::unlink(options_.linkPath.c_str());  // a stale link from a killed run
        if (::symlink(slavePath_.c_str(), options_.linkPath.c_str()) != 0) {
            error = "cannot create the link " + options_.linkPath + ": " + std::strerror(errno);
            return false;
        }
        linked_ = true;
    }
    return true;
}

void PtyServer::traceByte(bool toUnit, uint8_t byte, bool delivered)
{
    if (!traceLog_)
        return;
    if (!delivered) {
        flushTrace();
        char text[96];
        std::snprintf(text, sizeof text, "lost %s byte %02X: rate mismatch (host %u, unit %u bit/s)",
                      toUnit ? "host>unit" : "unit>host", byte, hostRate(), unit_.lineRate());
        traceLog_->note(text);
        return;
    }
    const int dir = toUnit ? 1 : 0;
    if (dir != traceDirection_)
        flushTrace();
    traceDirection_ = dir;
    traceBytes_.push_back(byte);
}

void PtyServer::flushTrace()
{
    if (!traceLog_ || traceBytes_.empty())
        return;
    // The unit's view: bytes it received are "<", bytes it sent ">".
    traceLog_->bytes(
        traceDirection_ == 1 ? platform::TraceLog::Direction::Received : platform::TraceLog::Direction::Sent,
        traceBytes_.data(), traceBytes_.size());
    traceBytes_.clear();
}

void PtyServer::flushOutput()
{
    size_t done = 0;
    while (done < pendingOut_.size()) {
        const ssize_t r = ::write(master_, pendingOut_.data() + done, pendingOut_.size() - done);
        if (r <= 0)
            break;  // nobody reading and the terminal buffer is full: the bytes are lost
        done += static_cast<size_t>(r);
    }
    pendingOut_.clear();
}

void PtyServer::run(int stopFd)
{
    const auto sink = [this](uint8_t byte, uint64_t) { pendingOut_.push_back(byte); };
    uint8_t buffer[4096];
    size_t received = 0;
    for (;;) {
        // One clock reading and one look at the host's rate per wake-up: bytes just read crossed
        // at that rate, and what is due to the host goes out at it.
        const uint64_t t0 = now();
        const uint32_t rate = hostRate();
        wire_.advanceTo(t0, rate, sink, true);
        if (received > 0) {
            wire_.hostWrite(buffer, received, rate, t0);
            received = 0;
            wire_.advanceTo(t0, rate, sink, true);
        }
        // A reply goes to the host in one piece when its next byte is due within a few byte
        // times: never before the wire would deliver a byte, and with one wake-up on each side.
        const auto following = wire_.nextEventNs();
        if (!following || *following > t0 + kBurstWindowNs || pendingOut_.size() >= kBurstBytes)
            flushOutput();
        if (!following)
            flushTrace();  // one trace entry per burst

        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (const auto next = wire_.nextEventNs()) {
            const uint64_t t = now();
            // Each byte reaches the host at its own wire time, so a transfer at 115200 bit/s runs
            // at the line's pace rather than at the pace of a coarse timer.
            const uint64_t wait = *next > t ? *next - t : 0;
            timeout.tv_sec = static_cast<time_t>(wait / 1'000'000'000u);
            timeout.tv_nsec = static_cast<long>(wait % 1'000'000'000u);
            timeoutPtr = &timeout;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {stopFd, POLLIN, 0}};
        const int r = ppoll(fds, 2, timeoutPtr, nullptr);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n > 0)
                received = static_cast<size_t>(n);
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // No terminal side open (cannot happen while slave_ is held); avoid spinning.
            timespec pause{0, 10'000'000};
            nanosleep(&pause, nullptr);
        }
    }
}

}  // namespace velmar::sim
