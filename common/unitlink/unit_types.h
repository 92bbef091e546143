#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace velmar::unitlink {

// The unit's own numbering is kept as the enumerators' values (NoUnit is 5 in the
// installer and 3 in the editor; here one value serves both, DebugMonitor being installer-only).
enum class UnitModel : int {
    QRX_2 = 0,
    QRX_20 = 1,
    QRX_30 = 2,  // also the "QRX 20-HD" and "QRX 30-HD"
    QRX_40 = 3,
    QRX_50 = 4,
    CORVALENT_D1 = 5,
    CORVALENT_D2 = 6,  // also the "Corvalent D1HD"
    UNKNOWN = 7,
};

enum class UnitMode : int {
    Loader = 0,
    Application = 1,
    EepromProgrammer = 2,
    DebugMonitor = 3,
    NoUnit = 5,
};

// Indexed by the baud index; 0 is the unit's normal rate, 7 the loader's fast rate.
inline constexpr std::array<uint32_t, 8> BaudTable{19200, 1200, 2400, 4800, 9600, 38400, 57600, 115200};
inline constexpr int kBaudIndexNormal = 0;
inline constexpr int kBaudIndexLoaderHighSpeed = 7;

std::string_view unitModelName(UnitModel m);  // "QRX_30", ...
std::string_view unitModeName(UnitMode m);    // "Application", ...

}  // namespace velmar::unitlink
