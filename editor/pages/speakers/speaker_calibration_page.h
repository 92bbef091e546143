#pragma once

#include <array>

#include "pages/bound_value_group.h"
#include "pages/settings_page.h"

namespace velmar::editor {

// Control ids of page "4. Speaker Calibration".
enum CalibrationControl : int {
    kIdMusicSubEdit = 112,
    kIdCinemaSubEdit = 111,
    kIdCenterLevelEdit = 1026,
    kIdMusicSubSlider = 1047,
    kIdCinemaSubSlider = 1046,
    kIdMusicSubDb = 1087,
    kIdCenterLevelSlider = 1122,
    kIdLeftFrontLevelSlider = 1123,
    kIdLeftFrontLevelEdit = 1124,
    kIdLeftSurroundLevelEdit = 1125,
    kIdLeftRearLevelEdit = 1126,
    kIdLeftSurroundLevelSlider = 1127,
    kIdLeftRearLevelSlider = 1128,
    kIdNoiseLevelSlider = 1129,
    kIdNoiseLevelEdit = 1130,
    kIdRightFrontLevelEdit = 1131,
    kIdRightFrontLevelSlider = 1132,
    kIdRightSurroundLevelSlider = 1133,
    kIdRightSurroundLevelEdit = 1134,
    kIdRightRearLevelEdit = 1135,
    kIdRightRearLevelSlider = 1136,
    kIdMusicSubLabel = 1178,
};

// "4. Speaker Calibration": the noise reference level and the level of every speaker in half
// decibels. The Music subwoofer has no level of its own while Music follows the Cinema
// configuration.
class CSpeakerLevelCalibration : public CSettingsPage {
public:
    static constexpr int kLevelCount = 10;

    explicit CSpeakerLevelCalibration(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override;
    bool onSetActive() override;

protected:
    void onCreateControls() override;
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void ApplyMusicSubRule();
    int& levelOf(int index);

    CalibrationRecord* record_ = nullptr;
    const int* musicSameAsCinema_ = nullptr;
    std::array<CBoundValueDlg, kLevelCount> pairs_;
    BoundValueGroup group_;
};

}  // namespace velmar::editor
