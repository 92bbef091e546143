#include "platform/virtual_receiver.h"

#include <algorithm>

namespace velmar::platform {

namespace {
constexpr uint64_t kNsPerMs = 1'000'000u;
constexpr uint64_t kIntervalNs = kNsPerMs;  // between two bytes of a normal read
}  // namespace

void VirtualReceiver::arrive(uint8_t byte, uint64_t atNs, size_t capacity)
{
    if (buffer_.size() < capacity)
        buffer_.push_back(byte);
    lastArrivalNs_ = atNs;
}

size_t VirtualReceiver::take(uint8_t* buffer, size_t got, size_t n)
{
    while (got < n && !buffer_.empty()) {
        buffer[got++] = buffer_.front();
        buffer_.pop_front();
    }
    return got;
}

int VirtualReceiver::read(uint8_t* buffer, size_t n, Timeouts timeouts)
{
    if (!healthy_())
        return -1;
    size_t got = take(buffer, 0, n);
    if (timeouts == Timeouts::Streaming || got == n)
        return static_cast<int>(got);
    const uint64_t total = clock_.nowNs() + (5 + static_cast<uint64_t>(n)) * kNsPerMs;
    for (;;) {
        if (!healthy_())
            return got ? static_cast<int>(got) : -1;
        uint64_t deadline = total;
        if (got > 0)
            deadline = std::min(deadline, lastArrivalNs_ + kIntervalNs);
        if (clock_.nowNs() >= deadline)
            return static_cast<int>(got);
        clock_.step(deadline);
        got = take(buffer, got, n);
        if (got == n)
            return static_cast<int>(got);
    }
}

int VirtualReceiver::waitForInput(uint32_t limitMs)
{
    const uint64_t deadline = clock_.nowNs() + static_cast<uint64_t>(limitMs) * kNsPerMs;
    for (;;) {
        if (!healthy_())
            return -1;
        if (!buffer_.empty())
            return 1;
        if (clock_.nowNs() >= deadline)
            return 0;
        clock_.step(deadline);
    }
}

}  // namespace velmar::platform
