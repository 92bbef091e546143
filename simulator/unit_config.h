#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmar::sim {

// The firmware level the simulated unit is running.
enum class Level { Application, DebugMonitor, Loader, EepromProgrammer };

// What the loader starts on "X": the program its flash holds. (A later stage derives this from
// the flash image itself; Nothing stands for an erased flash, which keeps the unit in its loader.)
enum class Installed { Application, EepromProgrammer, Nothing };

struct Faults {
    bool silent = false;          // receives (transcript) but never answers
    bool garbage = false;         // answers every line (and loader byte) with noise
    bool endless = false;         // sends text without end
    bool monitorInvalid = false;  // the debug monitor answers every line with "Invalid Command"
    uint8_t zonesStayOn = 0;      // bit z-1: zone z acknowledges "PzP0" but stays on
    uint32_t slowReplyMs = 0;     // extra delay before every reply
};

struct UnitConfig {
    std::string model = "QRX 30";  // one of modelNames()
    std::string version = "2.20";  // firmware version "X.YY", optionally with a suffix letter
    bool v240 = false;             // "240V" in the identification reply
    Level level = Level::Application;
    uint32_t applicationRate = 19200;  // the main firmware's rate
    bool echo = false;                 // the main firmware echoes what it receives
    std::string loaderVersion = "25";  // two digits answering "V"
    Installed installed = Installed::Application;
    bool clock24h = true;
    std::array<bool, 3> zonesOn{true, false, false};
    uint32_t replyDelayMs = 1;
    // Reply texts; empty means "from the model table".
    std::optional<std::string> identificationReply;  // main firmware's answer to "?\n"
    std::optional<std::string> eepromProgrammerReply;
    std::optional<std::string> loaderBanner;  // answer to "S"
    Faults faults;
};

// The model table of the simulator: the banners each model's firmware levels give.
struct ModelInfo {
    std::string_view name;        // "QRX 30"
    std::string_view appPrefix;   // "QRX 30 Version " or "QRX 40 v"
    std::string_view loaderBanner;  // "QRX 30 ISP"
    bool corvalentLoader;         // the loader answers "?" with its banner
};

const ModelInfo* findModel(std::string_view name);
std::vector<std::string_view> modelNames();

std::optional<Level> parseLevel(std::string_view text);  // application|loader|debug|eeprom-programmer
std::string_view levelName(Level level);

// Applies a --fault NAME: silent, garbage, endless, zone1-stays-on, zone2-stays-on,
// zone3-stays-on, monitor-invalid, slow, echo, erased-flash. False for an unknown name.
bool applyFault(UnitConfig& config, std::string_view name);
std::vector<std::string_view> faultNames();

}  // namespace velmar::sim
