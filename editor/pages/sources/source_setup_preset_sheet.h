#pragma once

#include <QString>
#include <string>

#include "settings/model_kind.h"
#include "settings/records/setup_presets_record.h"
#include "ui/property_sheet.h"

namespace velmar::editor {

class CSourceSetupPresetsSetupPage;
class CSourceSetupPresetsPresetPage;

// "5. Source Setup/Preset for " + the source's name.
QString sourceSheetTitle(const std::string& name);

// The modal sub-sheet of "5. Setup/Presets" for one source: its Setup and Presets pages
// edit the source's entry in place, showing what the source's kind and the unit's model
// allow. The title follows a rename.
class CSourceSetupPresetSheet : public ui::PropertySheet {
public:
    CSourceSetupPresetSheet(SourceEntry& entry, int source, ModelKind model, QWidget* parent = nullptr);

    CSourceSetupPresetsSetupPage& setupPage() { return *setup_; }
    CSourceSetupPresetsPresetPage& presetPage() { return *presets_; }

private:
    CSourceSetupPresetsSetupPage* setup_;
    CSourceSetupPresetsPresetPage* presets_;
};

}  // namespace velmar::editor
