#pragma once

// A serial port and a clock that count what passes through them, for the benches' floors.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace velmar::bench {

// Counts the bytes that cross the port and their line time at the port's current rate.
class CountingPort final : public platform::SerialPort {
public:
    explicit CountingPort(platform::SerialPort& inner) : inner_(inner) {}
    bool open(const std::string& name) override { return inner_.open(name); }
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override { inner_.close(); }
    bool getRate(uint32_t& bps) override { return inner_.getRate(bps); }
    bool setRate(uint32_t bps) override
    {
        const bool ok = inner_.setRate(bps);
        if (ok)
            rate_ = bps;
        return ok;
    }
    bool getTimeouts(platform::Timeouts& t) override { return inner_.getTimeouts(t); }
    bool setTimeouts(platform::Timeouts t) override { return inner_.setTimeouts(t); }
    bool purge() override { return inner_.purge(); }
    int read(uint8_t* b, size_t n) override { return counted(inner_.read(b, n)); }
    int waitForInput(uint32_t ms) override { return inner_.waitForInput(ms); }
    int write(const uint8_t* d, size_t n) override
    {
        ++writes;
        return counted(inner_.write(d, n));
    }
    bool flush() override { return inner_.flush(); }

    uint64_t bytes = 0;
    uint64_t writes = 0;
    double wireSeconds = 0;

private:
    int counted(int r)
    {
        if (r > 0) {
            bytes += static_cast<uint64_t>(r);
            wireSeconds += r * 10.0 / rate_;
        }
        return r;
    }
    platform::SerialPort& inner_;
    uint32_t rate_ = 19200;
};

// Sums the waits the protocol prescribes (the Clock's delays) as they took, in nanoseconds
// read from `nowNs` (the clock's own milliseconds are too coarse for a sum of many waits).
class CountingClock final : public platform::Clock {
public:
    CountingClock(platform::Clock& inner, std::function<int64_t()> nowNs) : inner_(inner), nowNs_(std::move(nowNs)) {}
    uint32_t nowMs() override { return inner_.nowMs(); }
    void delay(uint32_t ms) override
    {
        const int64_t start = nowNs_();
        inner_.delay(ms);
        waitSeconds += static_cast<double>(nowNs_() - start) / 1e9;
    }
    double waitSeconds = 0;

private:
    platform::Clock& inner_;
    std::function<int64_t()> nowNs_;
};

}  // namespace velmar::bench
