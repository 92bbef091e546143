#pragma once

#include "pages/bound_value_group.h"
#include "settings/records/displays_record.h"
#include "pages/settings_page.h"

namespace velmar::editor {

// Control ids of page "10. Displays/Timeout"; the brightness captions' ids are the page's own.
enum DisplaysControl : int {
    kIdMainOsColor = 1065,
    kIdZone2OsInfo = 1067,
    kIdZone2OsPosition = 1068,
    kIdZone2OsColor = 1069,
    kIdWakeUp = 1070,
    kIdTimeoutEdit = 1197,
    kIdTimeoutSlider = 1198,
    kIdMainOnScreen = 1199,
    kIdMainOsInfo = 1200,
    kIdMainOsPosition = 1201,
    kIdZone2OnScreen = 1202,
    kIdHighEdit = 1203,
    kIdHighSlider = 1204,
    kIdMediumEdit = 1205,
    kIdMediumSlider = 1206,
    kIdLowEdit = 1207,
    kIdLowSlider = 1208,
    kIdBrightnessCaption = 1236,
    kIdHighLabel = 9001,
    kIdMediumLabel = 9002,
    kIdLowLabel = 9003,
};

namespace displays_texts {
inline constexpr const char* kCaption = "10. Displays/Timeout";
inline constexpr const char* kMain = "Main";
inline constexpr const char* kZone2 = "Zone 2";
inline constexpr const char* kOnScreen = "ON-Screen:";
inline constexpr const char* kMainOnScreenItems[] = {"Bypassed", "Comp Only", "S-Video Only", "Composite + S-V"};
inline constexpr const char* kZone2OnScreenItems[] = {"Bypassed", "Comp Only", "S-V Only", "Composite + S-V"};
inline constexpr const char* kOsInfo = "OS Info:";
inline constexpr const char* kMainOsInfoItems[] = {"All Zones",    "Main Only",     "Mn + HPone",
                                                   "Mn + HP + Z3", "Mn + HP + Rec", "M + HP + Z3 +R"};
inline constexpr const char* kZone2OsInfoItems[] = {"All Zones", "Z2 Only"};
inline constexpr const char* kOsPosition = "OS Position:";
inline constexpr const char* kOsPositionItems[] = {"Top", "Middle", "Bottom"};
inline constexpr const char* kOsColor = "OS Color:";
inline constexpr const char* kOsColorItems[] = {"Blue", "Black", "Magenta"};
inline constexpr const char* kWakeUp = "Front  Panel Wake Up:";
inline constexpr const char* kWakeUpItems[] = {"Up 1", "Hi", "None"};
inline constexpr const char* kFunctionTimeout = "Function Timeout:";
inline constexpr const char* kSeconds = "s";
inline constexpr const char* kBrightnessCaption = "Front Panel Brightness (QRX 20 only):";
inline constexpr const char* kHigh = "High:";
inline constexpr const char* kMedium = "Medium:";
inline constexpr const char* kLow = "Low:";
}  // namespace displays_texts

// "10. Displays/Timeout": on-screen display of Main and Zone 2, front panel wake-up, the
// function timeout and, on a QRX 20, the three front panel brightness levels, each kept
// strictly between its neighbours.
class CDisplaysTimeout : public CSettingsPage {
public:
    explicit CDisplaysTimeout(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override { record_ = &working.displays; }
    bool onSetActive() override;

protected:
    void onCreateControls() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    bool showsBrightness();
    void applyModelRule();
    void setUpPairs();
    // The brightness ranges from the levels given; each position is then brought into its range.
    void setBrightnessRanges(int low, int medium, int high);
    // Shows levels already in order, each within its range.
    void showBrightness(int low, int medium, int high);

    DisplaysRecord* record_ = nullptr;
    CBoundValueDlg timeout_;
    CBoundValueDlg high_;
    CBoundValueDlg medium_;
    CBoundValueDlg low_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
