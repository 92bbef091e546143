#pragma once

// A UnitLink against the in-process simulated unit on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/virtual_clock.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"
#include "unitlink/unit_link.h"

namespace velmar::test {

struct SimBench {
    SimBench(Variant variant, sim::UnitConfig config, int unitPort = 1, int ports = 8, uint32_t startMs = 0,
             uint32_t adapterLatencyMs = 0)
        : clock(startMs), unit(std::move(config)), port(clock), link(variant, port, clock)
    {
        for (int i = 1; i <= ports; ++i)
            port.addPort("COM" + std::to_string(i), i == unitPort ? &unit : nullptr, adapterLatencyMs);
        link.setLocalTimeSource([] {
            std::tm t{};
            t.tm_year = 126;
            t.tm_mon = 11;
            t.tm_mday = 9;
            t.tm_wday = 3;  // Wednesday
            t.tm_hour = 14;
            t.tm_min = 5;
            return t;
        });
    }

    static size_t count(const std::string& text, const std::string& part)
    {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
            ++n;
        return n;
    }
    size_t probesWritten() const { return count(port.written(), "?\n"); }
    size_t linesReceived(const std::string& line) const
    {
        const auto lines = unit.receivedLines();
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }
    double elapsedMs() const { return clock.elapsedMs(); }

    platform::VirtualClock clock;
    sim::SimulatedUnit unit;
    sim::SimulatedSerialPort port;
    unitlink::UnitLink link;
};

// As the installer: find the unit, then its loader at 115200 bit/s.
inline void enterFast(SimBench& b)
{
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m)) << m;
    ASSERT_TRUE(b.link.OpenPort(m)) << m;
    ASSERT_TRUE(b.link.EnterLoaderFast(m)) << m;
    ASSERT_EQ(b.unit.lineRate(), 115200u);
}

}  // namespace velmar::test
