#pragma once

#include <string>
#include <string_view>

#include "unitlink/status_texts.h"

// The installer's own status texts, copied exactly, once.
namespace velmar::installer::texts {

inline constexpr std::string_view kModelName = "QRX 30";

inline constexpr std::string_view kProgrammingEeprom = status::kProgrammingEeprom;
inline constexpr std::string_view kEepromFailed = "***EEPROM Programming Failed...Please try again";
inline constexpr std::string_view kVerifyingFlash = status::kVerifyingFlash;
inline constexpr std::string_view kProgrammingLoader = status::kProgrammingWithEeLoader;
inline constexpr std::string_view kProgrammingMain = "EE Programming Done. Programming Flash...Please Wait";
inline constexpr std::string_view kFoundVelmar = "Found Velmar ";
inline constexpr std::string_view kNewDspModule = "New DSP56367 module found.";
inline constexpr std::string_view kNotForThisHardware = "Error: This update does not apply to your hardware";
inline constexpr std::string_view kAbortedByUser = "Installation aborted by user";
// Shown as soon as an abort is asked for; the run stops at the next step.
inline constexpr const char* kAborting = "Aborting...";

// Texts composed around the model name.
inline std::string searching() { return "Searching for " + std::string(kModelName) + "..."; }
inline std::string noUnitFound() { return "***Warning No " + std::string(kModelName) + " found"; }
inline std::string upToDate() { return std::string(kModelName) + " code up to date. All done !!"; }
inline std::string requiresUpdate() { return std::string(kModelName) + " code requires update"; }
inline std::string gettingSettings() { return "Getting " + std::string(kModelName) + " Settings..."; }
inline std::string failedToGet() { return "Failed to get " + std::string(kModelName) + " Settings. Please try again"; }
inline std::string converting() { return "Converting " + std::string(kModelName) + " Settings to new format..."; }
inline std::string savingNew() { return "Saving New " + std::string(kModelName) + " Settings"; }
inline std::string failedToSave()
{
    return "Failed to save " + std::string(kModelName) + " Settings. Please try again";
}
inline std::string updateComplete() { return std::string(kModelName) + " code update complete."; }

}  // namespace velmar::installer::texts
