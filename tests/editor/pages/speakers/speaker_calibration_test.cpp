// "4. Speaker Calibration": ten half-decibel levels loaded as stored.
#include <gtest/gtest.h>

#include "modal_script.h"
#include "speaker_pages_fixture.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class CalibrationTest : public SpeakerPagesTest {};

}  // namespace

TEST_F(CalibrationTest, ALevelBeyondTheRangeStaysUntilATrackbarIsScrolled)
{
    calibration().channelLevel[0] = 30;  // Left Front +15 dB
    auto& page = calibrationPage();
    EXPECT_EQ(textOf(page, kIdLeftFrontLevelEdit), "15");
    EXPECT_EQ(slider(page, kIdLeftFrontLevelSlider).value(), 24);
    speakerPage();
    EXPECT_EQ(calibration().channelLevel[0], 30);

    auto& again = calibrationPage();
    EXPECT_EQ(textOf(again, kIdLeftFrontLevelEdit), "15");
    dragTo(again, kIdCenterLevelSlider, 4);
    EXPECT_EQ(textOf(again, kIdLeftFrontLevelEdit), "12");
    speakerPage();
    EXPECT_EQ(calibration().channelLevel[0], 24);
    EXPECT_EQ(calibration().channelLevel[1], 4);
}

TEST_F(CalibrationTest, TypedLevelsMustLieOnTheirHalfDecibelSteps)
{
    calibration().channelLevel[6] = 0;
    auto& page = calibrationPage();
    ModalScript script;
    // Refused while typing, and again on leaving the edit; the user then puts it right (a
    // refused text is taken up again by every commit until then).
    enter(page, kIdLeftSurroundLevelEdit, "12.5");
    ASSERT_FALSE(script.shown.empty());
    for (const ShownDialog& message : script.shown)
        EXPECT_EQ(message.text, "Invalid Input, Range out of bounds: -12.0 To 12.0 with step 0.5");
    enter(page, kIdLeftSurroundLevelEdit, "-12");

    // Taken while typing (3.0), refused on leaving.
    script.shown.clear();
    enter(page, kIdLeftRearLevelEdit, "3.3");
    EXPECT_EQ(script.shown.size(), 1u);
    enter(page, kIdLeftRearLevelEdit, "3.5");

    script.shown.clear();
    enter(page, kIdNoiseLevelEdit, "20");
    EXPECT_TRUE(script.shown.empty());
    speakerPage();
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(calibration().channelLevel[6], -24);
    EXPECT_EQ(calibration().channelLevel[5], 7);
    EXPECT_EQ(calibration().noiseReferenceLevel, 40);
}

TEST_F(CalibrationTest, EveryLevelReachesItsOwnChannel)
{
    // Distinct values in every control, then each field of the record holds its own.
    const std::pair<int, int> edits[] = {
        {kIdMusicSubEdit, 8},        {kIdRightSurroundLevelEdit, 3}, {kIdRightRearLevelEdit, 4},
        {kIdRightFrontLevelEdit, 2}, {kIdLeftSurroundLevelEdit, 6},  {kIdLeftRearLevelEdit, 5},
        {kIdLeftFrontLevelEdit, 0},  {kIdCinemaSubEdit, 7},          {kIdCenterLevelEdit, 1},
    };
    speakers().musicSameAsCinema = 0;
    auto& page = calibrationPage();
    for (const auto& [edit, channel] : edits)
        enter(page, edit, QString::number(channel + 1));
    enter(page, kIdNoiseLevelEdit, "-19.5");
    speakerPage();
    for (const auto& [edit, channel] : edits)
        EXPECT_EQ(calibration().channelLevel[static_cast<size_t>(channel)], 2 * (channel + 1)) << edit;
    EXPECT_EQ(calibration().noiseReferenceLevel, -39);
}
