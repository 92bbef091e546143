// "2. Speaker Config" and its four dialogs, driven through their controls.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include "pages/speakers/bass_peak_level_dialog.h"
#include "modal_script.h"
#include "pages/speakers/room_resonance_dialog.h"
#include "pages/speakers/speaker_mode_dialog.h"
#include "speaker_pages_fixture.h"
#include "pages/speakers/speaker_rules.h"
#include "pages/speakers/speaker_texts.h"
#include "app/texts.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

using Step = std::function<void(ui::ControlHost&)>;

class SpeakerConfigTest : public SpeakerPagesTest {
protected:
    // Opens a dialog from the page, runs the steps on it and ends it with OK.
    void edit(int button, const Step& steps, int ending = ui::kIdOk)
    {
        ModalScript script;
        script.step(steps).click(ending);
        clickControl(speakerPage(), button);
        dialogsShown = script.shown;
    }
    std::vector<ShownDialog> dialogsShown;
};

}  // namespace

TEST_F(SpeakerConfigTest, AdvancedSettingsCarryTheSubwooferAcrossTheTwoLists)
{
    speakers().cinema.subwoofer = 4;  // "2 Super"
    speakers().cinema.advanced = 0;
    std::vector<std::string> seen;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        setChecked(d, kIdAdvanced, true);
        seen.push_back(itemText(d, kIdSubwoofer) + "/" + std::to_string(itemCount(d, kIdSubwoofer)));
        setChecked(d, kIdAdvanced, false);
        seen.push_back(itemText(d, kIdSubwoofer) + "/" + std::to_string(itemCount(d, kIdSubwoofer)));
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"2 Sub/2", "2 Sub/5"}));
    EXPECT_EQ(speakers().cinema.subwoofer, 2);
    EXPECT_EQ(speakers().cinema.advanced, 0);
}

TEST_F(SpeakerConfigTest, OpeningAModeDialogAndPressingOkChangesNothing)
{
    // Every subwoofer choice of both lists, in both dialogs: the list is filled before the
    // stored choice is shown in it.
    for (const int advanced : {0, 1}) {
        for (int choice = 0; choice < (advanced ? 2 : 5); ++choice) {
            for (const int button : {kIdCinemaConfig, kIdMusicConfig}) {
                SpeakerModeRecord& mode = button == kIdCinemaConfig ? speakers().cinema : speakers().music;
                mode.advanced = advanced;
                mode.subwoofer = choice;
                mode.fronts = 2;
                mode.surrounds = 1;
                mode.rears = 2;
                mode.subCrossover = 11;
                const SpeakerConfigRecord before = speakers();
                std::string shownChoice;
                edit(button, [&](ui::ControlHost& d) { shownChoice = itemText(d, kIdSubwoofer); });
                EXPECT_EQ(speakers(), before) << button << " advanced " << advanced << " choice " << choice;
                EXPECT_EQ(shownChoice, subwooferItems(advanced).at(choice).toStdString());
            }
        }
    }
}

TEST_F(SpeakerConfigTest, CinemaCrossoverAtItsLowestPositionIsOff)
{
    speakers().cinema.advanced = 1;
    speakers().cinema.centerCrossover = 5;
    bool offWhileTyping = true;
    int typedPosition = 99;
    bool offAfterLeaving = false;
    bool editAfterLeaving = true;
    bool frontOff = false;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        EXPECT_EQ(slider(d, kIdCenterXSlider).minimum(), -1);
        EXPECT_EQ(slider(d, kIdCenterXSlider).maximum(), 27);
        typeText(d, kIdCenterXEdit, "20");
        typedPosition = slider(d, kIdCenterXSlider).value();  // 25 Hz while typing
        offWhileTyping = shown(d, kIdCenterOff);
        leaveEdit(d, kIdCenterXEdit);
        offAfterLeaving = shown(d, kIdCenterOff);
        editAfterLeaving = shown(d, kIdCenterXEdit);
        dragTo(d, kIdFrontXSlider, -1);
        frontOff = shown(d, kIdFrontOff) && !shown(d, kIdFrontXEdit);
    });
    EXPECT_EQ(typedPosition, 0);
    EXPECT_FALSE(offWhileTyping);
    EXPECT_TRUE(offAfterLeaving);
    EXPECT_FALSE(editAfterLeaving);
    EXPECT_TRUE(frontOff);
    EXPECT_EQ(speakers().cinema.centerCrossover, -1);
    EXPECT_EQ(speakers().cinema.frontCrossover, -1);
}

TEST_F(SpeakerConfigTest, MusicCrossoversRunFrom25To165AndAreNeverOff)
{
    speakers().music.advanced = 1;
    std::string lowest;
    bool off = true;
    edit(kIdMusicConfig, [&](ui::ControlHost& d) {
        EXPECT_EQ(slider(d, kIdSubXSlider).minimum(), 0);
        EXPECT_EQ(slider(d, kIdSubXSlider).maximum(), 28);
        dragTo(d, kIdSubXSlider, 0);
        lowest = textOf(d, kIdSubXEdit);
        off = shown(d, kIdSubOff);
        dragTo(d, kIdSubXSlider, 28);
    });
    EXPECT_EQ(lowest, "25");
    EXPECT_FALSE(off);
    EXPECT_EQ(speakers().music.subCrossover, 28);  // 165 Hz
}

TEST_F(SpeakerConfigTest, NoSurroundsLeaveTheRearsListWithNoneOnly)
{
    speakers().cinema.surrounds = 2;
    speakers().cinema.rears = 2;
    std::vector<std::string> rears;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        chooseItem(d, kIdSurroundSize, 0);
        rears.push_back(itemText(d, kIdRearSize) + "/" + std::to_string(itemCount(d, kIdRearSize)));
        chooseItem(d, kIdSurroundSize, 1);
        rears.push_back(std::to_string(itemCount(d, kIdRearSize)));
    });
    EXPECT_EQ(rears, (std::vector<std::string>{"None/1", "3"}));
    EXPECT_EQ(speakers().cinema.surrounds, 1);
    EXPECT_EQ(speakers().cinema.rears, 0);
}

TEST_F(SpeakerConfigTest, BasicCrossoverCarriesOverToTheAdvancedSubwooferPair)
{
    speakers().cinema.subCrossover = 0;
    std::string advancedSub;
    bool basicShown = true;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        enter(d, kIdXOverEdit, "80");
        setChecked(d, kIdAdvanced, true);
        advancedSub = textOf(d, kIdSubXEdit);
        basicShown = shown(d, kIdXOverSlider);
        EXPECT_TRUE(shown(d, kIdXOverAdvancedMark));
        EXPECT_TRUE(enabled(d, kIdSubXSlider));
    });
    EXPECT_EQ(advancedSub, "80");
    EXPECT_FALSE(basicShown);
    EXPECT_EQ(speakers().cinema.subCrossover, 11);
    EXPECT_EQ(speakers().cinema.advanced, 1);
}

TEST_F(SpeakerConfigTest, AdvancedControlsStayVisibleButOffInBasicSettings)
{
    speakers().cinema.advanced = 0;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        for (const int id : {kIdCenterXSlider, kIdPhaseSlider, kIdPolarity, kIdBypassLfe}) {
            EXPECT_TRUE(shown(d, id)) << id;
            EXPECT_FALSE(enabled(d, id)) << id;
        }
        EXPECT_FALSE(shown(d, kIdCenterAdvancedMark));
        EXPECT_TRUE(shown(d, kIdCenterSize));
        EXPECT_FALSE(shown(d, kIdSameAsCinema));  // Cinema has nothing to follow
    });
}

TEST_F(SpeakerConfigTest, PolarityButtonShowsAndFlipsThePolarity)
{
    speakers().cinema.advanced = 1;
    speakers().cinema.subPolarity = 0;
    std::vector<std::string> texts;
    edit(kIdCinemaConfig, [&](ui::ControlHost& d) {
        texts.push_back(textOf(d, kIdPolarity));
        clickControl(d, kIdPolarity);
        texts.push_back(textOf(d, kIdPolarity));
    });
    EXPECT_EQ(texts, (std::vector<std::string>{"Normal", "Inverted"}));
    EXPECT_EQ(speakers().cinema.subPolarity, 1);
}

TEST_F(SpeakerConfigTest, MusicSameAsCinemaLocksTheMusicDialogAndHidesItsSubwooferLevel)
{
    speakers().musicSameAsCinema = 0;
    speakers().music.advanced = 1;
    calibrationPage();
    EXPECT_TRUE(shown(calibrationPage(), kIdMusicSubSlider));

    edit(kIdMusicConfig, [&](ui::ControlHost& d) {
        setChecked(d, kIdSameAsCinema, true);
        for (const int id : {kIdCenterSize, kIdSubwoofer, kIdAdvanced, kIdSubXSlider, kIdPolarity})
            EXPECT_FALSE(enabled(d, id)) << id;
        EXPECT_TRUE(enabled(d, kIdSameAsCinema));
        EXPECT_TRUE(shown(d, kIdCenterAdvancedMark));
    });
    EXPECT_EQ(speakers().musicSameAsCinema, 1);
    auto& page = calibrationPage();
    for (const int id : {kIdMusicSubLabel, kIdMusicSubDb, kIdMusicSubSlider, kIdMusicSubEdit})
        EXPECT_FALSE(shown(page, id)) << id;

    edit(kIdMusicConfig, [&](ui::ControlHost& d) {
        EXPECT_FALSE(enabled(d, kIdSubwoofer));
        setChecked(d, kIdSameAsCinema, false);
        EXPECT_TRUE(enabled(d, kIdSubwoofer));
        EXPECT_TRUE(enabled(d, kIdSubXSlider));
    });
    EXPECT_EQ(speakers().musicSameAsCinema, 0);
    EXPECT_TRUE(shown(calibrationPage(), kIdMusicSubEdit));
}

TEST_F(SpeakerConfigTest, RoomFilterFrequenciesReachTheSubwooferCrossover)
{
    speakers().cinema.subCrossover = 11;  // 80 Hz
    speakers().music.subCrossover = 20;   // ignored while Music follows Cinema
    speakers().musicSameAsCinema = 1;
    std::string highestTone;
    edit(kIdRoomFilter, [&](ui::ControlHost& d) {
        EXPECT_EQ(slider(d, kIdToneFreqSlider).minimum(), 0);
        EXPECT_EQ(slider(d, kIdToneFreqSlider).maximum(), 20);
        EXPECT_EQ(slider(d, kIdFilterCenterSlider).maximum(), 60);
        EXPECT_EQ(slider(d, kIdFilterWidthSlider).maximum(), 79);
        dragTo(d, kIdToneFreqSlider, 20);
        highestTone = textOf(d, kIdToneFreqEdit);
    });
    EXPECT_EQ(highestTone, "78");
    EXPECT_EQ(speakers().room.toneFrequency, 20);

    speakers().musicSameAsCinema = 0;
    edit(kIdRoomFilter, [&](ui::ControlHost& d) { EXPECT_EQ(slider(d, kIdFilterCenterSlider).maximum(), 105); });
}

TEST_F(SpeakerConfigTest, ThxUltra2SubLocksTheBassPeakAndOffersBackgroundCompensation)
{
    speakers().room.thxUltra2Sub = 0;
    std::vector<bool> seen;
    edit(kIdRoomFilter, [&](ui::ControlHost& d) {
        seen = {shown(d, kIdThxNotApplicable), shown(d, kIdThxBgCompensation)};
        setChecked(d, kIdThxUltra2Sub, true);
        seen.push_back(shown(d, kIdThxNotApplicable));
        seen.push_back(shown(d, kIdThxBgCompensation));
    });
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(speakers().room.thxUltra2Sub, 1);

    edit(kIdBassPeak, [&](ui::ControlHost& d) {
        EXPECT_FALSE(enabled(d, kIdBassPeakSlider));
        EXPECT_FALSE(enabled(d, kIdBassPeakEdit));
    });
    speakers().room.thxUltra2Sub = 0;
    edit(kIdBassPeak, [&](ui::ControlHost& d) {
        EXPECT_EQ(slider(d, kIdBassPeakSlider).minimum(), -127);
        EXPECT_EQ(slider(d, kIdBassPeakSlider).maximum(), 0);
        enter(d, kIdBassPeakEdit, "-10.5");
    });
    EXPECT_EQ(speakers().bassPeak, -21);
}

TEST_F(SpeakerConfigTest, ACaptionBelongsToItsCheckBox)
{
    const auto caption = [](ui::ControlHost& host, const char* text) {
        for (QLabel* label : host.widget().findChildren<QLabel*>())
            if (label->text() == QLatin1String(text))
                return label;
        ADD_FAILURE() << text;
        return static_cast<QLabel*>(nullptr);
    };
    speakers().centerEq = 0;
    QTest::mouseClick(caption(speakerPage(), texts::kCenterEq), Qt::LeftButton);
    EXPECT_EQ(speakers().centerEq, 1);
    EXPECT_TRUE(enabled(speakerPage(), kIdTvSize));

    speakers().room.thxUltra2Sub = 0;
    std::vector<bool> seen;
    edit(kIdRoomFilter, [&](ui::ControlHost& d) {
        seen.push_back(caption(d, texts::kThxBgCompensation)->isHidden());
        QTest::mouseClick(caption(d, texts::kThxUltra2Sub), Qt::LeftButton);
        seen.push_back(caption(d, texts::kThxBgCompensation)->isHidden());
    });
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_EQ(speakers().room.thxUltra2Sub, 1);
}

TEST_F(SpeakerConfigTest, CancelEscapeAndTheCloseBoxRestoreEveryDialogsRecord)
{
    // Each dialog changes its part of the record while open; each way out but OK puts it back.
    speakers().cinema.advanced = 0;
    speakers().cinema.subCrossover = 0;
    speakers().room.toneLevel = 0;
    speakers().room.thxUltra2Sub = 0;
    speakers().bassPeak = 0;
    const std::pair<int, Step> changes[] = {
        {kIdCinemaConfig, [](ui::ControlHost& d) { dragTo(d, kIdXOverSlider, 20); }},
        {kIdMusicConfig, [](ui::ControlHost& d) { clickControl(d, kIdSameAsCinema); }},
        {kIdRoomFilter, [](ui::ControlHost& d) { dragTo(d, kIdToneLevelSlider, 10); }},
        {kIdBassPeak, [](ui::ControlHost& d) { dragTo(d, kIdBassPeakSlider, -20); }},
    };
    const std::pair<const char*, Step> endings[] = {
        {"Cancel", [](ui::ControlHost& d) { clickControl(d, ui::kIdCancel); }},
        {"Escape", [](ui::ControlHost& d) { QTest::keyClick(&d.widget(), Qt::Key_Escape); }},
        {"close box", [](ui::ControlHost& d) { d.widget().close(); }},
    };
    for (const auto& [button, change] : changes) {
        for (const auto& [ending, end] : endings) {
            const SpeakerConfigRecord before = speakers();
            bool changed = false;
            bool open = true;
            ModalScript script;
            script.step([&](ui::ControlHost& d) {
                change(d);
                changed = !(speakers() == before);
                end(d);
                open = d.widget().isVisible();
            });
            script.answer([](QDialog&) {});
            clickControl(speakerPage(), button);
            EXPECT_TRUE(changed) << button << " " << ending;
            EXPECT_FALSE(open) << button << " " << ending;
            EXPECT_EQ(speakers(), before) << button << " " << ending;
        }
    }
}

TEST_F(SpeakerConfigTest, CenterEqEnablesTheTvSizeAndThePageCommitsOnLeaving)
{
    speakers().centerEq = 0;
    auto& page = speakerPage();
    EXPECT_FALSE(enabled(page, kIdTvSize));
    setChecked(page, kIdCenterEq, true);
    EXPECT_TRUE(enabled(page, kIdTvSize));
    chooseItem(page, kIdTvSize, 3);
    chooseItem(page, kIdSurroundType, 1);
    chooseItem(page, kIdRearType, 2);
    listenerPage();
    EXPECT_EQ(speakers().centerEq, 1);
    EXPECT_EQ(speakers().tvSize, 3);
    EXPECT_EQ(speakers().surroundType, 1);
    EXPECT_EQ(speakers().rearType, 2);

    // Another set put in place by the General page shows with its own rule applied.
    set(kUserSet).speakerConfig.centerEq = 0;
    show<CGeneral>(0);
    click(kIdEditUser);
    EXPECT_FALSE(enabled(speakerPage(), kIdTvSize));
}

TEST_F(SpeakerConfigTest, PicturesOfTheFourDialogs)
{
    QDir().mkpath(SCREENSHOT_DIR);
    speakers().cinema.advanced = 1;
    const std::pair<int, const char*> dialogs[] = {
        {kIdCinemaConfig, "02-cinema-speaker-config.png"},
        {kIdMusicConfig, "02-music-speaker-config.png"},
        {kIdRoomFilter, "02-room-resonance-filter.png"},
        {kIdBassPeak, "02-bass-peak-level.png"},
    };
    for (const auto& [button, name] : dialogs) {
        bool saved = false;
        edit(
            button, [&](ui::ControlHost& d) { saved = d.widget().grab().save(QString(SCREENSHOT_DIR) + "/" + name); },
            ui::kIdCancel);
        EXPECT_TRUE(saved) << name;
    }
}
