#include "settings_pages.h"

#include "listener_position.h"
#include "speaker_config_page.h"
#include "speaker_level_calibration.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {2, "speaker-config", &makePage<CSpeakerConfigPage>},
        {3, "listener-position", &makePage<CListenerPosition>},
        {4, "speaker-calibration", &makePage<CSpeakerLevelCalibration>},
    };
    return table;
}

}  // namespace velmar::editor
