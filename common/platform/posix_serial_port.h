#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/port_names.h"
#include "platform/serial_port.h"

namespace velmar::platform {

// SerialPort over termios and poll. Opens O_NOCTTY|O_NONBLOCK, exclusive (TIOCEXCL and flock),
// raw 8N1 without XON/XOFF, low-latency mode where the driver offers it. Every wait blocks in
// ppoll until a byte or the deadline; nothing spins.
class PosixSerialPort final : public SerialPort {
public:
    using Logger = std::function<void(const std::string&)>;

    // Why a port could not be opened goes to the logger (stderr by default), each reason once
    // until a port opens: a scan tries every port at several rates.
    explicit PosixSerialPort(PortNames names = {}, Logger logger = {});
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool open(const std::string& name) override;
    bool isOpen() const override { return fd_ >= 0; }
    void close() override;
    bool getRate(uint32_t& bitsPerSecond) override;
    bool setRate(uint32_t bitsPerSecond) override;
    bool getTimeouts(Timeouts& current) override;
    bool setTimeouts(Timeouts set) override;
    bool purge() override;
    int read(uint8_t* buffer, size_t n) override;
    int waitForInput(uint32_t limitMs) override;
    int write(const uint8_t* data, size_t n) override;
    bool flush() override;
    std::string lastError() const override { return lastError_; }

    // Path of the open device ("" when closed).
    const std::string& devicePath() const { return path_; }
    void setNames(PortNames names) { names_ = std::move(names); }

    // Rates the port accepts (every rate of BaudTable among them).
    static bool supportedRate(uint32_t bitsPerSecond);

private:
    void fail(std::string text, bool log);

    PortNames names_;
    Logger logger_;
    int fd_ = -1;
    std::string path_;
    Timeouts timeouts_ = Timeouts::Normal;
    std::string lastError_;
    std::set<std::string> logged_;
};

}  // namespace velmar::platform
