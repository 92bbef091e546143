// The Time/Timers, Tuner and Volume/Path Names pages end to end through unit_simulator on a
// pseudo-terminal (see pages_pty_fixture.h): one value changed through the controls of each
// page and of the station chooser reaches the saved file, and from there the unit.
#include "control_driver.h"
#include "pages_pty_fixture.h"
#include "pages/zones/time_timer_page.h"
#include "pages/zones/tuner_page.h"
#include "pages/zones/volumes_page.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {
class ZonePagesOnAPty : public PagesOnAPty {};
}  // namespace

TEST_F(ZonePagesOnAPty, ChangedValuesReachTheFileAndTheUnit)
{
    auto& timers = showPage<CTimeTimerPage>(1);
    setChecked(timers, kIdEnableTimers);
    // The factory timers play the tuner's first preset, AM 1 "1" at 530 kHz.
    ASSERT_EQ(textOf(timers, kIdStation), "AM1-1  530 KHz");
    script.answer([](QDialog& window) {
        auto& chooser = *window.findChild<CTuner*>();
        typeText(chooser, kIdFreqEdit, "1000");
        clickControl(chooser, ui::kIdOk);
    });
    clickControl(timers, kIdStation);
    EXPECT_EQ(textOf(timers, kIdStation), "AM1-1  1000 KHz");

    auto& tuner = showPage<CTuner>(11);
    clickControl(tuner, kIdPresetButtons[1]);
    setChecked(tuner, kIdMono);

    auto& volumes = showPage<CVolumesRenamePaths>(8);
    chooseItem(volumes, kIdMuteLevel, 3);

    EXPECT_EQ(changedFields(), (std::set<std::string>{"Current:timers.timersEnabled", "Current:tuner.freq[0]",
                                                      "Current:tuner.mode[7]", "Current:volumes.muteLevel"}));
    EXPECT_TRUE(programmedBack());
}
