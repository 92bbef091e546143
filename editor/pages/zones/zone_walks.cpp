// The zone pages' walks for a report (pages/page_walk.h): every timer, volume path and tuner
// preset in turn, shown as choosing it on the page shows it.
#include <iterator>

#include "pages/page_walk.h"
#include "pages/zones/time_timer_page.h"
#include "pages/zones/tuner_page.h"
#include "pages/zones/volume_rules.h"
#include "pages/zones/volumes_page.h"
#include "pages/zones/zone_texts.h"

namespace velmar::editor {

void CTimeTimerPage::WalkControls(PageWalk& walk)
{
    const std::vector<int> selectors{kIdTimerZone, kIdTimer};
    walk.read(*this, {.skip = selectors, .only = {kIdClock24, kIdEnableTimers}});
    ui::ReadFilter timer{.skip = selectors, .only = {kIdTimerDays, kIdTimerSource, kIdStation, kIdAutoOnVolumeEdit}};
    for (int slot = 0; slot < kTimerTimeSlotCount; ++slot)
        timer.only.insert(timer.only.end(), {kIdTimerHours[slot], kIdTimerMinutes[slot], kIdTimerAmPm[slot]});
    const auto show = [this](int zone, int entry) {
        zone_ = zoneListed_ = zone;
        timer_ = timerListed_ = entry;
        LoadEntry();
        updateData(false);
        ShowStation();
        ApplyEnableRule();
    };
    const int zone = zone_;
    const int entry = timer_;
    for (int z = 0; z < static_cast<int>(std::size(record_->entry)); ++z) {
        for (int t = 0; t < static_cast<int>(std::size(record_->entry[0])); ++t) {
            show(z, t);
            const WalkSection section(walk, indexedKey("zone", z) + '.' + indexedKey("timer", t),
                                      selectionTitle(*this, {kIdTimerZone, kIdTimer}));
            walk.read(*this, timer);
        }
    }
    show(zone, entry);
}

void CVolumesRenamePaths::WalkControls(PageWalk& walk)
{
    const std::vector<int> selectors{kIdPathMain, kIdPathZone2, kIdPathZone3, kIdPathHPhone};
    walk.read(*this, {.skip = selectors,
                      .only = {kIdMuteLevel, kIdHPhoneMute, kIdRenameZone2, kIdRenameZone3, kIdRenameRecord}});
    const auto show = [this](int path) {
        path_ = pathChecked_ = path;
        ShowPath();
        updateData(false);
        setControlText(kIdVolumeBox, texts::kPathCaptions[path_]);
    };
    const int path = path_;
    for (int p = 0; p < kPathCount; ++p) {
        show(p);
        // The box's title names the path.
        const WalkSection section(walk, indexedKey("path", p));
        walk.read(*this, {.skip = selectors, .only = {kIdOnVolumeEdit, kIdMaxVolumeEdit, kIdLockToOnVol}});
    }
    show(path);
}

void CTuner::WalkControls(PageWalk& walk)
{
    ui::ReadFilter filter{.skip = {kIdBand}};
    filter.skip.insert(filter.skip.end(), std::begin(kIdPresetButtons), std::end(kIdPresetButtons));
    const auto show = [this](PresetChoice choice) {
        bank_ = choice.bank;
        preset_ = choice.preset;
        ShowBand();
        updateData(false);
    };
    const PresetChoice shown = Choice();
    for (int bank = 0; bank < kBankCount; ++bank) {
        for (int preset = 0; preset < kPresetsPerBank; ++preset) {
            show({bank, preset});
            const WalkSection section(walk, indexedKey("band", bank) + '.' + indexedKey("preset", preset),
                                      selectionTitle(*this, {kIdBand, kIdPresetLabel}));
            walk.read(*this, filter);
        }
    }
    show(shown);
}

}  // namespace velmar::editor
