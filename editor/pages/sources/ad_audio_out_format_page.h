#pragma once

#include "pages/settings_page.h"

namespace velmar::editor {

enum AudioOutId : int {
    kIdReverseSurRear = 1164,
    kIdCopySurToRear = 1165,
    kIdReverseSurRearLabel = 1175,
    kIdCopySurToRearLabel = 1176,
    kIdReverseNa = 1177,
    kIdCopyNa = 1178,
    kIdFs6ch = 1168,
    kIdFs2ch = 1169,
    kIdDigital2 = 1172,
    kId16Bit = 1170,
    kId24Bit = 1171,
    kIdCtr2Sub2 = 1173,
    kIdZone2LR = 1174,
};

// "7. A-D/Audio-Out Format": sample rates of the analog DSP inputs, the first digital
// output's word length, the second digital output's source, the balanced outputs and the
// two rear options, which apply only when a speaker mode has rear speakers.
class CADAudioOutFormat : public CSettingsPage {
public:
    explicit CADAudioOutFormat(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override;
    void onCreateControls() override;
    void onInitDialog() override;
    bool onSetActive() override;

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    // A click on one box of a pair that acts as one choice.
    void choose(int& field, int value);
    void applyRearRule();

    AudioOutRecord* record_ = nullptr;
    const int* cinemaRears_ = nullptr;
    const int* musicRears_ = nullptr;
    // What the two box pairs show, from dig1Is16Bit and balOutZone2.
    int show16Bit_ = 0, show24Bit_ = 0, showCtr2Sub2_ = 0, showZone2LR_ = 0;
};

}  // namespace velmar::editor
