// "1. Time/Timers" through its controls, with the tuner's station chooser.
#include <QLineEdit>

#include "app/texts.h"
#include "pages/zones/time_timer_page.h"
#include "zone_pages_fixture.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

class TimeTimerPage : public ZonePages {
protected:
    CTimeTimerPage& page() { return show<CTimeTimerPage>(1); }
    TimersRecord& timers() { return working().timers; }
    void enableTimers() { setChecked(page(), kIdEnableTimers); }
    void setTime(int slot, const char* hour, const char* minute)
    {
        enter(page(), kIdTimerHours[slot], hour);
        enter(page(), kIdTimerMinutes[slot], minute);
    }
    std::string shownTime(int slot)
    {
        return textOf(page(), kIdTimerHours[slot]) + ":" + textOf(page(), kIdTimerMinutes[slot]) +
               (shown(page(), kIdTimerAmPm[slot]) ? " " + itemText(page(), kIdTimerAmPm[slot]) : "");
    }
};

}  // namespace

TEST_F(TimeTimerPage, ClockFormConvertsEveryTimeOfAllSixTimersBothWays)
{
    timers().entry[2][1].times[kWeekendOff] = {11, 5, 1};  // an entry not shown
    enableTimers();
    setTime(kWeekdayOn, "12", "30");
    chooseItem(page(), kIdTimerAmPm[kWeekdayOn], 0);
    setTime(kWeekdayOff, "1", "15");
    chooseItem(page(), kIdTimerAmPm[kWeekdayOff], 1);
    setTime(kWeekendOn, "12", "0");
    chooseItem(page(), kIdTimerAmPm[kWeekendOn], 1);

    setChecked(page(), kIdClock24);
    EXPECT_EQ(shownTime(kWeekdayOn), "00:30");
    EXPECT_EQ(shownTime(kWeekdayOff), "13:15");
    EXPECT_EQ(shownTime(kWeekendOn), "12:00");
    EXPECT_EQ(timers().clock24, 1);
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOn], (TimerTime{0, 30, 0}));
    EXPECT_EQ(timers().entry[2][1].times[kWeekendOff], (TimerTime{23, 5, 0}));

    setChecked(page(), kIdClock24, false);
    EXPECT_EQ(shownTime(kWeekdayOn), "12:30 AM");
    EXPECT_EQ(shownTime(kWeekdayOff), "1:15 PM");
    EXPECT_EQ(shownTime(kWeekendOn), "12:00 PM");
    EXPECT_EQ(timers().entry[2][1].times[kWeekendOff], (TimerTime{11, 5, 1}));
}

TEST_F(TimeTimerPage, HoursAndMinutesOutsideTheirRangeAreRefusedAndKeepTheFocus)
{
    ModalScript script;
    enableTimers();
    const TimerTime before = timers().entry[0][0].times[kWeekdayOn];
    enter(page(), kIdTimerHours[kWeekdayOn], "13");
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOn], before);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, "Please enter an integer between 1 and 12.");
    EXPECT_EQ(page().focusWidget(), page().control(kIdTimerHours[kWeekdayOn]));
    enter(page(), kIdTimerHours[kWeekdayOn], "12");
    enter(page(), kIdTimerMinutes[kWeekdayOn], "75");
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[1].text, "Please enter an integer between 0 and 59.");
    EXPECT_EQ(page().focusWidget(), page().control(kIdTimerMinutes[kWeekdayOn]));
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOn], (TimerTime{12, before.minute, before.pm}));

    // Nor can another entry be chosen, or the form changed, over a refused time.
    chooseItem(page(), kIdTimerZone, 1);
    EXPECT_EQ(itemText(page(), kIdTimerZone), "Main");
    setChecked(page(), kIdClock24);
    EXPECT_FALSE(isChecked(page(), kIdClock24));
    EXPECT_EQ(timers().clock24, 0);

    enter(page(), kIdTimerMinutes[kWeekdayOn], "59");
    setChecked(page(), kIdClock24);
    enter(page(), kIdTimerHours[kWeekdayOn], "24");
    EXPECT_EQ(script.shown.back().text, "Please enter an integer between 0 and 23.");
    enter(page(), kIdTimerHours[kWeekdayOn], "0");
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOn], (TimerTime{0, 59, 0}));
}

TEST_F(TimeTimerPage, AStoredTimeOutsideTheDayStaysUntilChanged)
{
    ModalScript script;
    timers().clock24 = 1;
    timers().entry[0][0].times[kWeekendOff] = {25, 70, 0};
    timers().entry[0][0].times[kWeekendOn] = {255, 100, 0};
    enableTimers();
    EXPECT_EQ(shownTime(kWeekendOff), "25:70");
    EXPECT_EQ(shownTime(kWeekendOn), "255:100");
    enter(page(), kIdTimerHours[kWeekdayOn], "7");
    EXPECT_TRUE(sheet->setActivePage(0));
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(timers().entry[0][0].times[kWeekendOff], (TimerTime{25, 70, 0}));
    EXPECT_EQ(timers().entry[0][0].times[kWeekendOn], (TimerTime{255, 100, 0}));
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOn].hour, 7);

    enter(page(), kIdTimerHours[kWeekendOff], "26");
    EXPECT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(timers().entry[0][0].times[kWeekendOff].hour, 25);
}

// In 12-hour form a stored hour past the day was cut to two digits ("13" for 130), which the
// page then refused at every commit: the page could not be left, nor the settings saved.
TEST_F(TimeTimerPage, AThreeDigitHourFromAFileLetsThePageBeLeftAndSaved)
{
    ModalScript script;
    timers().clock24 = 0;
    timers().entry[0][0].times[kWeekdayOff] = {130, 5, 0};
    EXPECT_EQ(shownTime(kWeekdayOff), "130:05 AM");
    script.file(q(file("timers.q20"))).click(ui::kIdOk);
    QTest::keyClick(&page(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].text, texts::kFileSaved);
    EXPECT_EQ(timers().entry[0][0].times[kWeekdayOff], (TimerTime{130, 5, 0}));
}

TEST_F(TimeTimerPage, EachEntryKeepsItsOwnValuesAndItsZonesVolumeRange)
{
    enableTimers();
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        chooseItem(page(), kIdTimerZone, zone);
        for (int timer = 0; timer < 2; ++timer) {
            chooseItem(page(), kIdTimer, timer);
            chooseItem(page(), kIdTimerDays, (zone + timer) % 4);
            chooseItem(page(), kIdTimerSource, zone * 2 + timer);
            setTime(kWeekendOn, QString::number(zone * 2 + timer + 1).toLatin1(), "7");
            enter(page(), kIdAutoOnVolumeEdit, QString::number(-5 * (zone * 2 + timer)));
        }
    }
    chooseItem(page(), kIdTimerZone, 0);
    chooseItem(page(), kIdTimer, 0);
    for (int zone = 0; zone < kTimerZoneCount; ++zone) {
        for (int timer = 0; timer < 2; ++timer) {
            const TimerEntry& e = timers().entry[zone][timer];
            const int n = zone * 2 + timer;
            EXPECT_EQ(e.days, (zone + timer) % 4) << n;
            EXPECT_EQ(e.source, n) << n;
            EXPECT_EQ(e.times[kWeekendOn], (TimerTime{n + 1, 7, 0})) << n;
            // -5 dB is 10 steps of 0.5 dB on Main and 4 steps of 1.25 dB on the zones.
            EXPECT_EQ(e.volume, zone == 0 ? -10 * n : -4 * n) << n;
        }
    }
    EXPECT_EQ(slider(page(), kIdAutoOnVolumeSlider)->minimum(), -191);
    EXPECT_EQ(slider(page(), kIdAutoOnVolumeSlider)->maximum(), 63);
    chooseItem(page(), kIdTimerZone, 1);
    EXPECT_EQ(slider(page(), kIdAutoOnVolumeSlider)->minimum(), -50);
    EXPECT_EQ(slider(page(), kIdAutoOnVolumeSlider)->maximum(), 8);
    EXPECT_EQ(textOf(page(), kIdAutoOnVolumeEdit), "-10");
}

TEST_F(TimeTimerPage, EnableTimersRulesEveryTimerControlButNotTheCheckBoxes)
{
    const std::vector<int> timerIds{
        kIdTimerZone,        kIdTimer,         kIdTimerDays,       kIdTimerSource, kIdStation, kIdAutoOnVolumeSlider,
        kIdAutoOnVolumeEdit, kIdTimerHours[0], kIdTimerMinutes[3], kIdTimerAmPm[2]};
    ASSERT_EQ(timers().timersEnabled, 0);
    for (const int id : timerIds)
        EXPECT_FALSE(enabled(page(), id)) << id;
    EXPECT_TRUE(enabled(page(), kIdClock24));
    EXPECT_TRUE(enabled(page(), kIdEnableTimers));
    enableTimers();
    EXPECT_EQ(timers().timersEnabled, 1);
    for (const int id : timerIds)
        EXPECT_TRUE(enabled(page(), id)) << id;
    // In 24-hour form the AM/PM lists are gone, whatever the switch.
    setChecked(page(), kIdClock24);
    EXPECT_FALSE(shown(page(), kIdTimerAmPm[2]));
    EXPECT_FALSE(enabled(page(), kIdTimerAmPm[2]));
}

TEST_F(TimeTimerPage, StationOnlyForTheTuner)
{
    enableTimers();
    chooseItem(page(), kIdTimerSource, 4);
    EXPECT_EQ(itemText(page(), kIdTimerSource), "TV");
    EXPECT_FALSE(shown(page(), kIdStation));
    EXPECT_FALSE(enabled(page(), kIdStation));
    chooseItem(page(), kIdTimerSource, 3);
    EXPECT_TRUE(shown(page(), kIdStation));
    EXPECT_TRUE(enabled(page(), kIdStation));
    // Another entry shows its own source's rule.
    timers().entry[1][0].source = 8;
    chooseItem(page(), kIdTimerZone, 1);
    EXPECT_FALSE(shown(page(), kIdStation));
}

TEST_F(TimeTimerPage, TheChooserOpensOnTheStationAndOkTakesItsChoice)
{
    ModalScript script;
    working().tuner.freq[13] = 1011;
    working().tuner.freq[15] = 923;
    working().tuner.mode[15] = 2;
    timers().entry[0][0].source = 3;
    timers().entry[0][0].station = 13;
    enableTimers();
    EXPECT_EQ(textOf(page(), kIdStation), "FM2-2 St  101.1 MHz");
    saveScreenshot("01-time-timers.png");
    std::string band, label, frequency;
    script.answer([&](QDialog& window) {
        window.grab().save(QStringLiteral(SCREENSHOT_DIR "/01-station-chooser.png"));
        CTuner& chooser = chooserIn(window);
        band = itemText(chooser, kIdBand);
        label = textOf(chooser, kIdPresetLabel);
        frequency = textOf(chooser, kIdFreqEdit);
        EXPECT_TRUE(shown(chooser, ui::kIdOk));
        clickControl(chooser, kIdPresetButtons[3]);
        clickControl(chooser, ui::kIdOk);
    });
    clickControl(page(), kIdStation);
    EXPECT_EQ(band, "FM 2");
    EXPECT_EQ(label, "Preset: 2");
    EXPECT_EQ(frequency, "101.1");
    EXPECT_EQ(timers().entry[0][0].station, 15);
    EXPECT_EQ(textOf(page(), kIdStation), "FM2-4 Mn  92.3 MHz");
}

TEST_F(TimeTimerPage, CancelPutsBackTheOpeningPresetOnlyAndKeepsTheStation)
{
    ModalScript script;
    working().tuner.freq[13] = 1011;
    timers().entry[0][0].source = 3;
    timers().entry[0][0].station = 13;
    enableTimers();
    script.answer([&](QDialog& window) {
        CTuner& chooser = chooserIn(window);
        typeText(chooser, kIdFreqEdit, "95.3");
        clickControl(chooser, kIdPresetButtons[2]);
        typeText(chooser, kIdFreqEdit, "99.9");
        clickControl(chooser, ui::kIdCancel);
    });
    clickControl(page(), kIdStation);
    EXPECT_EQ(working().tuner.freq[13], 1011);
    EXPECT_EQ(working().tuner.freq[14], 999);
    EXPECT_EQ(timers().entry[0][0].station, 13);
}

TEST_F(TimeTimerPage, StationsPastThePresetsShowNoneAndOpenOnAPreset)
{
    ModalScript script;
    timers().entry[0][0].source = 3;
    for (const int station : {24, 29, 31}) {
        sheet->setActivePage(0);
        timers().entry[0][0].station = station;  // shown again, the page takes it
        enableTimers();
        EXPECT_EQ(textOf(page(), kIdStation), "error") << station;
        std::string band, label;
        script.answer([&](QDialog& window) {
            band = itemText(chooserIn(window), kIdBand);
            label = textOf(chooserIn(window), kIdPresetLabel);
        });
        const TunerRecord tuner = working().tuner;
        clickControl(page(), kIdStation);
        EXPECT_EQ(band, "FM 1") << station;
        EXPECT_EQ(label, "Preset: 1") << station;
        EXPECT_EQ(timers().entry[0][0].station, station);
        EXPECT_EQ(working().tuner, tuner);
    }
}
