#pragma once

#include <string_view>

// The system's own user-facing texts of the link, copied exactly, once.
namespace velmar::unitlink::texts {

inline constexpr std::string_view kCommErrorInstaller = "Communication Error : QRX 30 not programmed";
inline constexpr std::string_view kCommErrorEditor = "Communication Error : Corvalent D1 not programmed";

inline constexpr std::string_view kNoUnitInstaller =
    "Warning : Unable to locate Velmar hardware on any serial port. Check cable connection and try again";
inline constexpr std::string_view kNoUnitEditor =
    "Warning : Unable to locate QRX 2/20/30/Corvalent D1\non any serial port. Check cable connection and try again";

inline constexpr std::string_view kFailedToSwitchRate = "Failed to switch to 115200 kbs";
inline constexpr std::string_view kFailedEnterDebug = "Failed to enter debug mode";
inline constexpr std::string_view kFailedExitDebug = "Failed to exit debug mode";

inline constexpr std::string_view kFoundQrx2 = "QRX 2 found";
inline constexpr std::string_view kFoundQrx20 = "QRX 20 found";
inline constexpr std::string_view kFoundQrx30 = "QRX 30 found";
inline constexpr std::string_view kFoundCorvalentD1 = "Corvalent D1 found";
inline constexpr std::string_view kFoundCorvalentD2 = "Corvalent D2 found";  // installer only

// Worded by the callers of PowerOffAllZones (the editor's General page); kept here for velmarctl.
inline constexpr std::string_view kUnableToTurnOff = "Unable to Turn off Unit";

}  // namespace velmar::unitlink::texts
