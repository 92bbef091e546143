#include "simulator/simulated_unit.h"

#include <algorithm>

namespace velmar::sim {

uint32_t UnitMemory::flashByteSum() const
{
    uint32_t sum = 0;
    for (uint16_t w : flash)
        sum += static_cast<uint32_t>(w & 0xFF) + static_cast<uint32_t>(w >> 8);
    return sum;
}

std::vector<uint8_t> UnitMemory::flashBytes() const
{
    std::vector<uint8_t> bytes;
    bytes.reserve(flash.size() * 2);
    for (uint16_t w : flash) {
        bytes.push_back(static_cast<uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<uint8_t>(w >> 8));
    }
    return bytes;
}

void UnitMemory::setFlashBytes(const std::vector<uint8_t>& bytes)
{
    std::fill(flash.begin(), flash.end(), 0xFFFF);
    for (size_t i = 0; i + 1 < bytes.size() && i / 2 < flash.size(); i += 2)
        flash[i / 2] = static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8);
}

void UnitMemory::installProgram(std::string_view banner)
{
    constexpr size_t kBannerByte = 0x2000;
    std::vector<uint8_t> bytes(flash.size() * 2, 0xFF);
    const uint8_t reset[] = {0x0C, 0x94, 0x80, 0x00};  // a jump over the text, as code starts
    std::copy(std::begin(reset), std::end(reset), bytes.begin());
    std::copy(banner.begin(), banner.end(), bytes.begin() + kBannerByte);
    bytes[kBannerByte + banner.size()] = 0;
    setFlashBytes(bytes);
}

SimulatedUnit::SimulatedUnit(UnitConfig config)
    : config_(std::move(config)), level_(config_.level), applicationRate_(config_.applicationRate),
      zones_(config_.zonesOn)
{
    const ModelInfo* info = findModel(config_.model);
    const std::string name = info ? std::string(info->name) : config_.model;
    if (config_.installed == Installed::Application)
        memory_.installProgram((info ? std::string(info->appPrefix) : name + " Version ") + config_.version);
    else if (config_.installed == Installed::EepromProgrammer)
        memory_.installProgram(name + " EEPROM Prog v" + config_.version);
    // A unit whose flash was programmed completely carries the markers.
    memory_.settings[0] = 'v';
    memory_.settings[1] = 'v';
    memory_.settings[2] = 0x0C;
}

uint32_t SimulatedUnit::lineRate() const { return level_ == Level::Loader ? loaderRate_ : applicationRate_; }

int SimulatedUnit::loaderVersionNumber() const
{
    const auto& v = config_.loaderVersion;
    if (v.size() < 2 || v[0] < '0' || v[0] > '9' || v[1] < '0' || v[1] > '9')
        return 0;
    return (v[0] - '0') * 100 + (v[1] - '0');
}

uint32_t SimulatedUnit::replyDelayNs() const
{
    return (config_.replyDelayMs + config_.faults.slowReplyMs) * 1'000'000u;
}

void SimulatedUnit::emit(std::string_view bytes, uint64_t nowNs, bool immediate)
{
    const uint64_t at = immediate ? nowNs : nowNs + replyDelayNs();
    for (char c : bytes)
        out_.push_back(OutByte{static_cast<uint8_t>(c), lineRate(), at});
}

void SimulatedUnit::startLevel(Level level, uint64_t nowNs, uint32_t bootMs)
{
    level_ = level;
    if (level == Level::Loader)
        loaderRate_ = 19200;
    busyUntilNs_ = nowNs + static_cast<uint64_t>(bootMs) * 1'000'000u;
    line_.clear();
    pendingCommand_ = -1;
    args_.clear();
}

std::vector<std::string> SimulatedUnit::receivedLines() const
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : transcript_) {
        if (c == '\n') {
            lines.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string SimulatedUnit::identificationText() const
{
    const ModelInfo* info = findModel(config_.model);
    const std::string name = info ? std::string(info->name) : config_.model;
    switch (level_) {
    case Level::Application: {
        if (config_.identificationReply)
            return *config_.identificationReply;
        std::string text = info ? std::string(info->appPrefix) : name + " Version ";
        text += config_.version;
        if (config_.v240)
            text += " 240V";
        return text + "\r\n";
    }
    case Level::EepromProgrammer:
        if (config_.eepromProgrammerReply)
            return *config_.eepromProgrammerReply;
        return name + " EEPROM Prog v" + config_.version + "\r\n";
    case Level::DebugMonitor: return "Invalid Command\r\n";
    case Level::Loader:
        if (config_.loaderBanner)
            return *config_.loaderBanner;
        return info ? std::string(info->loaderBanner) : "QRX ISP";
    }
    return {};
}

void SimulatedUnit::refill(uint64_t nowNs)
{
    if (config_.faults.endless && out_.empty() && !config_.faults.silent)
        emit("0123456789 endless output from the unit ABCDEFGHIJ\r\n", nowNs, true);
}

void SimulatedUnit::receive(uint8_t byte, uint64_t nowNs)
{
    transcript_ += static_cast<char>(byte);
    // A silent unit, and one stuck talking without end, answer nothing.
    if (config_.faults.silent || config_.faults.endless || nowNs < busyUntilNs_)
        return;
    if (config_.faults.garbage) {
        if (byte == '\n' || level_ == Level::Loader) {
            std::string noise;
            for (int i = 0; i < 12; ++i) {
                noise_ = noise_ * 1664525u + 1013904223u;
                noise += static_cast<char>(0x21 + (noise_ >> 24) % 90);
            }
            emit(noise, nowNs);
        }
        return;
    }
    if (level_ == Level::Loader)
        loaderByte(byte, nowNs);
    else
        applicationByte(byte, nowNs);
}

}  // namespace velmar::sim
