// Transport primitives at their limits, exact in virtual time.
#include <gtest/gtest.h>

#include "scripted_port.h"
#include "simulator/simulated_serial_port.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"
#include "unit_link_test_access.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::platform::VirtualClock;
using velmar::test::ScriptedPort;

namespace {

struct Scripted {
    explicit Scripted(ScriptedPort::Responder r, Variant v = Variant::Installer)
        : port(clock, std::move(r)), link(v, port, clock)
    {
        std::string m;
        EXPECT_TRUE(link.OpenPort(m));
    }
    int writesOf(const std::string& w) const
    {
        int n = 0;
        for (const auto& x : port.writes)
            n += x == w;
        return n;
    }
    VirtualClock clock;
    ScriptedPort port;
    UnitLink link;
};

}  // namespace

TEST(Transport, OpenPortFailureGivesTheProgramsText)
{
    VirtualClock clock;
    sim::SimulatedSerialPort port(clock);
    std::string m;
    UnitLink installer(Variant::Installer, port, clock);
    EXPECT_FALSE(installer.OpenPort(m));
    EXPECT_EQ(m, texts::kCommErrorInstaller);
    UnitLink editor(Variant::Editor, port, clock);
    EXPECT_FALSE(editor.OpenPort(m));
    EXPECT_EQ(m, texts::kCommErrorEditor);
    EXPECT_FALSE(port.isOpen());
}

TEST(Transport, OpenPortAppliesTheBaudIndex)
{
    VirtualClock clock;
    sim::SimulatedSerialPort port(clock);
    port.addPort("COM2");
    UnitLink link(Variant::Editor, port, clock);
    UnitLinkTestAccess::setPortName(link, "COM2");
    UnitLinkTestAccess::setBaudIndex(link, 6);
    std::string m;
    ASSERT_TRUE(link.OpenPort(m));
    EXPECT_EQ(port.hostRate(), 57600u);
}

TEST(Transport, QueryFixedStopsAtNBytesAndDrainDropsTheRest)
{
    Scripted s([](const std::string& w, int) { return w == "s" ? std::string("ABCDEFGH") : std::string(); });
    std::string reply;
    EXPECT_TRUE(s.link.QueryFixed("s", 80, 3, reply));
    EXPECT_EQ(reply, "ABC");
    s.link.DrainInput();
    EXPECT_FALSE(s.link.QueryFixed("t", 20, 1, reply));
    EXPECT_EQ(reply, "");
}

TEST(Transport, QueryFixedLimitIsMeasuredFromEachWrite)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    std::string reply;
    const uint32_t start = s.clock.nowMs();
    EXPECT_FALSE(s.link.QueryFixed("R", 20, 2, reply));
    const uint32_t took = s.clock.nowMs() - start;
    EXPECT_EQ(s.writesOf("R"), 4);
    // Drain (one 6 ms read) and four attempts of at least 20 ms, each overshooting by at most
    // one read of 5 + 2 ms.
    EXPECT_GE(took, 6u + 4 * 20);
    EXPECT_LE(took, 6u + 4 * (20 + 7));
}

TEST(Transport, QueryCrRetriesUntilACarriageReturn)
{
    Scripted s([](const std::string& w, int i) { return w == "P" && i >= 2 ? std::string("\r") : std::string("x"); });
    EXPECT_TRUE(s.link.QueryCr("P", 100));
    EXPECT_EQ(s.writesOf("P"), 2);
}

TEST(Transport, QueryCrSilentFailsAfterFourWrites)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    EXPECT_FALSE(s.link.QueryCr("e", 35));
    EXPECT_EQ(s.writesOf("e"), 4);
}

TEST(Transport, SendExpectCrAnsweredOnlyAfterTheThirdWriteFailsAndClosesThePort)
{
    Scripted s([](const std::string&, int i) { return i == 3 ? std::string("\r") : std::string(); });
    EXPECT_FALSE(s.link.SendExpectCr("X"));
    EXPECT_EQ(s.writesOf("X"), 3);
    EXPECT_FALSE(s.port.isOpen());
}

TEST(Transport, SendExpectCrAnsweredAfterTheSecondWriteSucceeds)
{
    Scripted s([](const std::string&, int i) { return i == 2 ? std::string("\r") : std::string(); });
    EXPECT_TRUE(s.link.SendExpectCr("X"));
    EXPECT_EQ(s.writesOf("X"), 2);
    EXPECT_TRUE(s.port.isOpen());
}

TEST(Transport, QueryLineFullBufferWithoutLfIsSuccess)
{
    Scripted s([](const std::string& w, int) { return w == "?\n" ? std::string("ABCDEFG") : std::string(); });
    std::string reply;
    EXPECT_TRUE(s.link.QueryLine("?\n", 500, 5, reply));
    EXPECT_EQ(reply, "ABCDE");
    EXPECT_EQ(s.writesOf("?\n"), 1);
}

TEST(Transport, QueryLineNeitherFullNorLfIsWrittenFourTimes)
{
    Scripted s([](const std::string& w, int) { return w == "P1P?\n" ? std::string("P1") : std::string(); });
    std::string reply;
    const uint32_t start = s.clock.nowMs();
    EXPECT_FALSE(s.link.QueryLine("P1P?\n", 200, 7, reply));
    EXPECT_EQ(reply, "P1");
    EXPECT_EQ(s.writesOf("P1P?\n"), 4);
    EXPECT_EQ(s.port.writes.front(), "\n");  // the wake-up LF
    EXPECT_GE(s.clock.nowMs() - start, 20u + 4 * 200);
    EXPECT_LE(s.clock.nowMs() - start, 20u + 6 + 4 * (200 + 12));
}

TEST(Transport, QueryLineWakeUpDelayDiffersByProgram)
{
    for (auto [variant, delay] : {std::pair{Variant::Installer, 20u}, std::pair{Variant::Editor, 10u}}) {
        Scripted s([](const std::string& w, int) { return w == "?\n" ? std::string("OK\n") : std::string(); }, variant);
        std::string reply;
        const uint32_t start = s.clock.nowMs();
        EXPECT_TRUE(s.link.QueryLine("?\n", 500, 64, reply));
        // wake-up delay + one 6 ms drain read + reply (1 ms, 2 more bytes, 1 ms interval)
        EXPECT_EQ(s.clock.nowMs() - start, delay + 6 + 3) << (variant == Variant::Editor ? "editor" : "installer");
    }
}

TEST(Transport, CommandAckAcceptsALoneLf)
{
    Scripted s([](const std::string& w, int) { return w == "P1P0\n" ? std::string("\n") : std::string(); });
    EXPECT_EQ(s.link.CommandAck("P1P0\n", 100), 1);
    EXPECT_EQ(s.writesOf("P1P0\n"), 1);
}

TEST(Transport, CommandAckRejectsAnEchoFollowedByLf)
{
    Scripted s([](const std::string& w, int) { return w == "P1P0\n" ? w : std::string(); });
    EXPECT_EQ(s.link.CommandAck("P1P0\n", 100), 0);
    EXPECT_EQ(s.writesOf("P1P0\n"), 4);
}

TEST(Transport, DrainInputAgainstEndlessOutputReopensAndGivesUp)
{
    VirtualClock clock;
    sim::UnitConfig cfg;
    cfg.faults.endless = true;
    sim::SimulatedUnit unit(cfg);
    sim::SimulatedSerialPort port(clock);
    port.addPort("COM1", &unit);
    UnitLink link(Variant::Editor, port, clock);
    std::string m;
    ASSERT_TRUE(link.OpenPort(m));
    const uint64_t start = clock.nowNs();
    link.DrainInput();
    // Reopened after each 128th byte: 8 reopens for 1025 bytes.
    EXPECT_EQ(port.openCount(), 1 + 8);
    const double ms = static_cast<double>(clock.nowNs() - start) / 1e6;
    EXPECT_GT(ms, 1024 * 0.52 * 0.9);
    EXPECT_LT(ms, 1025 * 0.53 + 100);
}

TEST(Transport, SendLineWritesWakeUpThenCommand)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    EXPECT_TRUE(s.link.SendLine("Z\n"));
    ASSERT_EQ(s.port.writes.size(), 2u);
    EXPECT_EQ(s.port.writes[0], "\n");
    EXPECT_EQ(s.port.writes[1], "Z\n");
}

TEST(Transport, VanishedPortEndsPrimitivesQuickly)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    s.port.present = false;
    std::string reply;
    const uint32_t start = s.clock.nowMs();
    EXPECT_FALSE(s.link.QueryLine("?\n", 500, 64, reply));
    EXPECT_EQ(s.link.CommandAck("P1P0\n", 100), 0);
    EXPECT_FALSE(s.link.QueryFixed("R", 140, 2, reply));
    EXPECT_FALSE(s.link.SendExpectCr("X"));
    EXPECT_LE(s.clock.nowMs() - start,
              10u + 20 + 15);  // only the fixed delays of each primitive, no time-out waited out
}

TEST(Transport, StreamingFlagSelectsTheTimeoutSet)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    EXPECT_EQ(s.port.timeouts, platform::Timeouts::Normal);
    s.link.SetStreamingReads(true);  // direct: the flag is not changed
    EXPECT_EQ(s.port.timeouts, platform::Timeouts::Streaming);
    EXPECT_FALSE(s.link.streaming());
    uint32_t start = s.clock.nowMs();
    std::string reply;
    s.link.QueryFixed("R", 0, 2, reply);  // streaming reads return at once
    EXPECT_EQ(s.clock.nowMs() - start, 0u);
    s.link.SetStreamingReads(false);
    EXPECT_EQ(s.port.timeouts, platform::Timeouts::Normal);
    UnitLinkTestAccess::setStreaming(s.link, true);
    EXPECT_TRUE(s.link.ApplyTimeouts());
    EXPECT_EQ(s.port.timeouts, platform::Timeouts::Streaming);
    UnitLinkTestAccess::setStreaming(s.link, false);
    EXPECT_TRUE(s.link.ApplyTimeouts());
    EXPECT_EQ(s.port.timeouts, platform::Timeouts::Normal);
}

TEST(Transport, ApplyTimeoutsOnALostPortClosesIt)
{
    Scripted s([](const std::string&, int) { return std::string(); });
    s.port.present = false;
    EXPECT_FALSE(s.link.ApplyTimeouts());
    EXPECT_FALSE(s.port.isOpen());
}

namespace {

// A port whose far end hangs up right after its reply: the wait reports the hang-up while the
// reply is still buffered, as a terminal does (POLLHUP with POLLIN).
class HangsUpAfterReply final : public platform::SerialPort {
public:
    explicit HangsUpAfterReply(ScriptedPort& inner) : inner_(inner) {}
    bool open(const std::string& name) override { return inner_.open(name); }
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override { inner_.close(); }
    bool getRate(uint32_t& bps) override { return inner_.getRate(bps); }
    bool setRate(uint32_t bps) override { return inner_.setRate(bps); }
    bool getTimeouts(platform::Timeouts& t) override { return inner_.getTimeouts(t); }
    bool setTimeouts(platform::Timeouts t) override { return inner_.setTimeouts(t); }
    bool purge() override { return inner_.purge(); }
    int read(uint8_t* b, size_t n) override { return inner_.read(b, n); }
    int write(const uint8_t* d, size_t n) override { return inner_.write(d, n); }
    bool flush() override { return inner_.flush(); }
    int waitForInput(uint32_t limitMs) override
    {
        const int w = inner_.waitForInput(limitMs);
        return hangUp ? -1 : w;
    }
    bool hangUp = false;

private:
    ScriptedPort& inner_;
};

}  // namespace

TEST(Transport, StreamingReadTakesWhatArrivedBeforeAHangUp)
{
    VirtualClock clock;
    ScriptedPort scripted(clock,
                          [](const std::string& w, int) { return w == "a" ? std::string("\r") : std::string(); });
    HangsUpAfterReply port(scripted);
    UnitLink link(Variant::Installer, port, clock);
    std::string m;
    ASSERT_TRUE(link.OpenPort(m));
    link.SetStreamingReads(true);
    port.hangUp = true;
    EXPECT_TRUE(link.QueryCr("a", 35));  // the acknowledgement came before the hang-up
    EXPECT_EQ(scripted.opens, 1);
    EXPECT_FALSE(link.QueryCr("b", 35));  // nothing buffered: the hang-up closes the port
    EXPECT_GT(scripted.opens, 1);         // and the next attempt reopened it
}
