// Wire time, rate mismatch and the virtual-time serial port.
#include "simulator/unit_wire.h"

#include <gtest/gtest.h>

#include "platform/virtual_clock.h"
#include "simulator/simulated_serial_port.h"

using namespace velmar;
using namespace velmar::sim;

TEST(UnitWire, EveryByteCostsTenBitTimes)
{
    EXPECT_EQ(UnitWire::byteTimeNs(19200), 520'833u);
    EXPECT_EQ(UnitWire::byteTimeNs(115200), 86'805u);
    EXPECT_EQ(UnitWire::byteTimeNs(1200), 8'333'333u);
}

TEST(UnitWire, ReplyArrivesAfterRequestReplyDelayAndWireTime)
{
    SimulatedUnit unit;  // QRX 30, 19200, 1 ms reply delay
    UnitWire wire(unit);
    std::string got;
    uint64_t lastAt = 0;
    const auto sink = [&](uint8_t b, uint64_t at) {
        got += static_cast<char>(b);
        lastAt = at;
    };
    const uint8_t probe[] = {'?', '\n'};
    wire.hostWrite(probe, 2, 19200, 0);
    EXPECT_EQ(wire.nextEventNs(), 520'833u);
    wire.advanceTo(100'000'000, 19200, sink);
    const std::string expected = "QRX 30 Version 2.20\r\n";
    EXPECT_EQ(got, expected);
    EXPECT_EQ(lastAt, 2 * 520'833u + 1'000'000u + expected.size() * 520'833u);
    EXPECT_EQ(unit.transcript(), "?\n");
}

TEST(UnitWire, RateMismatchLosesBytesBothWays)
{
    SimulatedUnit unit;
    UnitWire wire(unit);
    std::string got;
    const auto sink = [&](uint8_t b, uint64_t) { got += static_cast<char>(b); };
    const uint8_t probe[] = {'?', '\n'};
    wire.hostWrite(probe, 2, 9600, 0);
    wire.advanceTo(100'000'000, 9600, sink);
    EXPECT_EQ(unit.transcript(), "");
    EXPECT_EQ(unit.lostBytes(), 2u);
    // The unit hears the probe, but the host listens at another rate.
    wire.hostWrite(probe, 2, 19200, 100'000'000);
    wire.advanceTo(200'000'000, 38400, sink);
    EXPECT_EQ(unit.transcript(), "?\n");
    EXPECT_EQ(got, "");
}

TEST(UnitWire, PurgeDropsBytesNotYetStarted)
{
    SimulatedUnit unit;
    UnitWire wire(unit);
    const uint8_t bytes[] = {'P', '1', 'P', '0', '\n'};
    wire.hostWrite(bytes, 5, 19200, 0);
    wire.advanceTo(600'000, 19200, [](uint8_t, uint64_t) {});  // first byte delivered
    wire.purgeHostOutput(600'000);                             // the second is on the wire
    wire.advanceTo(10'000'000, 19200, [](uint8_t, uint64_t) {});
    EXPECT_EQ(unit.transcript(), "P1");
}

TEST(SimulatedSerialPort, NormalReadWaitsFivePlusNMillisecondsOfVirtualTime)
{
    platform::VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.addPort("COM1");
    ASSERT_TRUE(port.open("COM1"));
    uint8_t buf[64];
    EXPECT_EQ(port.read(buf, 10), 0);
    EXPECT_EQ(clock.nowMs(), 15u);
    ASSERT_TRUE(port.setTimeouts(platform::Timeouts::Streaming));
    EXPECT_EQ(port.read(buf, 10), 0);
    EXPECT_EQ(clock.nowMs(), 15u);
    EXPECT_FALSE(port.open("COM2"));
    EXPECT_FALSE(port.isOpen());
}

TEST(SimulatedSerialPort, FlushWaitsForTheWire)
{
    platform::VirtualClock clock;
    SimulatedUnit unit;
    SimulatedSerialPort port(clock);
    port.addPort("COM1", &unit);
    ASSERT_TRUE(port.open("COM1"));
    ASSERT_TRUE(port.setRate(1200));
    const uint8_t bytes[12] = {};
    port.write(bytes, 12);
    ASSERT_TRUE(port.flush());
    EXPECT_EQ(clock.nowNs(), 12 * UnitWire::byteTimeNs(1200));  // 12 bytes at 1200 bit/s
}

TEST(SimulatedSerialPort, InputBufferOverflowsLikeADriverBuffer)
{
    platform::VirtualClock clock;
    UnitConfig c;
    c.faults.endless = true;
    SimulatedUnit unit(c);
    SimulatedSerialPort port(clock);
    port.addPort("COM1", &unit);
    ASSERT_TRUE(port.open("COM1"));
    ASSERT_TRUE(port.setRate(19200));
    clock.delay(5000);  // ~9600 bytes arrive
    ASSERT_TRUE(port.setTimeouts(platform::Timeouts::Streaming));
    std::vector<uint8_t> buf(20000);
    EXPECT_EQ(port.read(buf.data(), buf.size()), static_cast<int>(SimulatedSerialPort::kInputBufferSize));
}

TEST(SimulatedSerialPort, UnpluggedPortFails)
{
    platform::VirtualClock clock;
    SimulatedSerialPort port(clock);
    port.addPort("COM1");
    ASSERT_TRUE(port.open("COM1"));
    port.unplug("COM1");
    uint8_t b = 0;
    EXPECT_EQ(port.read(&b, 1), -1);
    EXPECT_EQ(port.write(&b, 1), -1);
    EXPECT_FALSE(port.purge());
    port.close();
    EXPECT_FALSE(port.open("COM1"));
}

namespace {

constexpr uint64_t kMs = 1'000'000;

// What reached the host, grouped by the moment each group arrived.
struct HandOvers {
    std::vector<std::pair<uint64_t, std::string>> groups;
    UnitWire::HostSink sink()
    {
        return [this](uint8_t b, uint64_t at) {
            if (groups.empty() || groups.back().first != at)
                groups.emplace_back(at, "");
            groups.back().second += static_cast<char>(b);
        };
    }
};

}  // namespace

TEST(UsbAdapter, HostBytesLeaveAtTheNextFrameBoundary)
{
    SimulatedUnit unit;
    UnitWire wire(unit, 16);
    std::vector<uint64_t> heard;
    wire.setObserver([&](bool toUnit, uint8_t, bool, uint64_t at) {
        if (toUnit)
            heard.push_back(at);
    });
    const uint64_t byte = UnitWire::byteTimeNs(19200);
    const uint8_t b = 'x';
    wire.hostWrite(&b, 1, 19200, kMs / 5);  // written 0.2 ms in
    wire.hostWrite(&b, 1, 19200, kMs * 7 / 10);
    wire.hostWrite(&b, 1, 19200, 3 * kMs);  // on a boundary: the frame has gone
    wire.advanceTo(10 * kMs, 19200, [](uint8_t, uint64_t) {});
    EXPECT_EQ(heard, (std::vector<uint64_t>{kMs + byte, kMs + 2 * byte, 4 * kMs + byte}));
}

TEST(UsbAdapter, AShortReplyWaitsForTheLatencyTimer)
{
    SimulatedUnit unit;  // 19200 bit/s, 1 ms reply delay
    UnitWire wire(unit, 16);
    HandOvers got;
    const uint8_t probe[] = {'?', '\n'};
    wire.hostWrite(probe, 2, 19200, kMs / 3);
    wire.advanceTo(16 * kMs + kMs / 2, 19200, got.sink());
    // On the line from 1 ms, answered by 14 ms; the timer first runs out at 16 ms.
    const std::string reply = "QRX 30 Version 2.20\r\n";
    ASSERT_EQ(got.groups.size(), 1u);
    EXPECT_EQ(got.groups[0], std::make_pair(16 * kMs, reply));
    // The timer ticks on from there, whether or not anything waited: the next reply, answered
    // by 31 ms, is handed over at 32 ms.
    wire.hostWrite(probe, 2, 19200, 16 * kMs + kMs / 2);
    wire.advanceTo(60 * kMs, 19200, got.sink());
    ASSERT_EQ(got.groups.size(), 2u);
    EXPECT_EQ(got.groups[1], std::make_pair(32 * kMs, reply));
}

TEST(UsbAdapter, SixtyTwoWaitingBytesGoAtOnceAndRestartTheTimer)
{
    UnitConfig c;
    c.applicationRate = 115200;
    c.faults.endless = true;  // talks from the start, byte after byte
    SimulatedUnit unit(c);
    UnitWire wire(unit, 16);
    HandOvers got;
    const uint64_t byte = UnitWire::byteTimeNs(115200);
    wire.advanceTo(6 * kMs, 115200, got.sink());
    ASSERT_EQ(got.groups.size(), 1u);
    EXPECT_EQ(got.groups[0].first, 62 * byte);
    EXPECT_EQ(got.groups[0].second.size(), 62u);
    EXPECT_EQ(got.groups[0].second.substr(0, 10), "0123456789");
    // It falls silent; what it was sending still arrives and waits a whole latency from the last
    // hand-over, not from the last timer tick.
    unit.config().faults.endless = false;
    wire.advanceTo(40 * kMs, 115200, got.sink());
    ASSERT_EQ(got.groups.size(), 2u);
    EXPECT_EQ(got.groups[1].first, 62 * byte + 16 * kMs);
    EXPECT_GT(got.groups[1].second.size(), 0u);
    EXPECT_LT(got.groups[1].second.size(), 62u);
}

TEST(UsbAdapter, ALatencyOfOneMillisecondHandsOverEveryMillisecondAndZeroIsADirectLine)
{
    for (const uint32_t latency : {0u, 1u}) {
        SimulatedUnit unit;
        UnitWire wire(unit, latency);
        HandOvers got;
        const uint8_t probe[] = {'?', '\n'};
        wire.hostWrite(probe, 2, 19200, 0);
        wire.advanceTo(40 * kMs, 19200, got.sink());
        const uint64_t byte = UnitWire::byteTimeNs(19200);
        std::string reply;
        for (const auto& [at, bytes] : got.groups) {
            reply += bytes;
            if (latency == 0)
                EXPECT_EQ(bytes.size(), 1u);
            else
                EXPECT_EQ(at % kMs, 0u) << at;
        }
        EXPECT_EQ(reply, "QRX 30 Version 2.20\r\n");
        const uint64_t lastArrives = (latency ? kMs : 0) + 2 * byte + kMs + 21 * byte;
        EXPECT_EQ(got.groups.back().first, latency ? (lastArrives / kMs + 1) * kMs : lastArrives) << latency;
    }
}
