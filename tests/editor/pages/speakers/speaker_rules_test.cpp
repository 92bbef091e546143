// Rules of the speaker pages that follow from record values alone (the pages' tests drive
// them through the controls).
#include <algorithm>
#include <gtest/gtest.h>

#include "pages/speakers/listener_rules.h"
#include "pages/speakers/speaker_rules.h"

using namespace velmar;
using namespace velmar::editor;

namespace {

bool contains(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

TEST(SubwooferChoice, SwitchingAdvancedOnAndOffKeepsTheNumberOfSubwoofers)
{
    // basic choice -> advanced -> basic again
    const int expected[][3] = {{0, 0, 1}, {1, 0, 1}, {2, 1, 2}, {3, 0, 1}, {4, 1, 2}};
    for (const auto& [basic, advanced, back] : expected) {
        const int converted = convertSubwooferChoice(basic, true);
        EXPECT_EQ(converted, advanced) << basic;
        EXPECT_EQ(convertSubwooferChoice(converted, false), back) << basic;
        ASSERT_LT(converted, subwooferItems(true).size());
        ASSERT_LT(back, subwooferItems(false).size());
    }
    EXPECT_EQ(subwooferItems(true).at(convertSubwooferChoice(4, true)), "2 Sub");
    EXPECT_EQ(subwooferItems(false).at(convertSubwooferChoice(1, false)), "2 Sub");
}

TEST(RoomFrequencyLimit, FollowsTheSubwooferCrossovers)
{
    SpeakerConfigRecord r;
    r.cinema.subCrossover = 11;  // 80 Hz
    r.music.subCrossover = 20;   // 125 Hz
    r.musicSameAsCinema = 1;
    EXPECT_EQ(roomFrequencyLimit(r), 80);
    r.musicSameAsCinema = 0;
    EXPECT_EQ(roomFrequencyLimit(r), 125);
    r.music.subCrossover = 2;
    EXPECT_EQ(roomFrequencyLimit(r), 80);
    r.cinema.subCrossover = 28;  // 165 Hz is beyond the filter
    EXPECT_EQ(roomFrequencyLimit(r), 160);
    r.cinema.subCrossover = -1;  // Cinema "Off"
    r.musicSameAsCinema = 1;
    EXPECT_EQ(roomFrequencyLimit(r), 20);
}

TEST(ListenerVisibility, NoControlIsBothShownAndHidden)
{
    for (int surround = 0; surround < 2; ++surround) {
        for (int rear = 0; rear < 4; ++rear) {
            const auto v = listenerVisibility(surround, rear);
            for (const int id : v.shown)
                EXPECT_FALSE(contains(v.hidden, id)) << surround << "/" << rear << ": " << id;
            // Front, center and subwoofer distances are never touched.
            for (const int id : {kIdLeftFrontEdit, kIdCenterEdit, kIdSubwooferEdit})
                EXPECT_FALSE(contains(v.shown, id) || contains(v.hidden, id));
        }
    }
}
