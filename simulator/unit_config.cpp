#include "simulator/unit_config.h"

#include <array>

namespace velmar::sim {

namespace {

constexpr std::array kModels = {
    ModelInfo{"QRX 2", "QRX 2 Version ", "QRX ISP", false},
    ModelInfo{"QRX 20", "QRX 20 Version ", "QRX 20 ISP", false},
    ModelInfo{"QRX 30", "QRX 30 Version ", "QRX 30 ISP", false},
    ModelInfo{"QRX 20-HD", "QRX 20-HD v", "QRX 30 ISP", false},
    ModelInfo{"QRX 30-HD", "QRX 30-HD v", "QRX 30 ISP", false},
    ModelInfo{"QRX 40", "QRX 40 v", "QRX 40 ISP", false},
    ModelInfo{"QRX 50", "QRX 50 v", "QRX 50 ISP", false},
    ModelInfo{"Corvalent D1", "Corvalent D1 v", "CORVALENT D1 ISP", true},
    ModelInfo{"Corvalent D1HD", "Corvalent D1HD v", "CORVALENT D2 ISP", true},
    ModelInfo{"Corvalent D2", "Corvalent D2 v", "CORVALENT D2 ISP", true},
};

// A fault sets one thing in the configuration.
struct FaultRow {
    std::string_view name;
    void (*apply)(UnitConfig&);
};

constexpr std::array kFaults = {
    FaultRow{"silent", [](UnitConfig& c) { c.faults.silent = true; }},
    FaultRow{"garbage", [](UnitConfig& c) { c.faults.garbage = true; }},
    FaultRow{"endless", [](UnitConfig& c) { c.faults.endless = true; }},
    FaultRow{"zone1-stays-on",
             [](UnitConfig& c) {
                 c.faults.zonesStayOn |= 1;
                 c.zonesOn[0] = true;
             }},
    FaultRow{"zone2-stays-on",
             [](UnitConfig& c) {
                 c.faults.zonesStayOn |= 2;
                 c.zonesOn[1] = true;
             }},
    FaultRow{"zone3-stays-on",
             [](UnitConfig& c) {
                 c.faults.zonesStayOn |= 4;
                 c.zonesOn[2] = true;
             }},
    FaultRow{"monitor-invalid", [](UnitConfig& c) { c.faults.monitorInvalid = true; }},
    FaultRow{"slow", [](UnitConfig& c) { c.faults.slowReplyMs = 50; }},
    FaultRow{"echo", [](UnitConfig& c) { c.echo = true; }},
    FaultRow{"erased-flash", [](UnitConfig& c) { c.installed = Installed::Nothing; }},
    FaultRow{"unstable-reads", [](UnitConfig& c) { c.faults.unstableReadsFrom = 0; }},
    FaultRow{"settings-byte-stuck", [](UnitConfig& c) { c.faults.stuckSettingsAddress = 0x100; }},
    FaultRow{"fuse-stuck", [](UnitConfig& c) { c.faults.fuseStuck = true; }},
    FaultRow{"wrong-signature", [](UnitConfig& c) { c.faults.wrongSignature = true; }},
    FaultRow{"disconnect-mid-page", [](UnitConfig& c) { c.faults.disconnectAfterChunks = 4; }},
    FaultRow{"loader-stuck", [](UnitConfig& c) { c.faults.loaderStuck = true; }},
};

}  // namespace

const ModelInfo* findModel(std::string_view name)
{
    for (const auto& m : kModels) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

std::vector<std::string_view> modelNames()
{
    std::vector<std::string_view> names;
    for (const auto& m : kModels)
        names.push_back(m.name);
    return names;
}

std::optional<Level> parseLevel(std::string_view text)
{
    if (text == "application")
        return Level::Application;
    if (text == "loader")
        return Level::Loader;
    if (text == "debug")
        return Level::DebugMonitor;
    if (text == "eeprom-programmer")
        return Level::EepromProgrammer;
    return std::nullopt;
}

std::string_view levelName(Level level)
{
    switch (level) {
    case Level::Application: return "application";
    case Level::Loader: return "loader";
    case Level::DebugMonitor: return "debug";
    case Level::EepromProgrammer: return "eeprom-programmer";
    }
    return "?";
}

std::optional<EepromAck> parseEepromAck(std::string_view text)
{
    if (text == "after-write")
        return EepromAck::AfterWrite;
    if (text == "early")
        return EepromAck::AtStart;
    return std::nullopt;
}

bool applyFault(UnitConfig& config, std::string_view name)
{
    for (const auto& row : kFaults) {
        if (row.name == name) {
            row.apply(config);
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> faultNames()
{
    std::vector<std::string_view> names;
    for (const auto& row : kFaults)
        names.push_back(row.name);
    return names;
}

std::optional<std::string> loaderVersionDigits(std::string_view text)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.size() == 2)
        return std::string(text);
    if (text.size() == 3 && digit(text[0]) && text[1] == '0' && digit(text[2]))
        return std::string{text[0], text[2]};
    return std::nullopt;
}

}  // namespace velmar::sim
