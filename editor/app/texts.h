#pragma once

#include "unitlink/status_texts.h"

// The editor's own user-facing texts, copied exactly, once.
namespace velmar::editor::texts {

// Application, sheet, About box, message box
inline constexpr const char* kSheetCaption = "Settings Editor";
inline constexpr const char* kAboutMenuItem = "&About Velmar SettingsEditor...";
inline constexpr const char* kAboutCaption = "About SettingsEditor";
inline constexpr const char* kProgramTitle = "Velmar Settings Editor";
inline constexpr const char* kVersion = "Version 1.12";
inline constexpr const char* kOk = "OK";
inline constexpr const char* kMessageCaption = "Settings Editor";
inline constexpr const char* kFileSaved = "File Saved";
// The window menu stands in for the title-bar menu that carries the About entry.
inline constexpr const char* kWindowMenu = "&Window";
inline constexpr const char* kCloseMenuItem = "&Close";

// Window title: prefix + file name + infix + set name + suffix
inline constexpr const char* kTitlePrefix = "Velmar Settings Editor ";
inline constexpr const char* kTitleInfix = ", Editing: ";
inline constexpr const char* kTitleSuffix = " Settings";
inline constexpr const char* kSetNames[4] = {" ", "Current", "User", "Installer"};

// General page
inline constexpr const char* kGeneralCaption = "0. General";
inline constexpr const char* kAboutButton = "About..";
inline constexpr const char* kAutoDetect = "Auto Detect";
inline constexpr const char* kLoadFromUnitCheck = "Load settings from unit";
inline constexpr const char* kSaveUnitToFile = "Save settings from unit to file";
inline constexpr const char* kLoadFileToUnit = "Load settings from file to unit";
inline constexpr const char* kSaveAs = "Save As...";
inline constexpr const char* kOpenFile = "Open file...";
inline constexpr const char* kLoadNonSetupCheck = "Load non-setup adjustments";
inline constexpr const char* kHelpButton = "?";
inline constexpr const char* kEditGroup = "Edit:";
inline constexpr const char* kEditCurrent = "Edit Current Settings";
inline constexpr const char* kEditUser = "Edit User Settings";
inline constexpr const char* kEditInstaller = "Edit Installer Settings";
inline constexpr const char* kCopyGroup = "Copy Current To";
inline constexpr const char* kCopyToUser = "User Settings";
inline constexpr const char* kCopyToInstaller = "Installer Settings";

inline constexpr const char* kUnitNotDetected = "Unit has not yet been detected, please click Auto Detect";
inline constexpr const char* kRetrieving = status::kRetrievingSettings;
inline constexpr const char* kSettingsUploaded = "Settings uploaded from unit";
inline constexpr const char* kLocatingFile = "Locating File";
inline constexpr const char* kFileLoaded = "File Loaded";
inline constexpr const char* kSavingFile = "Saving File";
inline constexpr const char* kSavingFileDots = "Saving File...";
inline constexpr const char* kNonSetupHelp =
    "When a file is saved from unit, the bass/treble, balance, and surround mode levels are also saved.  "
    "Uncheck the box if you adjusted these after saving a file from the unit and want them to stay the way "
    "they are.";

// Settings files
inline constexpr const char* kSettingsFileExt = ".q20";
inline constexpr const char* kDefaultFileName = "default.q20";
inline constexpr const char* kSettingsFileFilter = "Settings Editor Files(*.q20)|*.q20||";

// Save prompt
inline constexpr const char* kSavePromptTemplate = "Would you like to save it?\n(current file will be overiden)";
inline constexpr const char* kSaveChangesTo = "Save changes to ";
inline constexpr const char* kSaveChangesEnd = "?";
inline constexpr const char* kYes = "Yes";
inline constexpr const char* kSaveAsShort = "Save As..";
inline constexpr const char* kNo = "No";
inline constexpr const char* kCancel = "Cancel";

// Bound value controls
inline constexpr const char* kOutOfRangeCaption = "Value out of range";
inline constexpr const char* kOutOfRangeTemplate = "Must Be in range: x-y with .z steps";
inline constexpr const char* kOutOfRangeFormat = "Invalid Input, Range out of bounds: %.1f To %.1f with step %.1f";

}  // namespace velmar::editor::texts
