// The speaker pages and their dialogs end to end through unit_simulator (see
// pages_pty_fixture.h): one value changed through the controls of each page and of each
// dialog reaches the saved file, and nothing else does; programmed back, the unit holds it.
#include <QSlider>

#include "pages/speakers/bass_peak_level_dialog.h"
#include "pages/speakers/listener_position_page.h"
#include "pages_pty_fixture.h"
#include "pages/speakers/room_resonance_dialog.h"
#include "pages/speakers/speaker_config_page.h"
#include "pages/speakers/speaker_calibration_page.h"
#include "pages/speakers/speaker_mode_dialog.h"

using namespace velmar;
using namespace velmar::editor;
using velmar::test::PagesOnAPty;

namespace {

class SpeakerPagesOnAPty : public PagesOnAPty {
protected:
    // Opens a dialog from the Speaker Config page, runs a step on it and ends it with OK.
    void inDialog(CSpeakerConfigPage& page, int button, std::function<void(ui::ControlHost&)> change)
    {
        script.step(std::move(change)).click(ui::kIdOk);
        test::clickControl(page, button);
    }
    static void dragTo(ui::ControlHost& host, int id, int position)
    {
        auto* slider = host.controlAs<QSlider>(id);
        slider->setSliderPosition(position);
        QTest::mouseRelease(slider, Qt::LeftButton);
    }
};

}  // namespace

TEST_F(SpeakerPagesOnAPty, OneValueOnEachSpeakerPageAndDialogReachesFileAndUnit)
{
    auto& speakers = showPage<CSpeakerConfigPage>(2);
    const int surroundType = speakers.record().surroundType;
    test::chooseItem(speakers, kIdSurroundType, 1 - surroundType);
    inDialog(speakers, kIdCinemaConfig, [](ui::ControlHost& d) { dragTo(d, kIdXOverSlider, 20); });
    const int musicCenter = speakers.record().music.center;
    inDialog(speakers, kIdMusicConfig,
             [&](ui::ControlHost& d) { test::chooseItem(d, kIdCenterSize, musicCenter == 2 ? 1 : 2); });
    inDialog(speakers, kIdRoomFilter, [](ui::ControlHost& d) { test::clickControl(d, kIdApplyFilter); });
    inDialog(speakers, kIdBassPeak, [](ui::ControlHost& d) { dragTo(d, kIdBassPeakSlider, -20); });

    auto& listener = showPage<CListenerPosition>(3);
    test::typeText(listener, kIdLeftFrontEdit, "15");
    test::leaveEdit(listener, kIdLeftFrontEdit);

    auto& calibration = showPage<CSpeakerLevelCalibration>(4);
    test::typeText(calibration, kIdCenterLevelEdit, "2.5");
    test::leaveEdit(calibration, kIdCenterLevelEdit);

    EXPECT_EQ(changedFields(), (std::set<std::string>{
                                   "Current:speakerConfig.surroundType",
                                   "Current:speakerConfig.cinema.subCrossover",
                                   "Current:speakerConfig.music.center",
                                   "Current:speakerConfig.room.applyFilter",
                                   "Current:speakerConfig.bassPeak",
                                   "Current:listener.distance[0]",
                                   "Current:calibration.channelLevel[1]",
                               }));
    EXPECT_EQ(script.shown.size(), 4u) << "the four dialogs and no message";
    EXPECT_TRUE(programmedBack());
}
