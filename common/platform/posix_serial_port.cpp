#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <iostream>

#include "platform/clock.h"

namespace velmar::platform {

namespace {

struct RateEntry {
    uint32_t bps;
    speed_t code;
};

constexpr RateEntry kRates[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

bool speedCode(uint32_t bps, speed_t& code)
{
    for (const auto& r : kRates) {
        if (r.bps == bps) {
            code = r.code;
            return true;
        }
    }
    return false;
}

uint32_t speedBps(speed_t code)
{
    for (const auto& r : kRates) {
        if (r.code == code)
            return r.bps;
    }
    return 0;
}

timespec toTimespec(int64_t ns)
{
    if (ns < 0)
        ns = 0;
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

// Waits for `events` on fd until the monotonic deadline. 1: ready, 0: deadline, -1: hang-up/error.
int waitFor(int fd, short events, int64_t deadlineNs)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const timespec ts = toTimespec(deadlineNs - monotonicNs());
        const int r = ppoll(&p, 1, &ts, nullptr);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (r == 0)
            return 0;
        // A hung-up terminal reports POLLIN as well; the caller has just read what was buffered.
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return -1;
        if (p.revents & events)
            return 1;
    }
}

void applyFrame(termios& t)
{
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

}  // namespace

bool PosixSerialPort::supportedRate(uint32_t bps)
{
    speed_t code;
    return speedCode(bps, code);
}

PosixSerialPort::PosixSerialPort(PortNames names, Logger logger) : names_(std::move(names)), logger_(std::move(logger))
{
    if (!logger_)
        logger_ = [](const std::string& text) { std::cerr << text << '\n'; };
}

PosixSerialPort::~PosixSerialPort() { close(); }

void PosixSerialPort::fail(std::string text, bool log)
{
    lastError_ = std::move(text);
    if (log && logged_.insert(lastError_).second)
        logger_(lastError_);
}

bool PosixSerialPort::open(const std::string& name)
{
    close();
    const auto path = names_.resolve(name);
    if (!path) {
        fail(name + ": no such port", false);
        return false;
    }
    int fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        // udev sets the group just after a device appears: try once more a little later.
        timespec pause{0, 200'000'000};
        nanosleep(&pause, nullptr);
        fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) {
        const int err = errno;
        std::string text = "cannot open " + *path + " (" + name + "): " + std::strerror(err);
        if (err == EACCES || err == EPERM) {
            text +=
                ". The port exists but access is refused: add your user to the 'dialout' group "
                "(sudo usermod -aG dialout $USER) and log in again.";
            fail(std::move(text), true);
        } else if (err == EBUSY) {
            fail(text + " (in use by another program)", true);
        } else {
            // Only listed paths get here (the scan's other names do not resolve), so a missing
            // device or a directory was named by the user or has just gone: say so.
            fail(std::move(text), true);
        }
        return false;
    }
    if (!isatty(fd)) {
        ::close(fd);
        fail(*path + " (" + name + ") is not a terminal device", true);
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        fail("cannot lock " + *path + " (" + name + "): " + std::strerror(err) + " (in use by another program)", true);
        return false;
    }
    ioctl(fd, TIOCEXCL);  // no sharing, as CreateFileA with share mode 0
    termios t{};
    if (tcgetattr(fd, &t) != 0) {
        const int err = errno;
        ::close(fd);
        fail("cannot read the settings of " + *path + ": " + std::strerror(err), true);
        return false;
    }
    applyFrame(t);
    if (tcsetattr(fd, TCSANOW, &t) != 0) {
        const int err = errno;
        ::close(fd);
        fail("cannot configure " + *path + ": " + std::strerror(err), true);
        return false;
    }
    // Low latency where the driver offers it (USB adapters otherwise hold replies ~16 ms);
    // pseudo-terminals and many drivers refuse: that is fine.
    serial_struct ss{};
    if (ioctl(fd, TIOCGSERIAL, &ss) == 0) {
        ss.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &ss);
    }
    fd_ = fd;
    path_ = *path;
    timeouts_ = Timeouts::Normal;
    lastError_.clear();
    logged_.clear();
    return true;
}

void PosixSerialPort::close()
{
    if (fd_ < 0)
        return;
    ioctl(fd_, TIOCNXCL);
    flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

bool PosixSerialPort::getRate(uint32_t& bps)
{
    termios t{};
    if (fd_ < 0 || tcgetattr(fd_, &t) != 0)
        return false;
    bps = speedBps(cfgetospeed(&t));
    return true;
}

bool PosixSerialPort::setRate(uint32_t bps)
{
    speed_t code;
    termios t{};
    if (fd_ < 0 || !speedCode(bps, code) || tcgetattr(fd_, &t) != 0)
        return false;
    applyFrame(t);
    cfsetispeed(&t, code);
    cfsetospeed(&t, code);
    return tcsetattr(fd_, TCSANOW, &t) == 0;
}

bool PosixSerialPort::getTimeouts(Timeouts& current)
{
    // The set lives here, not in the driver: asking the kernel on every read would cost a call
    // and tell nothing a closed fd_ does not.
    if (fd_ < 0)
        return false;
    current = timeouts_;
    return true;
}

bool PosixSerialPort::setTimeouts(Timeouts set)
{
    if (fd_ < 0)
        return false;
    timeouts_ = set;
    return true;
}

bool PosixSerialPort::purge() { return fd_ >= 0 && tcflush(fd_, TCIOFLUSH) == 0; }

int PosixSerialPort::read(uint8_t* buffer, size_t n)
{
    if (fd_ < 0)
        return -1;
    if (n == 0)
        return 0;
    size_t got = 0;
    const int64_t start = monotonicNs();
    const int64_t total = start + (5 + static_cast<int64_t>(n)) * 1'000'000;  // 5 + n ms
    constexpr int64_t kInterval = 1'000'000;                                  // 1 ms between bytes
    int64_t lastByte = 0;
    for (;;) {
        const ssize_t r = ::read(fd_, buffer + got, n - got);
        if (r > 0) {
            got += static_cast<size_t>(r);
            lastByte = monotonicNs();
            if (got == n)
                return static_cast<int>(got);
        } else if (r == 0) {
            // Raw mode with VMIN = VTIME = 0 reads 0 when nothing is buffered; a hang-up shows
            // in poll (POLLHUP) below.
        } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            return got ? static_cast<int>(got) : -1;
        }
        if (timeouts_ == Timeouts::Streaming) {
            if (got == 0 && r == 0 && waitFor(fd_, POLLIN, 0) < 0)
                return -1;  // hung up
            return static_cast<int>(got);
        }
        int64_t deadline = total;
        if (got > 0 && lastByte + kInterval < deadline)
            deadline = lastByte + kInterval;
        if (monotonicNs() >= deadline)
            return static_cast<int>(got);
        const int w = waitFor(fd_, POLLIN, deadline);
        if (w == 0)
            return static_cast<int>(got);
        if (w < 0)
            return got ? static_cast<int>(got) : -1;
    }
}

int PosixSerialPort::waitForInput(uint32_t limitMs)
{
    if (fd_ < 0)
        return -1;
    return waitFor(fd_, POLLIN, monotonicNs() + static_cast<int64_t>(limitMs) * 1'000'000);
}

int PosixSerialPort::write(const uint8_t* data, size_t n)
{
    if (fd_ < 0)
        return -1;
    size_t done = 0;
    const int64_t deadline = monotonicNs() + (5 + static_cast<int64_t>(n)) * 1'000'000;
    while (done < n) {
        const ssize_t r = ::write(fd_, data + done, n - done);
        if (r > 0) {
            done += static_cast<size_t>(r);
            continue;
        }
        if (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return done ? static_cast<int>(done) : -1;
        const int w = waitFor(fd_, POLLOUT, deadline);
        if (w <= 0)
            return w < 0 && done == 0 ? -1 : static_cast<int>(done);
    }
    return static_cast<int>(done);
}

bool PosixSerialPort::flush() { return fd_ >= 0 && tcdrain(fd_) == 0; }

}  // namespace velmar::platform
