#include "settings_pages.h"

#include "displays_timeout.h"
#include "listener_position.h"
#include "speaker_config_page.h"
#include "speaker_level_calibration.h"
#include "triggers_ir_rs232.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {2, "speaker-config", &makePage<CSpeakerConfigPage>},
        {3, "listener-position", &makePage<CListenerPosition>},
        {4, "speaker-calibration", &makePage<CSpeakerLevelCalibration>},
        {9, "triggers-ir-rs232", &makePage<CTriggersIRRS232>},
        {10, "displays-timeout", &makePage<CDisplaysTimeout>},
    };
    return table;
}

}  // namespace velmar::editor
