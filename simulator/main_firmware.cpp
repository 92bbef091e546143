// The main firmware, its debug monitor and the EEPROM programmer: LF-terminated text lines.
#include <cstdio>

#include "simulator/simulated_unit.h"

namespace velmar::sim {

namespace {

constexpr uint32_t kLoaderBootMs = 100;  // from "Z" or "dlaf00" until the loader listens
constexpr uint32_t kSsbRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

bool startsWith(const std::string& s, std::string_view p)
{
    return s.size() >= p.size() && s.compare(0, p.size(), p) == 0;
}

}  // namespace

void SimulatedUnit::applicationByte(uint8_t byte, uint64_t nowNs)
{
    if (config_.echo)
        emit(std::string_view(reinterpret_cast<const char*>(&byte), 1), nowNs, true);
    if (byte != '\n') {
        if (line_.size() < 80)
            line_ += static_cast<char>(byte);
        return;
    }
    std::string line;
    line.swap(line_);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    if (line.empty())
        return;  // the wake-up LF
    if (level_ == Level::DebugMonitor)
        monitorLine(line, nowNs);
    else
        applicationLine(line, nowNs);
}

void SimulatedUnit::applicationLine(const std::string& line, uint64_t nowNs)
{
    if (line == "?") {
        emit(identificationText(), nowNs);
        return;
    }
    if (line == "Z") {  // restart into the boot loader; nothing is answered
        startLevel(Level::Loader, nowNs, kLoaderBootMs);
        return;
    }
    if (line == "CS") {
        char text[48];
        std::snprintf(text, sizeof text, "Checksum: %X\r\n", static_cast<unsigned>(memory_.flashByteSum()));
        emit(text, nowNs);
        return;
    }
    if (level_ == Level::EepromProgrammer) {
        // The programmer also serves the data EEPROM and the rate change; it acknowledges
        // everything else.
        if (startsWith(line, "SSB") && line.size() == 4 && line[3] >= '0' && line[3] <= '7')
            applicationRate_ = kSsbRates[line[3] - '0'];
        else if (!dataEepromLine(line, nowNs))
            emit("\n", nowNs);
        return;
    }
    if (line == "D8056.3") {
        emit("\n", nowNs);
        level_ = Level::DebugMonitor;
        return;
    }
    // Zone power: P<z>P0, P<z>P1, P<z>P?; other P<z><c><v> commands are acknowledged.
    if (line.size() == 4 && line[0] == 'P' && line[1] >= '1' && line[1] <= '3') {
        const size_t zone = static_cast<size_t>(line[1] - '1');
        if (line[2] == 'P' && line[3] == '?') {
            emit(std::string("P") + line[1] + "P" + (zones_[zone] ? '1' : '0') + "\n", nowNs);
            return;
        }
        int& ignoredOns = config_.faults.mainZonePowerOnsIgnored;
        if (zone == 0 && line[2] == 'P' && line[3] == '1' && ignoredOns != 0) {
            if (ignoredOns > 0)
                --ignoredOns;
        } else if (line[2] == 'P' && (line[3] == '0' || line[3] == '1')) {
            const bool stuck = (config_.faults.zonesStayOn >> zone) & 1;
            zones_[zone] = stuck || line[3] == '1';
        }
        emit("\n", nowNs);
        return;
    }
    if (line == "STF?") {
        emit(config_.clock24h ? "STF1\n" : "STF0\n", nowNs);
        return;
    }
    if (startsWith(line, "STD")) {
        dayOfWeek_ = std::atoi(line.c_str() + 3);
        emit("\n", nowNs);
        return;
    }
    if (startsWith(line, "STC")) {
        clockText_ = line.substr(3);
        emit("\n", nowNs);
        return;
    }
    if (startsWith(line, "SST")) {
        emit("\n", nowNs);
        return;
    }
    if (startsWith(line, "SSB") && line.size() == 4 && line[3] >= '0' && line[3] <= '7') {
        applicationRate_ = kSsbRates[line[3] - '0'];  // no reply; the rate changes at once
        return;
    }
    // Anything else is not answered.
}

void SimulatedUnit::monitorLine(const std::string& line, uint64_t nowNs)
{
    if (config_.faults.monitorInvalid) {
        emit("Invalid Command\r\n", nowNs);
        return;
    }
    if (line == "dx" || line == "@0" || line == "d0") {  // leave the monitor
        emit("\n", nowNs);
        level_ = Level::Application;
        return;
    }
    if (line == "dlaf00") {
        emit("\n", nowNs);
        startLevel(Level::Loader, nowNs, kLoaderBootMs);
        return;
    }
    if (dataEepromLine(line, nowNs) || dspLine(line, nowNs))
        return;
    if (line[0] == 'd') {  // other monitor commands are acknowledged
        emit("\n", nowNs);
        return;
    }
    emit("Invalid Command\r\n", nowNs);
}

}  // namespace velmar::sim
