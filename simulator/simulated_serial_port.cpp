#include "simulator/simulated_serial_port.h"

#include <algorithm>

namespace velmar::sim {

SimulatedSerialPort::SimulatedSerialPort(platform::VirtualClock& clock)
    : clock_(clock), rx_(clock, [this] { return healthy(); })
{
    clock_.attach(this);
}

SimulatedSerialPort::~SimulatedSerialPort() { clock_.detach(this); }

void SimulatedSerialPort::addPort(const std::string& name, SimulatedUnit* unit, uint32_t adapterLatencyMs)
{
    Line line{name, unit, unit ? std::make_unique<UnitWire>(*unit, adapterLatencyMs) : nullptr};
    lines_.push_back(std::move(line));
}

void SimulatedSerialPort::unplug(const std::string& name)
{
    for (auto& l : lines_) {
        if (l.name == name)
            l.present = false;
    }
}

void SimulatedSerialPort::refuseAccess(const std::string& name)
{
    for (auto& l : lines_) {
        if (l.name == name)
            l.refused = true;
    }
}

const std::string& SimulatedSerialPort::openName() const
{
    static const std::string none;
    return open_ >= 0 ? lines_[static_cast<size_t>(open_)].name : none;
}

bool SimulatedSerialPort::healthy() const { return open_ >= 0 && lines_[static_cast<size_t>(open_)].present; }

bool SimulatedSerialPort::open(const std::string& name)
{
    close();
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.name != name || !l.present)
            continue;
        if (l.refused) {
            lastError_ = name + ": Permission denied";
            return false;
        }
        open_ = static_cast<int>(i);
        timeouts_ = platform::Timeouts::Normal;
        rx_.clear();
        ++openCount_;
        return true;
    }
    lastError_ = name + ": no such port";
    return false;
}

void SimulatedSerialPort::close()
{
    open_ = -1;
    rx_.clear();
}

bool SimulatedSerialPort::getRate(uint32_t& bps)
{
    if (!healthy())
        return false;
    bps = rate_;
    return true;
}

bool SimulatedSerialPort::setRate(uint32_t bps)
{
    constexpr uint32_t kRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (!healthy() || std::find(std::begin(kRates), std::end(kRates), bps) == std::end(kRates))
        return false;
    rate_ = bps;
    return true;
}

bool SimulatedSerialPort::getTimeouts(platform::Timeouts& current)
{
    if (!healthy())
        return false;
    current = timeouts_;
    return true;
}

bool SimulatedSerialPort::setTimeouts(platform::Timeouts set)
{
    if (!healthy())
        return false;
    timeouts_ = set;
    return true;
}

bool SimulatedSerialPort::purge()
{
    if (!healthy())
        return false;
    rx_.clear();
    if (auto& wire = lines_[static_cast<size_t>(open_)].wire)
        wire->purgeHostOutput(clock_.nowNs());
    return true;
}

int SimulatedSerialPort::read(uint8_t* buffer, size_t n) { return rx_.read(buffer, n, timeouts_); }

int SimulatedSerialPort::waitForInput(uint32_t limitMs) { return rx_.waitForInput(limitMs); }

int SimulatedSerialPort::write(const uint8_t* data, size_t n)
{
    if (!healthy())
        return -1;
    written_.append(reinterpret_cast<const char*>(data), n);
    if (auto& wire = lines_[static_cast<size_t>(open_)].wire)
        wire->hostWrite(data, n, rate_, clock_.nowNs());
    return static_cast<int>(n);
}

bool SimulatedSerialPort::flush()
{
    if (!healthy())
        return false;
    if (auto& wire = lines_[static_cast<size_t>(open_)].wire) {
        const uint64_t done = wire->hostOutputDoneNs();
        if (done > clock_.nowNs())
            clock_.runUntil(done);
    }
    return true;
}

uint64_t SimulatedSerialPort::adapterTimerHandOvers() const
{
    uint64_t n = 0;
    for (const auto& l : lines_)
        n += l.wire ? l.wire->timerHandOvers() : 0;
    return n;
}

std::optional<uint64_t> SimulatedSerialPort::nextEventNs() const
{
    std::optional<uint64_t> next;
    for (const auto& l : lines_) {
        if (!l.wire)
            continue;
        if (auto t = l.wire->nextEventNs(); t && (!next || *t < *next))
            next = t;
    }
    return next;
}

void SimulatedSerialPort::advanceTo(uint64_t nowNs)
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        Line& l = lines_[i];
        if (!l.wire)
            continue;
        const bool isOpen = static_cast<int>(i) == open_ && l.present;
        l.wire->advanceTo(nowNs, isOpen ? rate_ : 0,
                          [this](uint8_t byte, uint64_t atNs) { rx_.arrive(byte, atNs, kInputBufferSize); });
    }
}

}  // namespace velmar::sim
