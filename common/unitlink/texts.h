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

// Boot loader and flash programming.
inline constexpr std::string_view kLoaderNotRespondingInstaller = "QRX 30 loader not responding";
inline constexpr std::string_view kLoaderNotRespondingHighInstaller = "QRX 30 loader not responding at 115200 kbs";
inline constexpr std::string_view kLoaderNotRespondingEditor = "Corvalent D1 loader not responding";
inline constexpr std::string_view kLoaderNotRespondingHighEditor = "Corvalent D1 loader not responding at 115200 kbs";
inline constexpr std::string_view kLoaderBaudChanged = "Loader Baud Rate Changed";
inline constexpr std::string_view kLoaderFailedToExit = "Loader failed to exit";
inline constexpr std::string_view kInvalidSignature = "Invalid Mega103 signature";
inline constexpr std::string_view kCannotSetFuse = "Cannot set fuse bits";
inline constexpr std::string_view kProgrammingFlash = "Programming Flash...Please Wait";
inline constexpr std::string_view kProgrammingFailed = "Programming Failed. Try Again";
inline constexpr std::string_view kFlashDone = "Flash Programming Done.";
inline constexpr std::string_view kFlashDoneVerifying = "Flash Programming Done. Verifying ...";
inline constexpr std::string_view kCannotReadChecksum = "Error: Cannot read Flash Code Checksum";
inline constexpr std::string_view kChecksumNotCorrect = "Error: Flash Code Checksum not correct";
inline constexpr std::string_view kChecksumVerified = "Flash Code Checksum verified";
inline constexpr std::string_view kCodeFailedToBoot = "Error: QRX code failed to boot";
inline constexpr std::string_view kVerifyWordFailed = "Verify failed";
inline constexpr std::string_view kVerifiedOk = "Verified OK.";
inline constexpr std::string_view kVerifyFailed = "Verify FAILED.";

// Settings transfer. The installer's texts are built around its one model name.
inline constexpr std::string_view kRetrievalFailedEditor = "Unit Settings Retrieval FAILED.";
inline constexpr std::string_view kRetrievalOkEditor = "Unit Settings Retrieval OK.";
inline constexpr std::string_view kProgrammingSettingsFailedEditor = "Unit Settings Programming FAILED.";
inline constexpr std::string_view kProgrammedSettingsOkEditor = "Unit Settings Programmed OK.";
inline constexpr std::string_view kInstallerModelName = "QRX 30";
inline constexpr std::string_view kRetrievalFailedSuffix = " Settings Retrieval FAILED.";
inline constexpr std::string_view kProgrammingSettingsFailedSuffix = " Settings Programmed FAILED.";
inline constexpr std::string_view kProgrammedSettingsOkSuffix = " Settings Programmed OK.";

// Data EEPROM.
inline constexpr std::string_view kEepromCannotConnect =
    "Cannot connect to Velmar hardware. The EEPROM was not programmed.";
inline constexpr std::string_view kMainProcessorNotResponding = "QRX 30 main processor not responding";
inline constexpr std::string_view kEepromDone = "EEPROM Programming Done.";
inline constexpr std::string_view kEepromFailed = "Programming EEPROM Failed. Try Again";

}  // namespace velmar::unitlink::texts
