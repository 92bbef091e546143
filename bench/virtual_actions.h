#pragma once

// The user actions of bench_actions run in virtual time against the in-process simulated unit,
// through the same code velmarctl runs: what the model of line, unit and adapter predicts for
// each, and its floor.
#include <cstdint>
#include <string>

#include "counting_port.h"
#include "platform/virtual_clock.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"

namespace velmar::bench {

struct ModelRun {
    bool ok = false;
    double seconds = 0;           // start to end, in virtual time
    double wireSeconds = 0;       // line time of every byte that crossed the host's port
    double unitSeconds = 0;       // the unit's settings EEPROM writes
    double waitSeconds = 0;       // the waits the protocol prescribes
    uint64_t timerHandOvers = 0;  // replies the adapter held until its latency timer ran out
    size_t bytesWritten = 0;      // settings bytes a restore wrote
    double floorSeconds() const { return wireSeconds + unitSeconds + waitSeconds; }
};

// One simulated unit that keeps its memories from one action to the next, as unit_simulator
// does; each action runs on a fresh link, as each velmarctl run has its own.
class VirtualUnit {
public:
    VirtualUnit(sim::UnitConfig config, uint32_t adapterLatencyMs);
    sim::SimulatedUnit& unit() { return unit_; }

    ModelRun backup(const std::string& path);
    ModelRun restore(const std::string& path, bool everyByte);
    ModelRun verify();
    ModelRun upgrade();

private:
    template <typename Action>
    ModelRun run(const Action& action);

    platform::VirtualClock clock_;
    sim::SimulatedUnit unit_;
    sim::SimulatedSerialPort port_;
    CountingPort counting_;
    CountingClock countingClock_;
};

}  // namespace velmar::bench
