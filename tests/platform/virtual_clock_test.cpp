#include "platform/virtual_clock.h"

#include <gtest/gtest.h>

#include <vector>

using velmar::platform::VirtualClock;

namespace {

class Events : public VirtualClock::Participant {
public:
    explicit Events(std::vector<uint64_t> times) : times_(std::move(times)) {}
    std::optional<uint64_t> nextEventNs() const override
    {
        if (next_ < times_.size())
            return times_[next_];
        return std::nullopt;
    }
    void advanceTo(uint64_t now) override
    {
        while (next_ < times_.size() && times_[next_] <= now)
            seen.push_back(times_[next_++]);
    }
    std::vector<uint64_t> seen;

private:
    std::vector<uint64_t> times_;
    size_t next_ = 0;
};

}  // namespace

TEST(VirtualClock, DelayAdvancesExactly)
{
    VirtualClock clock;
    EXPECT_EQ(clock.nowMs(), 0u);
    clock.delay(500);
    EXPECT_EQ(clock.nowMs(), 500u);
    EXPECT_EQ(clock.nowNs(), 500'000'000u);
}

TEST(VirtualClock, ElapsedIsAnUnsignedDifferenceAcrossTheWrap)
{
    VirtualClock clock(0xFFFFFFFFu - 10);
    const uint32_t start = clock.nowMs();
    clock.delay(25);
    EXPECT_LT(clock.nowMs(), start);  // wrapped
    EXPECT_EQ(clock.nowMs() - start, 25u);
    EXPECT_DOUBLE_EQ(clock.elapsedMs(), 25.0);
}

TEST(VirtualClock, StepStopsAtTheNextEventOrTheDeadline)
{
    VirtualClock clock;
    Events e({3'000'000, 7'000'000});
    clock.attach(&e);
    EXPECT_TRUE(clock.step(10'000'000));
    EXPECT_EQ(clock.nowNs(), 3'000'000u);
    EXPECT_TRUE(clock.step(10'000'000));
    EXPECT_EQ(clock.nowNs(), 7'000'000u);
    EXPECT_FALSE(clock.step(10'000'000));
    EXPECT_EQ(clock.nowNs(), 10'000'000u);
    EXPECT_EQ(e.seen.size(), 2u);
    clock.detach(&e);
}

TEST(VirtualClock, DelayProcessesEventsOnTheWay)
{
    VirtualClock clock;
    Events e({1'000'000, 2'000'000, 50'000'000});
    clock.attach(&e);
    clock.delay(10);
    EXPECT_EQ(e.seen.size(), 2u);
    EXPECT_EQ(clock.nowMs(), 10u);
    clock.runUntil(100'000'000, [&] { return e.seen.size() == 3; });
    EXPECT_EQ(clock.nowMs(), 50u);
    clock.detach(&e);
}
