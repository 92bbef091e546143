#pragma once

#include "pages/bound_value_group.h"
#include "settings/records/speaker_config_record.h"
#include "ui/dialog.h"

namespace velmar::editor {

// Control ids of the room resonance filter dialog.
enum RoomResonanceControl : int {
    kIdApplyFilter = 1060,
    kIdToneFreqEdit = 1061,
    kIdFilterCenterEdit = 1062,
    kIdFilterDepth = 1063,
    kIdFilterWidthEdit = 1064,
    kIdThxUltra2Sub = 1065,
    kIdThxBgCompensation = 1066,
    kIdThxNotApplicable = 1156,
    kIdToneLevelEdit = 1205,
    kIdToneLevelSlider = 1206,
    kIdToneFreqSlider = 1210,
    kIdFilterCenterSlider = 1211,
    kIdFilterWidthSlider = 1212,
};

// "Room resonance fliter": test tone, the filter against one room resonance and the THX
// options. Frequencies reach up to limitHz (the subwoofer crossover). Edits the record in place.
class CRoomResonanceDlg : public ui::Dialog {
public:
    CRoomResonanceDlg(RoomResonanceRecord& record, int limitHz, QWidget* parent = nullptr);

protected:
    void onInitDialog() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void buildControls();

    RoomResonanceRecord& record_;
    int limitHz_;
    CBoundValueDlg toneLevel_;
    CBoundValueDlg toneFrequency_;
    CBoundValueDlg filterCenter_;
    CBoundValueDlg filterWidth_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
