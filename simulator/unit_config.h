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

// The program the unit's flash holds at start when no flash image is given: a small image with
// that program's banner is put into the flash. "X" then starts whatever banner the flash holds;
// an erased flash (Nothing) keeps the unit in its loader.
enum class Installed { Application, EepromProgrammer, Nothing };

enum class EepromAck { AfterWrite, AtStart };

// The DSP module the debug monitor's "ds..." queries report.
enum class DspModule { Dsp367, Dsp366, None };

struct Faults {
    bool silent = false;          // receives (transcript) but never answers
    bool garbage = false;         // answers every line (and loader byte) with noise
    bool endless = false;         // sends text without end
    bool monitorInvalid = false;  // the debug monitor answers every line with "Invalid Command"
    uint8_t zonesStayOn = 0;      // bit z-1: zone z acknowledges "PzP0" but stays on
    uint32_t slowReplyMs = 0;     // extra delay before every reply
    // Boot loader and memories.
    int unstableReadsFrom = -1;       // "D" at this settings address or above never repeats a value
    int stuckSettingsAddress = -1;    // this settings byte ignores "d"
    int loseReadAt = -1;              // the next "D" or "R" at this address is never answered (once)
    int flakyReadAt = -1;             // every second "D" at this settings address has bit 0 flipped
    bool fuseStuck = false;           // fuse and lock writes are acknowledged but change nothing
    int fuseWritesIgnored = 0;        // as many fuse and lock writes change nothing before one takes
    int mainZonePowerOnsIgnored = 0;  // "P1P1" acknowledged but zone 1 stays off (-1: always)
    bool wrongSignature = false;      // "s" names a processor no loader table accepts
    int disconnectAfterChunks = -1;   // the line goes dead after this many "C" page-buffer loads
    bool loaderStuck = false;         // "X" is acknowledged but the loader stays
};

struct UnitConfig {
    std::string model = "QRX 30";  // one of modelNames()
    std::string version = "2.20";  // firmware version "X.YY", optionally with a suffix letter
    bool v240 = false;             // "240V" in the identification reply
    Level level = Level::Application;
    uint32_t applicationRate = 19200;  // the main firmware's rate
    bool echo = false;                 // the main firmware echoes what it receives
    std::string loaderVersion = "25";  // two digits answering "V" (first x 100 + second)
    DspModule dsp = DspModule::Dsp367;
    std::optional<std::string> dspDetailReply;  // the answer to the module's detail query, CR LF added
    std::string dataEepromId = "d51f";          // the debug monitor's answer to "dei"
    Installed installed = Installed::Application;
    bool clock24h = true;
    std::array<bool, 3> zonesOn{true, false, false};
    uint32_t replyDelayMs = 1;
    // The settings EEPROM's write time. While the loader waits for its EEPROM it reads nothing:
    // its receiver holds one byte (ATmega103, loaders before 300) or two (ATmega128) and any
    // further byte that arrives meanwhile is lost.
    uint32_t eepromWriteUs = 0;
    // When "d" is acknowledged: once the byte is written (the loader waits right away), or as
    // soon as the write starts (the loader waits at its next EEPROM access, "d" or "D").
    EepromAck eepromAck = EepromAck::AfterWrite;
    // Reply texts; empty means "from the model table".
    std::optional<std::string> identificationReply;  // main firmware's answer to "?\n"
    std::optional<std::string> eepromProgrammerReply;
    std::optional<std::string> loaderBanner;  // answer to "S"
    Faults faults;
};

// The model table of the simulator: the banners each model's firmware levels give.
struct ModelInfo {
    std::string_view name;          // "QRX 30"
    std::string_view appPrefix;     // "QRX 30 Version " or "QRX 40 v"
    std::string_view loaderBanner;  // "QRX 30 ISP"
    bool corvalentLoader;           // the loader answers "?" with its banner
};

const ModelInfo* findModel(std::string_view name);
std::vector<std::string_view> modelNames();

std::optional<Level> parseLevel(std::string_view text);  // application|loader|debug|eeprom-programmer
std::string_view levelName(Level level);

std::optional<EepromAck> parseEepromAck(std::string_view text);  // after-write|early

// Applies a --fault NAME (faultNames()). False for an unknown name.
bool applyFault(UnitConfig& config, std::string_view name);
std::vector<std::string_view> faultNames();

// "--loader-version": two digits ("31") or the version number (301); nullopt when neither.
std::optional<std::string> loaderVersionDigits(std::string_view text);

}  // namespace velmar::sim
