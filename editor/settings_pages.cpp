#include "settings_pages.h"

#include "time_timer_page.h"
#include "tuner_page.h"
#include "volumes_page.h"

namespace velmar::editor {

const std::vector<PageEntry>& settingsPageTable()
{
    static const std::vector<PageEntry> table{
        {1, "time-timers", &makePage<CTimeTimerPage>},
        {8, "volume-path-names", &makePage<CVolumesRenamePaths>},
        {11, "tuner", &makePage<CTuner>},
    };
    return table;
}

}  // namespace velmar::editor
