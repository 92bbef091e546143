#pragma once

// The status lines the programs show around the link's operations, copied exactly, once:
// the editor's General page, the installer and velmarctl all show them.
namespace velmar::status {

inline constexpr const char* kSearchingForUnit = "Searching for unit...";
inline constexpr const char* kSearchingForQrx20 = "Searching for QRX 20...";
inline constexpr const char* kCouldNotFindUnit = "Could not find a unit";
inline constexpr const char* kUnitFailedToTurnOff = "Unit failed to turn off. Please turn off Unit and try again";
inline constexpr const char* kRetrievingSettings = "Retrieving Settings...Please Wait";
inline constexpr const char* kWritingSettingsFile = "Writing settings file...";
inline constexpr const char* kOpeningSettingsFile = "Opening settings file...";
inline constexpr const char* kProgrammingSettings = "Programming/Verifying Settings...Please Wait";
inline constexpr const char* kProgrammingWithEeLoader = "Programming Flash with EE Loader...Please Wait";
inline constexpr const char* kVerifyingFlash = "Verifying Flash...Please Wait";
inline constexpr const char* kProgrammingEeprom = "Programming/Verifying EEPROM...Please Wait";

}  // namespace velmar::status
