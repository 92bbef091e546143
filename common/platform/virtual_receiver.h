#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

#include "platform/serial_port.h"
#include "platform/virtual_clock.h"

namespace velmar::platform {

// The receiving side of a serial port whose bytes arrive in virtual time: its buffer and the
// read and wait rules every SerialPort keeps (a normal read of n bytes waits up to 5 + n ms in
// all and 1 ms after a byte; a streaming read returns at once). Waiting steps the clock, so the
// bytes due meanwhile arrive. A port that fails while waiting (healthy() turns false) ends the
// wait with what came, or -1 when nothing did.
class VirtualReceiver {
public:
    using Healthy = std::function<bool()>;

    VirtualReceiver(VirtualClock& clock, Healthy healthy) : clock_(clock), healthy_(std::move(healthy)) {}

    // A byte reached the port at atNs; beyond `capacity` buffered bytes it is lost.
    void arrive(uint8_t byte, uint64_t atNs, size_t capacity = SIZE_MAX);
    void clear() { buffer_.clear(); }

    int read(uint8_t* buffer, size_t n, Timeouts timeouts);
    int waitForInput(uint32_t limitMs);

private:
    size_t take(uint8_t* buffer, size_t got, size_t n);

    VirtualClock& clock_;
    Healthy healthy_;
    std::deque<uint8_t> buffer_;
    uint64_t lastArrivalNs_ = 0;
};

}  // namespace velmar::platform
