#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace velmar::platform {

int64_t monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

std::tm localTimeNow()
{
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

RealClock::RealClock() : originNs_(monotonicNs()) {}

RealClock::~RealClock() = default;

uint32_t RealClock::nowMs()
{
    return static_cast<uint32_t>(static_cast<uint64_t>(monotonicNs() - originNs_) / 1'000'000u);
}

void RealClock::delay(uint32_t ms)
{
    // Absolute deadline so that signals (EINTR) do not stretch or shorten the wait.
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const int64_t ns = static_cast<int64_t>(deadline.tv_nsec) + static_cast<int64_t>(ms % 1000) * 1'000'000;
    deadline.tv_sec += static_cast<time_t>(ms / 1000) + static_cast<time_t>(ns / 1'000'000'000);
    deadline.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace velmar::platform
