#pragma once

#include "settings/records/setup_presets_record.h"
#include "ui/property_page.h"

namespace velmar::editor {

// The drop lists of the "Presets" page; "6-ch:" edits the DD-5.1 slot for the 6-CH source.
enum PresetListId : int {
    kIdTwoChPreset = 1140,
    kIdDd20Preset = 1141,
    kIdDd51Preset = 1142,
    kIdDdExPreset = 1143,
    kIdDts51Preset = 1144,
    kIdDtsEsPreset = 1066,
    kIdSixChPreset = 1061,
};

// "Presets" of the per-source sub-sheet: the surround mode the unit picks for each kind of
// incoming signal. Binds straight to the presets of the source entry it is given; what it
// shows follows the source's preset kind (PresetKind flags, ORed in).
class CSourceSetupPresetsPresetPage : public ui::PropertyPage {
public:
    CSourceSetupPresetsPresetPage();

    void SetPresets(ModePresets* presets) { presets_ = presets; }
    void AddKind(int kind) { kind_ |= kind; }

    void onInitDialog() override;

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    ModePresets* presets_ = nullptr;
    int kind_ = 0;
};

}  // namespace velmar::editor
