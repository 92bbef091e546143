#include "platform/clock.h"

#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>

namespace velmar::platform {

namespace {

int64_t counterFrequency()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
}

}  // namespace

int64_t monotonicNs()
{
    static const int64_t frequency = counterFrequency();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    const int64_t seconds = c.QuadPart / frequency;
    return seconds * 1'000'000'000 + (c.QuadPart % frequency) * 1'000'000'000 / frequency;
}

std::tm localTimeNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_s(&tm, &t);
    return tm;
}

// Windows' timer ticks every 15.6 ms unless asked for 1 ms; the link's waits of 5 ms and the
// port's read deadlines would otherwise each last a tick.
RealClock::RealClock() : originNs_(monotonicNs()) { timeBeginPeriod(1); }

RealClock::~RealClock() { timeEndPeriod(1); }

uint32_t RealClock::nowMs()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(monotonicNs() - originNs_) / 1'000'000u);
}

void RealClock::delay(uint32_t ms)
{
    // Sleep may end a little before the counter has moved on by `ms`: sleep again for the rest.
    const int64_t deadline = monotonicNs() + static_cast<int64_t>(ms) * 1'000'000;
    for (int64_t left = deadline - monotonicNs(); left > 0; left = deadline - monotonicNs())
        Sleep(static_cast<DWORD>((left + 999'999) / 1'000'000));
}

}  // namespace velmar::platform
