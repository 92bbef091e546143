// PosixSerialPort on a pseudo-terminal pair (the test holds the master side).
#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/clock.h"
#include "scratch_dir.h"

using namespace velmar::platform;

namespace {

class Pty : public ::testing::Test {
protected:
    void SetUp() override
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(grantpt(master_), 0);
        ASSERT_EQ(unlockpt(master_), 0);
        slave_ = ptsname(master_);
    }
    void TearDown() override
    {
        if (master_ >= 0)
            close(master_);
    }
    std::string readMaster()
    {
        std::string s;
        char buf[256];
        pollfd p{master_, POLLIN, 0};
        while (poll(&p, 1, 200) > 0) {
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0)
                break;
            s.append(buf, static_cast<size_t>(n));
        }
        return s;
    }
    PosixSerialPort makePort()
    {
        return PosixSerialPort(PortNames({slave_}), [this](const std::string& t) { log_ += t + "\n"; });
    }

    int master_ = -1;
    std::string slave_;
    std::string log_;
};

int64_t msSince(int64_t startNs) { return (monotonicNs() - startNs) / 1'000'000; }

}  // namespace

TEST_F(Pty, OpensByComNameAndSetsEveryRate)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1")) << port.lastError();
    EXPECT_EQ(port.devicePath(), slave_);
    for (uint32_t rate : {19200u, 1200u, 2400u, 4800u, 9600u, 38400u, 57600u, 115200u}) {
        ASSERT_TRUE(port.setRate(rate)) << rate;
        uint32_t got = 0;
        ASSERT_TRUE(port.getRate(got));
        EXPECT_EQ(got, rate);
    }
    EXPECT_FALSE(port.setRate(300));
    EXPECT_FALSE(port.open("COM2"));
    EXPECT_TRUE(log_.empty()) << log_;  // an absent port is skipped quietly
}

TEST_F(Pty, OpenIsExclusive)
{
    PosixSerialPort a = makePort();
    PosixSerialPort b = makePort();
    ASSERT_TRUE(a.open("COM1"));
    EXPECT_FALSE(b.open("COM1"));
    EXPECT_NE(b.lastError().find("in use"), std::string::npos) << b.lastError();
    a.close();
    EXPECT_TRUE(b.open("COM1"));
}

TEST_F(Pty, WritesReachTheOtherSide)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1"));
    const uint8_t probe[] = {'?', '\n'};
    EXPECT_EQ(port.write(probe, 2), 2);
    EXPECT_TRUE(port.flush());
    EXPECT_EQ(readMaster(), "?\n");
}

TEST_F(Pty, NormalReadReturnsWhatArrivedOrTimesOutShortly)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1"));
    ASSERT_EQ(::write(master_, "abc", 3), 3);
    uint8_t buf[64];
    EXPECT_EQ(port.read(buf, 3), 3);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), 3), "abc");

    // Nothing arrives: a read of 10 bytes waits about 5 + 10 ms (generous bound for loaded machines).
    int64_t start = monotonicNs();
    EXPECT_EQ(port.read(buf, 10), 0);
    const int64_t took = msSince(start);
    EXPECT_GE(took, 14);
    EXPECT_LT(took, 1000);

    // Fewer bytes than asked: returns them after the 1 ms gap, well before 5 + 64 ms.
    ASSERT_EQ(::write(master_, "xy", 2), 2);
    EXPECT_EQ(port.read(buf, 64), 2);
}

TEST_F(Pty, StreamingReadReturnsAtOnce)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1"));
    ASSERT_TRUE(port.setTimeouts(Timeouts::Streaming));
    Timeouts t;
    ASSERT_TRUE(port.getTimeouts(t));
    EXPECT_EQ(t, Timeouts::Streaming);
    uint8_t buf[64];
    const int64_t start = monotonicNs();
    EXPECT_EQ(port.read(buf, 64), 0);
    EXPECT_LT(msSince(start), 500);
    ASSERT_EQ(::write(master_, "AB", 2), 2);
    usleep(20'000);
    EXPECT_EQ(port.read(buf, 64), 2);
}

TEST_F(Pty, PurgeDropsPendingInput)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1"));
    ASSERT_EQ(::write(master_, "stale", 5), 5);
    usleep(20'000);
    EXPECT_TRUE(port.purge());
    uint8_t buf[8];
    EXPECT_EQ(port.read(buf, 1), 0);
}

TEST_F(Pty, HangUpIsAFailedReadNotAHang)
{
    PosixSerialPort port = makePort();
    ASSERT_TRUE(port.open("COM1"));
    close(master_);
    master_ = -1;
    uint8_t buf[8];
    const int64_t start = monotonicNs();
    EXPECT_EQ(port.read(buf, 8), -1);
    EXPECT_LT(msSince(start), 1000);
    ASSERT_TRUE(port.setTimeouts(Timeouts::Streaming));
    EXPECT_EQ(port.read(buf, 8), -1);
    port.close();
    EXPECT_FALSE(port.open("COM1"));
}

TEST_F(Pty, ClosedPortFailsEveryCall)
{
    PosixSerialPort port = makePort();
    uint8_t b = 0;
    uint32_t rate;
    Timeouts t;
    EXPECT_EQ(port.read(&b, 1), -1);
    EXPECT_EQ(port.write(&b, 1), -1);
    EXPECT_FALSE(port.getRate(rate));
    EXPECT_FALSE(port.setRate(19200));
    EXPECT_FALSE(port.getTimeouts(t));
    EXPECT_FALSE(port.purge());
    EXPECT_FALSE(port.flush());
}

TEST(PosixSerialPort, NotATerminalIsRefusedAndLogged)
{
    const velmar::test::ScratchDir dir;
    const std::string path = dir.file("not-a-tty");
    velmar::test::writeFile(path, "x");
    std::string log;
    PosixSerialPort port(PortNames({path}), [&](const std::string& t) { log += t; });
    EXPECT_FALSE(port.open("COM1"));
    EXPECT_NE(log.find("not a terminal"), std::string::npos) << log;
}

// A scan opens each port at every rate it tries: the reason is logged once, not once a try,
// until a port opens again; a new reason is logged at once.
TEST(PosixSerialPort, EachReasonIsLoggedOnceUntilAPortOpens)
{
    const velmar::test::ScratchDir dir;
    const std::string missing = dir.file("gone");
    const std::string plain = dir.file("not-a-tty");
    velmar::test::writeFile(plain, "x");
    std::vector<std::string> log;
    PosixSerialPort port(PortNames({missing, plain}), [&](const std::string& t) { log.push_back(t); });
    for (int attempt = 0; attempt < 3; ++attempt) {
        EXPECT_FALSE(port.open("COM1"));
        EXPECT_FALSE(port.open("COM2"));
        EXPECT_NE(port.lastError().find("not a terminal"), std::string::npos) << "each failure still says why";
    }
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[0].find("cannot open " + missing), std::string::npos) << log[0];
    EXPECT_NE(log[1].find("not a terminal"), std::string::npos) << log[1];

    // Once a port has opened, a failure that comes back is news again.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    port.setNames(PortNames({ptsname(master), plain}));
    ASSERT_TRUE(port.open("COM1")) << port.lastError();
    port.close();
    EXPECT_FALSE(port.open("COM2"));
    EXPECT_EQ(log.size(), 3u);
    ::close(master);
}

TEST(PosixSerialPort, AccessRefusedNamesTheDialoutGroup)
{
    // A terminal the caller may not open: a pty owned by root with mode 0600, opened by an
    // unprivileged user (root drops to "nobody" in a child process for this).
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const std::string path = ptsname(master);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 0, 0), 0);
    }
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string log;
        PosixSerialPort port(PortNames({path}), [&](const std::string& t) { log += t; });
        const int64_t start = monotonicNs();
        const bool opened = port.open("COM1");
        const int64_t took = msSince(start);
        log += "\ntook " + std::to_string(took);
        (void)!::write(out[1], log.data(), log.size());
        ::_exit(opened ? 1 : 0);
    }
    ::close(out[1]);
    std::string log;
    char buf[512];
    ssize_t n;
    while ((n = ::read(out[0], buf, sizeof buf)) > 0)
        log.append(buf, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << log;
    EXPECT_NE(log.find("Permission denied"), std::string::npos) << log;
    EXPECT_NE(log.find("dialout"), std::string::npos) << log;
    const size_t at = log.find("took ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_GE(std::stoi(log.substr(at + 5)), 150) << "retried once after a short delay";
}
