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

// The editor's unit status line while Auto Detect looks for the unit.
inline constexpr const char* kSearchingForUnits = "Searching for QRX 20 / QRX 30 / Corvalent D1";
inline constexpr const char* kUnitLocated = "Unit located";
inline constexpr const char* kNoUnitDetected = "No unit detected! Check serial port";
inline constexpr const char* kError = "Error!";

}  // namespace velmar::status
