#pragma once

#include "pages/settings_page.h"

namespace velmar::editor {

// "Copy Main" radios, "Manual" then "Automatic" per zone.
enum CopyMainId : int {
    kIdZone2Manual = 1029,
    kIdZone2Automatic = 1026,
    kIdZone3Manual = 1033,
    kIdZone3Automatic = 1032,
    kIdRecManual = 1035,
    kIdRecAutomatic = 1034,
};

// "5. Setup/Presets": one button per source, each opening the source's sub-sheet, and per
// zone whether the main zone's source is copied to it automatically.
class CSourceSetupPresets : public CSettingsPage {
public:
    explicit CSourceSetupPresets(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override { record_ = &working.setupPresets; }
    void onCreateControls() override;
    // Runs the sub-sheet of a unit source. On OK the entry goes into the store and comes back
    // from it (so it holds what the store keeps); otherwise it is restored. True on OK.
    bool OpenSource(int source);
    void WalkControls(PageWalk& walk) override;

protected:
    void doDataExchange(ui::DataExchange& dx) override;

private:
    SetupPresetsRecord* record_ = nullptr;
};

}  // namespace velmar::editor
