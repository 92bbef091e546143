#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmar::platform {

// The two time-out sets the unit link switches between.
//  Normal:    a read of n bytes returns when n bytes arrived, when 1 ms passes between two bytes,
//             or after 5 + n ms in all; a write may take 5 + n ms.
//  Streaming: a read returns at once with what is buffered (possibly nothing).
enum class Timeouts { Normal, Streaming };

// The serial port behaviour that the unit link relies on, as a small seam. Frame format is
// always 8N1 without XON/XOFF; the other line settings are left as the driver reports them.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens a port by name ("COM3", or a device path); exclusive. False when it does not exist
    // or cannot be opened; lastError() then says why (for the log, not for the user).
    virtual bool open(const std::string& name) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;

    // GetCommState: the current rate in bit/s; false when the port is gone.
    virtual bool getRate(uint32_t& bitsPerSecond) = 0;
    // SetCommState: rate, 8N1, no XON/XOFF. False for a rate the port cannot take or a lost port.
    virtual bool setRate(uint32_t bitsPerSecond) = 0;
    // GetCommTimeouts / SetCommTimeouts.
    virtual bool getTimeouts(Timeouts& current) = 0;
    virtual bool setTimeouts(Timeouts set) = 0;
    // PurgeComm (transmit and receive clear).
    virtual bool purge() = 0;
    // ReadFile: bytes read (0 when nothing arrived in time), or -1 when the port failed.
    virtual int read(uint8_t* buffer, size_t n) = 0;
    // Blocks until input is buffered (1), `limitMs` passed (0) or the port failed (-1). With the
    // streaming set a read never waits, so the link waits here instead of polling in a loop.
    virtual int waitForInput(uint32_t limitMs) = 0;
    // WriteFile: bytes written, or -1 when the port failed.
    virtual int write(const uint8_t* data, size_t n) = 0;
    // FlushFileBuffers: waits until the output has been sent.
    virtual bool flush() = 0;

    virtual std::string lastError() const { return {}; }
};

}  // namespace velmar::platform
