#pragma once

#include <cstdint>
#include <ctime>

namespace velmar::platform {

// The millisecond clock every exchange is timed by: nowMs() is an unsigned 32-bit reading; elapsed time is
// always the unsigned difference of two readings, so the wrap at 2^32 ms is harmless.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t nowMs() = 0;
    // Waits at least `ms` milliseconds. The real clock sleeps; the virtual clock advances.
    virtual void delay(uint32_t ms) = 0;
};

// Steady (monotonic) clock; delay() sleeps, it never spins.
class RealClock final : public Clock {
public:
    RealClock();
    ~RealClock() override;
    RealClock(const RealClock&) = delete;
    RealClock& operator=(const RealClock&) = delete;
    uint32_t nowMs() override;
    void delay(uint32_t ms) override;

private:
    int64_t originNs_;
};

// The wall clock's local time now (what the unit's own clock is set to).
std::tm localTimeNow();

// Monotonic time in nanoseconds (CLOCK_MONOTONIC; the performance counter on Windows).
int64_t monotonicNs();

}  // namespace velmar::platform
