#include "platform/virtual_receiver.h"

#include <gtest/gtest.h>

#include <deque>
#include <utility>

namespace velmar::platform {
namespace {

constexpr uint64_t kMs = 1'000'000;

// Bytes that reach the receiver at set virtual times.
class Line : public VirtualClock::Participant {
public:
    Line(VirtualClock& clock, VirtualReceiver& rx) : clock_(clock), rx_(rx) { clock_.attach(this); }
    ~Line() override { clock_.detach(this); }
    void at(uint64_t ns, uint8_t byte) { due_.emplace_back(ns, byte); }
    std::optional<uint64_t> nextEventNs() const override
    {
        return due_.empty() ? std::nullopt : std::optional<uint64_t>(due_.front().first);
    }
    void advanceTo(uint64_t now) override
    {
        while (!due_.empty() && due_.front().first <= now) {
            rx_.arrive(due_.front().second, due_.front().first, 4);
            due_.pop_front();
        }
    }

private:
    VirtualClock& clock_;
    VirtualReceiver& rx_;
    std::deque<std::pair<uint64_t, uint8_t>> due_;
};

struct Bench {
    VirtualClock clock;
    bool healthy = true;
    VirtualReceiver rx{clock, [this] { return healthy; }};
    Line line{clock, rx};
    uint8_t buffer[8] = {};
};

TEST(VirtualReceiver, NormalReadWaitsForAllOrFivePlusNMsOrOneMsAfterAByte)
{
    Bench b;
    const uint64_t t0 = b.clock.nowNs();
    b.line.at(t0 + 2 * kMs, 'a');
    b.line.at(t0 + 2 * kMs + kMs / 2, 'b');
    EXPECT_EQ(b.rx.read(b.buffer, 2, Timeouts::Normal), 2);
    EXPECT_EQ(b.clock.nowNs(), t0 + 2 * kMs + kMs / 2) << "returns as the last byte asked for arrives";

    // A gap of more than 1 ms after a byte ends the read with what came.
    b.line.at(b.clock.nowNs() + kMs, 'c');
    b.line.at(b.clock.nowNs() + 3 * kMs, 'd');
    const uint64_t t1 = b.clock.nowNs();
    EXPECT_EQ(b.rx.read(b.buffer, 3, Timeouts::Normal), 1);
    EXPECT_EQ(b.buffer[0], 'c');
    EXPECT_EQ(b.clock.nowNs(), t1 + 2 * kMs);

    // Nothing at all: 5 + n ms.
    Bench quiet;
    const uint64_t q0 = quiet.clock.nowNs();
    EXPECT_EQ(quiet.rx.read(quiet.buffer, 3, Timeouts::Normal), 0);
    EXPECT_EQ(quiet.clock.nowNs(), q0 + 8 * kMs);
}

TEST(VirtualReceiver, StreamingReadAndWaitForInput)
{
    Bench b;
    const uint64_t t0 = b.clock.nowNs();
    EXPECT_EQ(b.rx.read(b.buffer, 4, Timeouts::Streaming), 0);
    EXPECT_EQ(b.clock.nowNs(), t0) << "a streaming read never waits";
    b.line.at(t0 + 7 * kMs, 'x');
    EXPECT_EQ(b.rx.waitForInput(5), 0);
    EXPECT_EQ(b.clock.nowNs(), t0 + 5 * kMs);
    EXPECT_EQ(b.rx.waitForInput(5), 1);
    EXPECT_EQ(b.clock.nowNs(), t0 + 7 * kMs);
    EXPECT_EQ(b.rx.read(b.buffer, 4, Timeouts::Streaming), 1);
}

TEST(VirtualReceiver, AFullBufferLosesBytesAndAFailedPortEndsTheWait)
{
    Bench b;
    for (uint8_t i = 0; i < 6; ++i)
        b.rx.arrive(i, b.clock.nowNs(), 4);
    EXPECT_EQ(b.rx.read(b.buffer, 8, Timeouts::Streaming), 4) << "bytes beyond the buffer's room are lost";

    b.healthy = false;
    EXPECT_EQ(b.rx.read(b.buffer, 1, Timeouts::Normal), -1);
    EXPECT_EQ(b.rx.waitForInput(10), -1);
}

}  // namespace
}  // namespace velmar::platform
