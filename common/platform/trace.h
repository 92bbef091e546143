#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace velmar::platform {

// The protocol trace of design.md section 9: every byte sent and received with a millisecond
// timestamp, in hex and ASCII, plus notes naming the operation the bytes belong to.
//   [    1234 ms] >  3F 0A                                            ?.
//   [    1240 ms] <  51 52 58 20 33 30 ...                           QRX 30 ...
class TraceLog {
public:
    TraceLog(std::ostream& out, Clock& clock) : out_(out), clock_(clock), originMs_(clock.nowMs()) {}

    enum class Direction { Sent, Received };
    void bytes(Direction dir, const uint8_t* data, size_t n);
    void note(std::string_view text);

    // One line of hex and ASCII for up to 16 bytes (exposed for tests).
    static std::string formatBytes(const uint8_t* data, size_t n);

private:
    std::string stamp();

    std::ostream& out_;
    Clock& clock_;
    uint32_t originMs_;
};

// Decorates any SerialPort so that everything passing through it is traced.
class TracingSerialPort final : public SerialPort {
public:
    TracingSerialPort(SerialPort& inner, TraceLog& log) : inner_(inner), log_(log) {}

    bool open(const std::string& name) override;
    bool isOpen() const override { return inner_.isOpen(); }
    void close() override;
    bool getRate(uint32_t& bps) override { return inner_.getRate(bps); }
    bool setRate(uint32_t bps) override;
    bool getTimeouts(Timeouts& current) override { return inner_.getTimeouts(current); }
    bool setTimeouts(Timeouts set) override;
    bool purge() override;
    int read(uint8_t* buffer, size_t n) override;
    int waitForInput(uint32_t limitMs) override { return inner_.waitForInput(limitMs); }
    int write(const uint8_t* data, size_t n) override;
    bool flush() override { return inner_.flush(); }
    std::string lastError() const override { return inner_.lastError(); }

private:
    SerialPort& inner_;
    TraceLog& log_;
};

}  // namespace velmar::platform
