#pragma once

// A serial port whose far end is a script: for every write, a responder returns the bytes that
// come back (after a fixed delay, in virtual time). Used where the edge case needs a reply that
// no sensible unit gives ("a CR only after the third write").
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/serial_port.h"
#include "platform/virtual_clock.h"
#include "platform/virtual_receiver.h"

namespace velmar::test {

class ScriptedPort final : public platform::SerialPort, public platform::VirtualClock::Participant {
public:
    using Responder = std::function<std::string(const std::string& written, int writeIndex)>;

    ScriptedPort(platform::VirtualClock& clock, Responder responder, uint64_t delayNs = 1'000'000)
        : clock_(clock), responder_(std::move(responder)), delayNs_(delayNs), rx_(clock, [this] { return ok(); })
    {
        clock_.attach(this);
    }
    ~ScriptedPort() override { clock_.detach(this); }

    bool open(const std::string& name) override
    {
        if (!present)
            return false;
        opened_ = true;
        ++opens;
        openNames.push_back(name);
        return true;
    }
    bool isOpen() const override { return opened_; }
    void close() override
    {
        opened_ = false;
        pending_.clear();
    }
    bool getRate(uint32_t& bps) override { return ok() && (bps = rate, true); }
    bool setRate(uint32_t bps) override { return ok() && (rate = bps, true); }
    bool getTimeouts(platform::Timeouts& t) override { return ok() && (t = timeouts, true); }
    bool setTimeouts(platform::Timeouts t) override { return ok() && (timeouts = t, true); }
    bool purge() override
    {
        if (!ok())
            return false;
        rx_.clear();
        return true;
    }
    int write(const uint8_t* data, size_t n) override
    {
        if (!ok())
            return -1;
        std::string w(reinterpret_cast<const char*>(data), n);
        writes.push_back(w);
        const std::string reply = responder_(w, static_cast<int>(writes.size()));
        for (size_t i = 0; i < reply.size(); ++i)
            pending_.push_back(
                {clock_.nowNs() + delayNs_ + static_cast<uint64_t>(i) * 520'833u, static_cast<uint8_t>(reply[i])});
        return static_cast<int>(n);
    }
    int read(uint8_t* buffer, size_t n) override { return rx_.read(buffer, n, timeouts); }
    int waitForInput(uint32_t limitMs) override { return rx_.waitForInput(limitMs); }
    bool flush() override { return ok(); }

    std::optional<uint64_t> nextEventNs() const override
    {
        if (pending_.empty())
            return std::nullopt;
        return pending_.front().first;
    }
    void advanceTo(uint64_t now) override
    {
        while (!pending_.empty() && pending_.front().first <= now) {
            rx_.arrive(pending_.front().second, pending_.front().first);
            pending_.pop_front();
        }
    }

    std::vector<std::string> writes;
    std::vector<std::string> openNames;
    int opens = 0;
    bool present = true;
    uint32_t rate = 19200;
    platform::Timeouts timeouts = platform::Timeouts::Normal;

private:
    bool ok() const { return opened_ && present; }

    platform::VirtualClock& clock_;
    Responder responder_;
    uint64_t delayNs_;
    bool opened_ = false;
    std::deque<std::pair<uint64_t, uint8_t>> pending_;
    platform::VirtualReceiver rx_;
};

}  // namespace velmar::test
