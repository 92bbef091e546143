// The debug monitor's data-EEPROM lines and its DSP queries.
#include <cstdio>
#include <cstdlib>

#include "simulator/simulated_unit.h"

namespace velmar::sim {

namespace {

constexpr size_t kBlockBytes = 128;
constexpr size_t kQuarterBytes = 32;

bool startsWith(const std::string& s, std::string_view p)
{
    return s.size() >= p.size() && s.compare(0, p.size(), p) == 0;
}

std::optional<unsigned> hexNumber(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

}  // namespace

bool SimulatedUnit::dataEepromLine(const std::string& line, uint64_t nowNs)
{
    if (line == "del1" || line == "del0") {
        dataEepromLocked_ = line == "del1";
        emit("\n", nowNs);
        return true;
    }
    if (line == "dei") {
        emit(config_.dataEepromId + "\n", nowNs);
        return true;
    }
    if (startsWith(line, "det") && line.size() == 7) {  // "det" + block: the block's raw bytes
        const auto block = hexNumber(std::string_view(line).substr(3, 4));
        if (!block || *block >= 1024)
            return false;
        const auto begin = memory_.dataEeprom.begin() + static_cast<std::ptrdiff_t>(*block * kBlockBytes);
        emit(std::string(begin, begin + kBlockBytes), nowNs);
        return true;
    }
    // "dew" + block + part + 32 bytes in hex: a quarter block, written only while unlocked.
    if (startsWith(line, "dew") && line.size() == 3 + 4 + 1 + 2 * kQuarterBytes) {
        const auto block = hexNumber(std::string_view(line).substr(3, 4));
        const auto part = hexNumber(std::string_view(line).substr(7, 1));
        if (!block || *block >= 1024 || !part || *part > 3)
            return false;
        uint8_t bytes[kQuarterBytes];
        for (size_t i = 0; i < kQuarterBytes; ++i) {
            const auto b = hexNumber(std::string_view(line).substr(8 + 2 * i, 2));
            if (!b)
                return false;
            bytes[i] = static_cast<uint8_t>(*b);
        }
        if (!dataEepromLocked_)
            std::copy(
                std::begin(bytes), std::end(bytes),
                memory_.dataEeprom.begin() + static_cast<std::ptrdiff_t>(*block * kBlockBytes + *part * kQuarterBytes));
        emit("\n", nowNs);
        return true;
    }
    return false;
}

// The DSP module's identification as the monitor reads it from the DSP's memory.
bool SimulatedUnit::dspLine(const std::string& line, uint64_t nowNs)
{
    if (line == "dla4fe" || line == "dlo401") {
        emit("\n", nowNs);
        return true;
    }
    if (line == "ds281fff50") {
        switch (config_.dsp) {
        case DspModule::Dsp367: emit("X:FFF50 000367\r\n", nowNs); break;
        case DspModule::Dsp366: emit("X:FFF50 000366\r\n", nowNs); break;
        case DspModule::None: emit("X:FFF50      0\r\n", nowNs); break;
        }
        return true;
    }
    if (line == "ds3840001ff10030") {
        if (config_.dspDetailReply) {
            emit(*config_.dspDetailReply + "\r\n", nowNs);
            return true;
        }
        switch (config_.dsp) {
        case DspModule::Dsp367: emit("Y:1FF10 2f0206\r\n", nowNs); break;
        case DspModule::Dsp366: emit("Y:1FF10 2e0203\r\n", nowNs); break;
        case DspModule::None: emit("Y:1FF10      0\r\n", nowNs); break;
        }
        return true;
    }
    return false;
}

}  // namespace velmar::sim
