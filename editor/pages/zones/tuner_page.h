#pragma once

#include <QDialog>

#include "pages/bound_value_group.h"
#include "pages/settings_page.h"
#include "pages/zones/tuner_rules.h"

namespace velmar::editor {

enum TunerControl : int {
    kIdBand = 1061,
    kIdPresetLabel = 1062,
    kIdFreqSlider = 1242,
    kIdFreqEdit = 1243,
    kIdStereo = 1244,
    kIdHighBlend = 1245,
    kIdMono = 1246,
    kIdModeBox = 1249,
    kIdFreqUnit = 2179,  // the unit beside the frequency: kHz for AM, MHz for FM
};
// The buttons "1" to "6", in preset order.
inline constexpr int kIdPresetButtons[kPresetsPerBank] = {1049, 1050, 1051, 1053, 1054, 1052};

// "11.Tuner": the 24 tuner presets, a frequency each and, for FM, a reception mode. The same
// class is the station chooser that the Time/Timers page runs modally: then its OK and Cancel
// are shown, and it edits the tuner record it is given.
class CTuner : public CSettingsPage {
public:
    explicit CTuner(PageContext& context);
    CTuner(PageContext& context, TunerRecord& tuner, PresetChoice opening);

    // The chooser: ui::kIdOk when it ended with OK. Otherwise the opening preset gets back the
    // frequency it had; presets changed after switching preset or band keep their changes.
    int DoModal(QWidget* parent);
    // The bank and preset shown (after OK: the chosen ones).
    PresetChoice Choice() const { return {bank_, preset_}; }

    void BindRecords(SettingsRecordSet& working) override { tuner_ = &working.tuner; }
    void onCreateControls() override;
    bool onSetActive() override;
    void WalkControls(PageWalk& walk) override;

protected:
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    CTuner(PageContext& context, TunerRecord* tuner, PresetChoice opening, bool chooser);
    void ApplyBand();
    void SelectPreset(int preset);
    // The pair's range, the mode radios and the unit by band; the pair from the shown preset.
    void ShowBand();
    void OnOK();
    int shownIndex() const { return presetIndex(Choice()); }

    TunerRecord* tuner_ = nullptr;
    const bool chooser_;
    int bank_;
    int preset_;
    int openingIndex_ = 0;
    int openingFreq_ = 0;
    QDialog* frame_ = nullptr;
    CBoundValueDlg freq_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
