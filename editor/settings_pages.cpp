#include "settings_pages.h"

#include "ad_audio_out_format_page.h"
#include "adjust_input_levels_page.h"
#include "source_setup_presets_page.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {5, "setup-presets", &makePage<CSourceSetupPresets>},
        {6, "adjust-input-levels", &makePage<CAdjustInputLevels>},
        {7, "audio-out-format", &makePage<CADAudioOutFormat>},
    };
    return table;
}

}  // namespace velmar::editor
