#pragma once

#include "pages/bound_value_group.h"
#include "pages/settings_page.h"

namespace velmar::editor {

enum TimeTimerControl : int {
    kIdAutoOnVolumeEdit = 104,
    kIdClock24 = 1028,
    kIdEnableTimers = 1029,
    kIdTimerZone = 1031,
    kIdTimer = 1032,
    kIdTimerDays = 1033,
    kIdTimerSource = 1034,
    kIdAutoOnVolumeSlider = 1039,
    kIdStation = 1241,
    kIdTimeNote = 2129,  // the note on the clock
    kIdTimesBox = 2130,  // the frame around the four times
};
// Per time, in the order Weekday On, Weekday Off, Weekend On, Weekend Off.
inline constexpr int kIdTimerHours[kTimerTimeSlotCount] = {106, 108, 112, 114};
inline constexpr int kIdTimerMinutes[kTimerTimeSlotCount] = {107, 109, 113, 115};
inline constexpr int kIdTimerAmPm[kTimerTimeSlotCount] = {1057, 1058, 1059, 1060};

// "1. Time/Timers": the clock form, the master switch of the timers and the six timers, two
// per zone, one shown at a time. A timer for the tuner picks its station in the Tuner page's
// chooser.
class CTimeTimerPage : public CSettingsPage {
public:
    explicit CTimeTimerPage(PageContext& context);

    void BindRecords(SettingsRecordSet& working) override;
    void onCreateControls() override;
    void onInitDialog() override;
    bool onSetActive() override;
    void WalkControls(PageWalk& walk) override;

protected:
    void LoadRecord() override;
    void doDataExchange(ui::DataExchange& dx) override;
    void onHScroll(int code, int position, QSlider* bar) override;

private:
    void OnClockForm();
    void OnChooseEntry(int& selected, const int& listed, int listId);
    void OnStation();
    // The selected entry into the shown values, the volume pair ranged by its zone.
    void LoadEntry();
    void ShowClockForm();
    void ShowStation();
    void ApplyEnableRule();
    void exchangeTime(ui::DataExchange& dx, int slot);
    // Refuses the whole number in an edit that lies outside low..high.
    void refuse(ui::DataExchange& dx, int id, int low, int high);

    TimersRecord* record_ = nullptr;
    TunerRecord* tuner_ = nullptr;
    // The selected zone and timer stay while the program runs; the lists show them.
    int zone_ = 0;
    int timer_ = 0;
    int zoneListed_ = 0;
    int timerListed_ = 0;
    TimerEntry shown_;
    CBoundValueDlg volume_;
    BoundValueGroup pairs_;
};

}  // namespace velmar::editor
