// End to end: one value changed through the controls of "5. Setup/Presets", of a source's
// sub-sheet (both its pages), of "6. Adjust Input Levels" and of "7. A-D/Audio-Out Format"
// reaches the saved file, and from it the unit.
#include "pages/sources/ad_audio_out_format_page.h"
#include "pages/sources/adjust_input_levels_page.h"
#include "control_driver.h"
#include "pages_pty_fixture.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_preset_page.h"
#include "pages/sources/source_setup_page.h"
#include "pages/sources/source_setup_preset_sheet.h"
#include "pages/sources/source_setup_presets_page.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class SourcePagesOnAPty : public PagesOnAPty {};

constexpr int kDvd = 0;

}  // namespace

TEST_F(SourcePagesOnAPty, OneValuePerPageReachesTheFileAndTheUnit)
{
    auto& presets = showPage<CSourceSetupPresets>(5);
    setChecked(presets, kIdZone2Automatic);
    script.answer([](QDialog& d) {
        auto& sub = dynamic_cast<CSourceSetupPresetSheet&>(d);
        chooseItem(sub.setupPage(), kIdSpeakerConfigList, 2);  // "Auto-LFE"
        sub.setActivePage(1);
        chooseItem(sub.presetPage(), kIdDts51Preset, 3);  // "PLIIx Movie"
        sub.pressOk();
    });
    clickControl(presets, sourceButtonOf(kDvd)->id);

    auto& levels = showPage<CAdjustInputLevels>(6);
    typeText(levels, kIdLevelEdit, "4.5");
    leaveEdit(levels, kIdLevelEdit);

    auto& audioOut = showPage<CADAudioOutFormat>(7);
    chooseItem(audioOut, kIdFs2ch, 3);

    EXPECT_EQ(changedFields(), (std::set<std::string>{
                                   "Current:setupPresets.copyZone2",
                                   "Current:setupPresets.entry[0].speakerConfig",
                                   "Current:setupPresets.entry[0].dts51",
                                   "Current:inputLevels.level[0]",
                                   "Current:audioOut.fs2ch",
                               }));
    EXPECT_TRUE(programmedBack());
}
