#pragma once

#include <vector>

#include "pages/bound_value_group.h"
#include "settings/records/speaker_config_record.h"
#include "ui/dialog.h"

namespace velmar::editor {

// Control ids of the Cinema and Music Speaker Config dialogs.
enum SpeakerModeControl : int {
    kIdXOverEdit = 1003,
    kIdXOverSlider = 1004,
    kIdXOverHz = 1005,
    kIdFrontXEdit = 1006,
    kIdFrontXSlider = 1007,
    kIdSurroundXEdit = 1009,
    kIdSurroundXSlider = 1010,
    kIdRearXEdit = 1012,
    kIdRearXSlider = 1013,
    kIdSubXEdit = 1015,
    kIdSubXSlider = 1016,
    kIdCenterXEdit = 1018,
    kIdCenterXSlider = 1019,
    kIdPhaseEdit = 1021,
    kIdPhaseSlider = 1022,
    kIdCenterSize = 1026,
    kIdAdvanced = 1084,
    kIdFrontSize = 1085,
    kIdSurroundSize = 1086,
    kIdRearSize = 1087,
    kIdSubwoofer = 1088,
    kIdPolarity = 1096,
    kIdBypassLfe = 1097,
    kIdCenterAdvancedMark = 1098,
    kIdFrontAdvancedMark = 1099,
    kIdSameAsCinema = 1100,
    kIdRearAdvancedMark = 1101,
    kIdSurroundAdvancedMark = 1102,
    kIdXOverAdvancedMark = 1103,
    kIdFrontOff = 1104,
    kIdCenterOff = 1105,
    kIdSurroundOff = 1106,
    kIdRearOff = 1107,
    kIdSubOff = 1108,
};

// "Cinema Speaker Config": speaker sizes, subwoofers, crossovers, subwoofer phase and polarity
// of one speaker mode record, in basic or advanced settings. Edits the record in place.
class CCinemaSpeakerConfigDlg : public ui::Dialog {
public:
    explicit CCinemaSpeakerConfigDlg(SpeakerModeRecord& record, QWidget* parent = nullptr);

protected:
    // The range of the five advanced crossovers; Cinema reaches down to 20 Hz ("Off").
    struct Limits {
        double low;
        double high;
    };
    CCinemaSpeakerConfigDlg(SpeakerModeRecord& record, Limits advanced, QWidget* parent);

    void onInitDialog() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

    // Where the Music dialog differs: its "Same As Cinema Config:" box.
    virtual void exchangeSameAsCinema(ui::DataExchange&) {}
    // The "Off", rears list and advanced rules, after every exchange.
    virtual void ApplyRules();

    void SetUpPairs();
    void ShowPolarity();

private:
    void buildControls();
    void exchangeSubwoofer(ui::DataExchange& dx, int oldAdvanced);
    void storePositions();
    void ApplyOffRule();
    void ApplyRearsRule();
    void ApplyAdvancedRule();
    void OnUseAdvanced();
    void OnPolarity();

    SpeakerModeRecord& record_;
    Limits advancedLimits_;
    CBoundValueDlg xover_;
    CBoundValueDlg centerX_;
    CBoundValueDlg frontX_;
    CBoundValueDlg rearX_;
    CBoundValueDlg subX_;
    CBoundValueDlg surroundX_;
    CBoundValueDlg phase_;
    BoundValueGroup pairs_;
};

// "Music Speaker Config": the same for the Music record, whose crossovers run from 25 to
// 165 Hz, and which may follow the Cinema configuration instead ("Same As Cinema Config:").
class CMusicSpeakerConfigDlg : public CCinemaSpeakerConfigDlg {
public:
    CMusicSpeakerConfigDlg(SpeakerModeRecord& record, int& sameAsCinema, QWidget* parent = nullptr);

protected:
    void onInitDialog() override;
    void exchangeSameAsCinema(ui::DataExchange& dx) override;
    // While Music follows Cinema, nothing but the box itself can be changed.
    void ApplyRules() override;

private:
    void OnSameAsCinema();

    int& sameAsCinema_;
};

}  // namespace velmar::editor
