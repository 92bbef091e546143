#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "platform/virtual_clock.h"
#include "platform/virtual_receiver.h"
#include "simulator/simulated_unit.h"
#include "simulator/unit_wire.h"

namespace velmar::sim {

// The host's serial port in virtual time: one SerialPort object, as UnitLink owns one, that can
// open any of the ports added to it. A port may have a SimulatedUnit attached (through a
// UnitWire) or nothing. Reads and delays advance the VirtualClock to the next arrival.
class SimulatedSerialPort final : public platform::SerialPort, public platform::VirtualClock::Participant {
public:
    explicit SimulatedSerialPort(platform::VirtualClock& clock);
    ~SimulatedSerialPort() override;
    SimulatedSerialPort(const SimulatedSerialPort&) = delete;
    SimulatedSerialPort& operator=(const SimulatedSerialPort&) = delete;

    // A port that exists; `unit` may be null (nothing connected). The unit must outlive the port.
    // With an adapter latency the unit is reached through a USB serial adapter (see UnitWire).
    void addPort(const std::string& name, SimulatedUnit* unit = nullptr, uint32_t adapterLatencyMs = 0);
    // The device vanishes: an open handle fails from now on and the name no longer opens.
    void unplug(const std::string& name);
    // Names that fail to open with "access refused" (to test the EACCES path's callers).
    void refuseAccess(const std::string& name);

    // SerialPort
    bool open(const std::string& name) override;
    bool isOpen() const override { return open_ >= 0; }
    void close() override;
    bool getRate(uint32_t& bps) override;
    bool setRate(uint32_t bps) override;
    bool getTimeouts(platform::Timeouts& current) override;
    bool setTimeouts(platform::Timeouts set) override;
    bool purge() override;
    int read(uint8_t* buffer, size_t n) override;
    int waitForInput(uint32_t limitMs) override;
    int write(const uint8_t* data, size_t n) override;
    bool flush() override;
    std::string lastError() const override { return lastError_; }

    // Participant
    std::optional<uint64_t> nextEventNs() const override;
    void advanceTo(uint64_t nowNs) override;

    // Observation
    const std::string& written() const { return written_; }  // every byte the host wrote
    int openCount() const { return openCount_; }
    const std::string& openName() const;
    uint32_t hostRate() const { return rate_; }
    // Replies the USB serial adapters of all lines held until their latency timer ran out.
    uint64_t adapterTimerHandOvers() const;

    static constexpr size_t kInputBufferSize = 4096;

private:
    struct Line {
        std::string name;
        SimulatedUnit* unit;
        std::unique_ptr<UnitWire> wire;
        bool present = true;
        bool refused = false;
    };
    bool healthy() const;

    platform::VirtualClock& clock_;
    std::vector<Line> lines_;
    int open_ = -1;
    uint32_t rate_ = 9600;  // a fresh port's rate before SetCommState
    platform::Timeouts timeouts_ = platform::Timeouts::Normal;
    platform::VirtualReceiver rx_;
    std::string written_;
    std::string lastError_;
    int openCount_ = 0;
};

}  // namespace velmar::sim
