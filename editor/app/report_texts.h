#pragma once

// The texts of the settings report, the File menu and their command-line options, once.
namespace velmar::editor::texts {

// The report's head: what it shows and where the settings come from
inline constexpr const char* kReportTitle = "Settings Report";
inline constexpr const char* kComparisonTitle = "Settings Comparison";
inline constexpr const char* kFileFact = "File:";
inline constexpr const char* kModelFact = "Model:";
inline constexpr const char* kFirmwareFact = "Firmware:";
inline constexpr const char* kDateFact = "Date:";
inline constexpr const char* kNoFileName = "(no file)";
inline constexpr const char* kNotStated = "not stated in the file";
// By ModelKind: QRX 20, QRX 30, Corvalent D1.
inline constexpr const char* kModelNames[] = {"QRX 20", "QRX 30", "Corvalent D1"};
inline constexpr const char* kModelOfUnit = "%1 (the unit detected)";
// The layout of the Current set's main block tells the firmware generation.
inline constexpr const char* kFirmwareCurrentLayout = "2.1 or later (settings layout %1)";
inline constexpr const char* kFirmwareOlderLayout = "before 2.1 (older settings layout %1)";
inline constexpr const char* kSetsDiffer = "Rows where the sets differ: %1";
inline constexpr const char* kFilesDiffer = "Rows where the files differ: %1 (Current %2, User %3, Installer %4)";
inline constexpr const char* kDifferencesOnly = "Only the rows that differ are shown.";

// The table
inline constexpr const char* kSettingColumn = "Setting";
inline constexpr const char* kDiffersMark = "*";
inline constexpr const char* kChecked = "checked";
inline constexpr const char* kUnchecked = "unchecked";
inline constexpr const char* kNoChoice = "none";
inline constexpr const char* kNotInList = "not in the list (stored %1)";
inline constexpr const char* kNotShown = "not shown";

// Writing it
inline constexpr const char* kReportNameRule = "A report's name ends in .html or .pdf: ";
inline constexpr const char* kCannotWriteReport = "Cannot write the report: ";
inline constexpr const char* kReportSaved = "Report Saved";
inline constexpr const char* kReportExt = ".html";
inline constexpr const char* kReportName = "report.html";
inline constexpr const char* kComparisonName = "comparison.html";
inline constexpr const char* kReportFilter = "HTML report(*.html)|*.html|PDF report(*.pdf)|*.pdf||";

// The File menu; the keys are the sheet's own (Ctrl+O opens as the General page does)
inline constexpr const char* kFileMenu = "&File";
inline constexpr const char* kOpenMenuItem = "&Open...\tCtrl+O";
inline constexpr const char* kSaveAsMenuItem = "Save &As...\tCtrl+Shift+S";
inline constexpr const char* kCompareMenuItem = "&Compare With File...";
inline constexpr const char* kExportMenuItem = "&Export Report...\tCtrl+E";
inline constexpr const char* kQuitMenuItem = "&Quit\tCtrl+Q";

// Command line
inline constexpr const char* kReportOption = "Write a report of the settings to OUT.html or OUT.pdf and exit.";
inline constexpr const char* kCompareOption = "With --report: compare the settings with those of this file.";
inline constexpr const char* kDifferencesOnlyOption = "With --report: show only the rows that differ.";
inline constexpr const char* kReportOptionsNeedReport = "--compare and --differences-only go with --report";

}  // namespace velmar::editor::texts
