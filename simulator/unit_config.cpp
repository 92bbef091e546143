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

constexpr std::array<std::string_view, 10> kFaults = {
    "silent",         "garbage",         "endless", "zone1-stays-on", "zone2-stays-on",
    "zone3-stays-on", "monitor-invalid", "slow",    "echo",           "erased-flash",
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

bool applyFault(UnitConfig& config, std::string_view name)
{
    auto& f = config.faults;
    if (name == "silent")
        f.silent = true;
    else if (name == "garbage")
        f.garbage = true;
    else if (name == "endless")
        f.endless = true;
    else if (name == "zone1-stays-on") {
        f.zonesStayOn |= 1;
        config.zonesOn[0] = true;
    }
    else if (name == "zone2-stays-on") {
        f.zonesStayOn |= 2;
        config.zonesOn[1] = true;
    }
    else if (name == "zone3-stays-on") {
        f.zonesStayOn |= 4;
        config.zonesOn[2] = true;
    }
    else if (name == "monitor-invalid")
        f.monitorInvalid = true;
    else if (name == "slow")
        f.slowReplyMs = 50;
    else if (name == "echo")
        config.echo = true;
    else if (name == "erased-flash")
        config.installed = Installed::Nothing;
    else
        return false;
    return true;
}

std::vector<std::string_view> faultNames()
{
    return {kFaults.begin(), kFaults.end()};
}

}  // namespace velmar::sim
