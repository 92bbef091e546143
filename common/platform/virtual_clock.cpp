#include "platform/virtual_clock.h"

#include <algorithm>

namespace velmar::platform {

VirtualClock::VirtualClock(uint32_t startMs) : startNs_(static_cast<uint64_t>(startMs) * 1'000'000u), nowNs_(startNs_)
{
}

uint32_t VirtualClock::nowMs() { return static_cast<uint32_t>(nowNs_ / 1'000'000u); }

void VirtualClock::delay(uint32_t ms) { runUntil(nowNs_ + static_cast<uint64_t>(ms) * 1'000'000u); }

void VirtualClock::attach(Participant* p)
{
    if (std::find(participants_.begin(), participants_.end(), p) == participants_.end())
        participants_.push_back(p);
}

void VirtualClock::detach(Participant* p)
{
    participants_.erase(std::remove(participants_.begin(), participants_.end(), p), participants_.end());
}

void VirtualClock::advanceAll()
{
    // A participant may attach or detach others while advancing; iterate over a copy.
    const auto copy = participants_;
    for (Participant* p : copy)
        p->advanceTo(nowNs_);
}

bool VirtualClock::step(uint64_t deadlineNs)
{
    std::optional<uint64_t> next;
    for (const Participant* p : participants_) {
        if (auto t = p->nextEventNs(); t && (!next || *t < *next))
            next = t;
    }
    if (next && *next <= deadlineNs) {
        nowNs_ = std::max(nowNs_, *next);
        advanceAll();
        return true;
    }
    nowNs_ = std::max(nowNs_, deadlineNs);
    advanceAll();
    return false;
}

void VirtualClock::runUntil(uint64_t deadlineNs, const std::function<bool()>& done)
{
    while (nowNs_ < deadlineNs) {
        const bool event = step(deadlineNs);
        if (event && done && done())
            return;
    }
}

}  // namespace velmar::platform
