#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "simulator/simulated_unit.h"

namespace velmar::sim {

// The cable between a host port and a SimulatedUnit, in time: every byte costs its wire time
// (10 bits) at the rate it was sent with, and a byte arrives only when sender and receiver use
// the same rate; otherwise it is lost. Time is given from outside: the virtual clock in tests,
// the monotonic clock in unit_simulator.
//
// The cable may run through a USB serial adapter (a latency above 0). The adapter sends what the
// host wrote in 1 ms USB frames: a byte goes on the line at the first frame boundary after it was
// written. It holds what the unit sends until kAdapterPacketBytes are waiting, or until its
// latency timer runs out; the timer restarts at every hand-over, including those the timer makes
// with nothing waiting, so it ticks every `latency` after the last hand-over.
class UnitWire {
public:
    // Delivers a byte that reached the host at the given time.
    using HostSink = std::function<void(uint8_t byte, uint64_t atNs)>;
    // Notified of every byte on the wire (for traces); `toUnit` gives the direction.
    using Observer = std::function<void(bool toUnit, uint8_t byte, bool delivered, uint64_t atNs)>;

    static constexpr size_t kAdapterPacketBytes = 62;
    static constexpr uint64_t kUsbFrameNs = 1'000'000;

    // A latency of 0 is a direct line.
    explicit UnitWire(SimulatedUnit& unit, uint32_t adapterLatencyMs = 0)
        : unit_(unit), adapterLatencyNs_(uint64_t{adapterLatencyMs} * 1'000'000u)
    {
    }

    static uint64_t byteTimeNs(uint32_t rate) { return rate ? 10'000'000'000ull / rate : 0; }

    // The host writes bytes at `rate` (queued behind what is still being sent).
    void hostWrite(const uint8_t* data, size_t n, uint32_t rate, uint64_t nowNs);
    // The host purged its output: bytes not yet started are dropped.
    void purgeHostOutput(uint64_t nowNs);
    // Time when the host's output will all have been sent.
    uint64_t hostOutputDoneNs() const { return inFreeNs_; }

    std::optional<uint64_t> nextEventNs() const;
    // Processes every arrival up to `nowNs`. `hostRate` is the host port's current rate
    // (0: the host port is closed and receives nothing). With `inputsAhead`, the unit also takes
    // in bytes already on their way to it whose time has not come, at their own (virtual) times:
    // nothing the host does later can arrive before them, and only bytes to the host must wait
    // for the real time. A real-time harness then wakes once per reply instead of once per byte;
    // through an adapter, once per hand-over (bytes reach the adapter ahead of time too).
    void advanceTo(uint64_t nowNs, uint32_t hostRate, const HostSink& sink, bool inputsAhead = false);

    void setObserver(Observer observer) { observer_ = std::move(observer); }
    // Hand-overs the adapter's latency timer made with bytes waiting: replies that waited for it.
    uint64_t timerHandOvers() const { return timerHandOvers_; }
    SimulatedUnit& unit() { return unit_; }

private:
    struct InFlight {
        uint8_t byte;
        uint32_t rate;
        uint64_t startNs;
        uint64_t arriveNs;
    };
    void tryStartOutput(uint64_t nowNs);
    // The adapter's next hand-over of what it holds: the first tick of its timer after the oldest
    // byte arrived, or the arrival of the packet's last byte if that comes first (none while it
    // holds nothing).
    uint64_t adapterHandOverNs() const;
    void handOver(uint64_t atNs, uint32_t hostRate, const HostSink& sink);

    struct Held {
        uint8_t byte;
        uint64_t arrivedNs;
    };
    SimulatedUnit& unit_;
    uint64_t adapterLatencyNs_;
    std::deque<Held> adapterHeld_;  // from the unit, waiting in the adapter
    uint64_t lastHandOverNs_ = 0;
    uint64_t timerHandOvers_ = 0;
    std::deque<InFlight> toUnit_;
    uint64_t inFreeNs_ = 0;
    std::optional<InFlight> toHost_;
    uint64_t cursorNs_ = 0;
    Observer observer_;
};

}  // namespace velmar::sim
