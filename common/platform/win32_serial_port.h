#pragma once

#include <functional>
#include <set>
#include <string>

#include "platform/port_names.h"
#include "platform/serial_port.h"

namespace velmar::platform {

// SerialPort over the Win32 communications API: "\\.\COMn" opened without sharing (a port is
// exclusive by nature), 8N1 without XON/XOFF through the DCB, and the read deadlines as
// COMMTIMEOUTS, so the driver itself waits: nothing spins. Our programs also mark a port they
// hold with a named object that the next one finds, for drivers that let a second program in
// (Wine's, over a Linux terminal) where the two would garble each other's transfers. Windows offers no call for the
// low-latency mode of USB adapters; their latency timer is a setting of the adapter's driver.
class Win32SerialPort final : public SerialPort {
public:
    using Logger = std::function<void(const std::string&)>;

    // Why a port could not be opened goes to the logger (stderr by default), each reason once
    // until a port opens: a scan tries every port at several rates.
    explicit Win32SerialPort(PortNames names = {}, Logger logger = {});
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    bool open(const std::string& name) override;
    bool isOpen() const override { return handle_ != nullptr; }
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

    // The device opened ("\\.\COM3"; "" when closed).
    const std::string& devicePath() const { return path_; }
    void setNames(PortNames names) { names_ = std::move(names); }

    static bool supportedRate(uint32_t bitsPerSecond);

private:
    // The driver's time-out set: one of the two the link chooses, or the one a wait uses.
    enum class Applied { Normal, Streaming, Wait };
    bool apply(Applied set, uint32_t waitMs = 0);
    void fail(std::string text, bool log);

    PortNames names_;
    Logger logger_;
    void* handle_ = nullptr;
    void* inUse_ = nullptr;
    std::string path_;
    Timeouts timeouts_ = Timeouts::Normal;
    Applied applied_ = Applied::Normal;
    // A byte that a wait for input took from the driver, handed out by the next read.
    int pending_ = -1;
    std::string lastError_;
    std::set<std::string> logged_;
};

}  // namespace velmar::platform
