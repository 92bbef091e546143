#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/trace.h"
#include "simulator/simulated_unit.h"
#include "simulator/unit_wire.h"

namespace velmar::sim {

// Serves a SimulatedUnit on a pseudo-terminal in real time. The host's rate is read from the
// terminal's settings every time bytes cross, so a host at the wrong rate loses its bytes just
// as on a cable. Waits in ppoll between events; never spins.
class PtyServer {
public:
    struct Options {
        std::string linkPath;           // symlink to the terminal ("" for none)
        std::ostream* trace = nullptr;  // protocol trace (unit's view), or null
        uint32_t adapterLatencyMs = 0;  // a USB serial adapter on the line (0: a direct line)
    };

    PtyServer(SimulatedUnit& unit, Options options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal and makes the link. False with a reason on failure.
    bool start(std::string& error);
    const std::string& terminalPath() const { return slavePath_; }

    // Serves until `stopFd` becomes readable (a signalfd, pipe or eventfd).
    void run(int stopFd);

private:
    uint64_t now() const;
    uint32_t hostRate() const;
    void flushOutput();
    void flushTrace();
    void traceByte(bool toUnit, uint8_t byte, bool delivered);

    SimulatedUnit& unit_;
    Options options_;
    UnitWire wire_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the terminal keeps its settings and never hangs up
    std::string slavePath_;
    bool linked_ = false;
    int64_t originNs_;
    std::vector<uint8_t> pendingOut_;
    platform::RealClock traceClock_;
    std::unique_ptr<platform::TraceLog> traceLog_;
    // Trace batching: consecutive bytes in one direction are written as one entry.
    std::vector<uint8_t> traceBytes_;
    int traceDirection_ = -1;
};

}  // namespace velmar::sim
