#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/clock.h"

namespace velmar::platform {

// A small discrete-event simulation of time. Nothing happens between events: a wait advances
// the clock straight to the next event a participant has scheduled, or to its own deadline,
// whichever is first. A 72-second port scan therefore runs in milliseconds of real time.
class VirtualClock final : public Clock {
public:
    // Something that has events at known times (a simulated serial line, a unit's timer).
    class Participant {
    public:
        virtual ~Participant() = default;
        // Time of the participant's next event, if any. Must be >= the time last advanced to,
        // and must move forward once advanceTo() has passed it (no event may repeat forever).
        virtual std::optional<uint64_t> nextEventNs() const = 0;
        // Process every event up to and including `nowNs`.
        virtual void advanceTo(uint64_t nowNs) = 0;
    };

    // startMs lets tests start just below the 32-bit wrap of nowMs().
    explicit VirtualClock(uint32_t startMs = 0);

    uint32_t nowMs() override;
    void delay(uint32_t ms) override;

    uint64_t nowNs() const { return nowNs_; }
    // Virtual time elapsed since construction.
    uint64_t elapsedNs() const { return nowNs_ - startNs_; }
    double elapsedMs() const { return static_cast<double>(elapsedNs()) / 1e6; }

    void attach(Participant* p);
    void detach(Participant* p);

    // Advances to the earliest event no later than deadlineNs and processes it (true), or, when
    // there is none, to deadlineNs (false). Never goes backwards.
    bool step(uint64_t deadlineNs);
    // Steps until done() holds after an event, or the deadline is reached.
    void runUntil(uint64_t deadlineNs, const std::function<bool()>& done = {});

private:
    void advanceAll();

    uint64_t startNs_;
    uint64_t nowNs_;
    std::vector<Participant*> participants_;
};

}  // namespace velmar::platform
