#include "simulator/unit_wire.h"

#include <algorithm>
#include <limits>

namespace velmar::sim {

namespace {
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();
}

void UnitWire::hostWrite(const uint8_t* data, size_t n, uint32_t rate, uint64_t nowNs)
{
    if (adapterLatencyNs_ > 0)
        nowNs = (nowNs / kUsbFrameNs + 1) * kUsbFrameNs;
    for (size_t i = 0; i < n; ++i) {
        const uint64_t start = std::max(nowNs, inFreeNs_);
        const uint64_t arrive = start + byteTimeNs(rate);
        toUnit_.push_back(InFlight{data[i], rate, start, arrive});
        inFreeNs_ = arrive;
    }
}

void UnitWire::purgeHostOutput(uint64_t nowNs)
{
    while (!toUnit_.empty() && toUnit_.back().startNs > nowNs)
        toUnit_.pop_back();
    inFreeNs_ = toUnit_.empty() ? nowNs : std::max(nowNs, toUnit_.back().arriveNs);
}

uint64_t UnitWire::adapterHandOverNs() const
{
    if (adapterHeld_.empty())
        return kNever;
    const uint64_t since = adapterHeld_.front().arrivedNs - lastHandOverNs_;
    const uint64_t ticks = std::max<uint64_t>(1, (since + adapterLatencyNs_ - 1) / adapterLatencyNs_);
    const uint64_t tick = lastHandOverNs_ + ticks * adapterLatencyNs_;
    if (adapterHeld_.size() >= kAdapterPacketBytes)
        return std::min(tick, adapterHeld_[kAdapterPacketBytes - 1].arrivedNs);
    return tick;
}

void UnitWire::handOver(uint64_t atNs, uint32_t hostRate, const HostSink& sink)
{
    if (adapterHeld_.size() < kAdapterPacketBytes)
        ++timerHandOvers_;
    for (size_t i = 0; i < kAdapterPacketBytes && !adapterHeld_.empty(); ++i) {
        if (hostRate != 0)
            sink(adapterHeld_.front().byte, atNs);
        adapterHeld_.pop_front();
    }
    lastHandOverNs_ = atNs;
}

std::optional<uint64_t> UnitWire::nextEventNs() const
{
    uint64_t next = adapterHandOverNs();
    if (!toUnit_.empty())
        next = toUnit_.front().arriveNs;
    if (toHost_)
        next = std::min(next, toHost_->arriveNs);
    else if (unit_.hasOutput())
        next = std::min(next, std::max(unit_.peekOutput().notBeforeNs, cursorNs_));
    if (next == kNever)
        return std::nullopt;
    return next;
}

void UnitWire::tryStartOutput(uint64_t nowNs)
{
    if (toHost_)
        return;
    unit_.refill(nowNs);
    if (!unit_.hasOutput() || unit_.peekOutput().notBeforeNs > nowNs)
        return;
    const auto out = unit_.peekOutput();
    unit_.popOutput();
    toHost_ = InFlight{out.byte, out.rate, nowNs, nowNs + byteTimeNs(out.rate)};
}

void UnitWire::advanceTo(uint64_t nowNs, uint32_t hostRate, const HostSink& sink, bool inputsAhead)
{
    for (;;) {
        tryStartOutput(cursorNs_);
        const uint64_t tIn = toUnit_.empty() ? kNever : toUnit_.front().arriveNs;
        const uint64_t tOut = toHost_ ? toHost_->arriveNs : kNever;
        const uint64_t tWake = (!toHost_ && unit_.hasOutput()) ? std::max(unit_.peekOutput().notBeforeNs, cursorNs_)
                                                               : kNever;
        const uint64_t tHandOver = adapterHandOverNs();
        const uint64_t next = std::min({tIn, tOut, tWake, tHandOver});
        // What reaches the host waits for its time; the rest may be taken ahead of it.
        const bool toHost = next == tHandOver || (next == tOut && adapterLatencyNs_ == 0);
        if (next == kNever || (next > nowNs && (!inputsAhead || toHost)))
            break;
        cursorNs_ = std::max(cursorNs_, next);
        if (next == tHandOver) {
            handOver(next, hostRate, sink);
        } else if (next == tOut) {
            const InFlight b = *toHost_;
            toHost_.reset();
            const bool delivered = hostRate != 0 && hostRate == b.rate;
            if (delivered && adapterLatencyNs_ == 0) {
                sink(b.byte, cursorNs_);
            } else if (delivered) {
                adapterHeld_.push_back(Held{b.byte, cursorNs_});
            }
            if (observer_)
                observer_(false, b.byte, delivered, cursorNs_);
        } else if (next == tIn) {
            const InFlight b = toUnit_.front();
            toUnit_.pop_front();
            const bool delivered = b.rate == unit_.lineRate();
            if (delivered)
                unit_.receive(b.byte, cursorNs_);
            else
                unit_.countLost();
            if (observer_)
                observer_(true, b.byte, delivered, cursorNs_);
        }
        // tWake: the loop starts the output at cursorNs_.
    }
    cursorNs_ = std::max(cursorNs_, nowNs);
    tryStartOutput(cursorNs_);
}

}  // namespace velmar::sim
