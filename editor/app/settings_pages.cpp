#include "app/settings_pages.h"

#include "pages/sources/ad_audio_out_format_page.h"
#include "pages/sources/adjust_input_levels_page.h"
#include "pages/system/displays_timeout_page.h"
#include "pages/speakers/listener_position_page.h"
#include "pages/sources/source_setup_presets_page.h"
#include "pages/speakers/speaker_config_page.h"
#include "pages/speakers/speaker_calibration_page.h"
#include "pages/zones/time_timer_page.h"
#include "pages/system/triggers_ir_rs232_page.h"
#include "pages/zones/tuner_page.h"
#include "pages/zones/volumes_page.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {1, "time-timers", &makePage<CTimeTimerPage>},
        {2, "speaker-config", &makePage<CSpeakerConfigPage>},
        {3, "listener-position", &makePage<CListenerPosition>},
        {4, "speaker-calibration", &makePage<CSpeakerLevelCalibration>},
        {5, "setup-presets", &makePage<CSourceSetupPresets>},
        {6, "adjust-input-levels", &makePage<CAdjustInputLevels>},
        {7, "audio-out-format", &makePage<CADAudioOutFormat>},
        {8, "volume-path-names", &makePage<CVolumesRenamePaths>},
        {9, "triggers-ir-rs232", &makePage<CTriggersIRRS232>},
        {10, "displays-timeout", &makePage<CDisplaysTimeout>},
        {11, "tuner", &makePage<CTuner>},
    };
    return table;
}

}  // namespace velmar::editor
