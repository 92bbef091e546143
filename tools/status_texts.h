#pragma once

#include <string_view>

// The status lines the editor's and the installer's actions show around the unit operations,
// which velmarctl's commands follow.
namespace velmar::tools::status {

inline constexpr std::string_view kSearchingForUnit = "Searching for unit...";
inline constexpr std::string_view kSearchingForQrx20 = "Searching for QRX 20...";
inline constexpr std::string_view kCouldNotFindUnit = "Could not find a unit";
inline constexpr std::string_view kUnitFailedToTurnOff = "Unit failed to turn off. Please turn off Unit and try again";
inline constexpr std::string_view kRetrievingSettings = "Retrieving Settings...Please Wait";
inline constexpr std::string_view kWritingSettingsFile = "Writing settings file...";
inline constexpr std::string_view kOpeningSettingsFile = "Opening settings file...";
inline constexpr std::string_view kProgrammingSettings = "Programming/Verifying Settings...Please Wait";
inline constexpr std::string_view kProgrammingWithEeLoader = "Programming Flash with EE Loader...Please Wait";
inline constexpr std::string_view kVerifyingFlash = "Verifying Flash...Please Wait";
inline constexpr std::string_view kProgrammingEeprom = "Programming/Verifying EEPROM...Please Wait";

}  // namespace velmar::tools::status
