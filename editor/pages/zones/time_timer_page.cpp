#include "pages/zones/time_timer_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "pages/text_list.h"
#include "pages/zones/timer_rules.h"
#include "pages/zones/tuner_page.h"
#include "ui/message_box.h"
#include "ui/page_builder.h"
#include "pages/zones/zone_texts.h"

namespace velmar::editor {

namespace {

constexpr int kTunerSource = 3;
// The store keeps an hour and a minute in a byte each: a value from a file is shown whole, so
// that it stays as it is until the user changes it.
constexpr int kTimeDigits = 3;

const std::vector<int> kAmPmLists(std::begin(kIdTimerAmPm), std::end(kIdTimerAmPm));

// Every control of a timer, all but the AM/PM lists and Station, which also have their own
// visibility.
std::vector<int> timerControls()
{
    std::vector<int> ids{kIdTimerZone,          kIdTimer,           kIdTimerDays, kIdTimerSource,
                         kIdAutoOnVolumeSlider, kIdAutoOnVolumeEdit};
    ids.insert(ids.end(), std::begin(kIdTimerHours), std::end(kIdTimerHours));
    ids.insert(ids.end(), std::begin(kIdTimerMinutes), std::end(kIdTimerMinutes));
    return ids;
}

ui::RowSpec timeRow(const char* caption, int slot)
{
    return {ui::label(caption), ui::numberEdit(kIdTimerHours[slot], kTimeDigits),
            ui::numberEdit(kIdTimerMinutes[slot], kTimeDigits),
            ui::dropList(kIdTimerAmPm[slot], textList(texts::kAmPm))};
}

ui::PageSpec pageLayout()
{
    return {{
        {.rows = {{ui::label(texts::kTimeNote, kIdTimeNote)}}, .row = 0, .column = 0, .columnSpan = 2},
        {.rows = {{ui::captionedCheck(kIdClock24, texts::kClock24Check)},
                  {ui::captionedCheck(kIdEnableTimers, texts::kEnableTimersCheck)},
                  {ui::label(texts::kZoneLabel), ui::dropList(kIdTimerZone, textList(texts::kTimerZones))},
                  {ui::label(texts::kTimerLabel), ui::dropList(kIdTimer, textList(texts::kTimers))},
                  {ui::gap(), ui::dropList(kIdTimerDays, textList(texts::kTimerDays))},
                  {ui::label(texts::kSourceLabel), ui::dropList(kIdTimerSource, textList(texts::kTimerSources))},
                  {ui::gap(), ui::button(kIdStation, texts::kStationButton)}},
         .row = 1,
         .column = 0},
        {.id = kIdTimesBox,
         .rows = {timeRow(texts::kWeekdayOn, kWeekdayOn), timeRow(texts::kWeekdayOff, kWeekdayOff),
                  timeRow(texts::kWeekendOn, kWeekendOn), timeRow(texts::kWeekendOff, kWeekendOff)},
         .row = 1,
         .column = 1},
        {.rows = {ui::valueRow(texts::kAutoOnVolume, {.slider = kIdAutoOnVolumeSlider, .edit = kIdAutoOnVolumeEdit},
                               texts::kDecibels)},
         .row = 2,
         .column = 0,
         .columnSpan = 2},
    }};
}

}  // namespace

CTimeTimerPage::CTimeTimerPage(PageContext& context) : CSettingsPage(texts::kTimeTimerCaption, context), pairs_(*this)
{
}

void CTimeTimerPage::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    controlAs<QLabel>(kIdTimeNote)->setWordWrap(true);
    volume_.Attach(kIdAutoOnVolumeSlider, kIdAutoOnVolumeEdit, controlAs<QSlider>(kIdAutoOnVolumeSlider));
    pairs_.add(volume_);
    onCommand(kIdClock24, ui::Notify::Clicked, [this] { OnClockForm(); });
    onCommand(kIdEnableTimers, ui::Notify::Clicked, [this] {
        updateData(true);
        ApplyEnableRule();
    });
    onCommand(kIdTimerZone, ui::Notify::SelChange, [this] { OnChooseEntry(zone_, zoneListed_, kIdTimerZone); });
    onCommand(kIdTimer, ui::Notify::SelChange, [this] { OnChooseEntry(timer_, timerListed_, kIdTimer); });
    onCommand(kIdTimerSource, ui::Notify::SelChange, [this] {
        updateData(true);
        ShowStation();
        ApplyEnableRule();
    });
    for (int slot = 0; slot < kTimerTimeSlotCount; ++slot) {
        onCommand(kIdTimerAmPm[slot], ui::Notify::SelChange, [this] { updateData(true); });
        onCommand(kIdTimerHours[slot], ui::Notify::EditKillFocus, [this] { updateData(true); });
        onCommand(kIdTimerMinutes[slot], ui::Notify::EditKillFocus, [this] { updateData(true); });
    }
    onCommand(kIdStation, ui::Notify::Clicked, [this] { OnStation(); });
}

void CTimeTimerPage::BindRecords(SettingsRecordSet& working)
{
    record_ = &working.timers;
    tuner_ = &working.tuner;
}

void CTimeTimerPage::LoadRecord()
{
    zoneListed_ = zone_;
    timerListed_ = timer_;
    LoadEntry();
}

void CTimeTimerPage::onInitDialog()
{
    CSettingsPage::onInitDialog();
    ShowClockForm();
    ShowStation();
    ApplyEnableRule();
}

bool CTimeTimerPage::onSetActive()
{
    const bool shown = CSettingsPage::onSetActive();
    LoadEntry();
    updateData(false);
    ShowClockForm();
    ShowStation();
    ApplyEnableRule();
    return shown;
}

void CTimeTimerPage::LoadEntry()
{
    shown_ = record_->entry[zone_][timer_];
    applyRange(volume_, autoOnVolumeRange(zone_));
    volume_.SetPosition(shown_.volume);
}

void CTimeTimerPage::ShowClockForm() { showControls(!record_->clock24, kAmPmLists); }

void CTimeTimerPage::ShowStation() { showControls(shown_.source == kTunerSource, {kIdStation}); }

void CTimeTimerPage::ApplyEnableRule()
{
    const bool on = record_->timersEnabled != 0;
    enableControls(on, timerControls());
    enableControls(on && !record_->clock24, kAmPmLists);
    enableControls(on && shown_.source == kTunerSource, {kIdStation});
}

void CTimeTimerPage::OnClockForm()
{
    if (!updateData(true)) {
        // A time was refused: the times stay in the form they are in.
        ui::DataExchange load(*this, false);
        ui::ddxCheck(load, kIdClock24, record_->clock24);
        return;
    }
    ShowClockForm();
    ApplyEnableRule();
    updateData(false);
}

// The shown values go into the entry still selected; then the list's choice is loaded.
void CTimeTimerPage::OnChooseEntry(int& selected, const int& listed, int listId)
{
    if (!updateData(true)) {
        ui::DataExchange load(*this, false);
        ui::ddxCBIndex(load, listId, selected);
        return;
    }
    selected = listed;
    LoadEntry();
    updateData(false);
    ShowStation();
    ApplyEnableRule();
}

void CTimeTimerPage::OnStation()
{
    PageContext context{store()};
    CTuner chooser(context, *tuner_, presetOfStation(shown_.station));
    if (chooser.DoModal(this) != ui::kIdOk)
        return;
    shown_.station = presetIndex(chooser.Choice());
    record_->entry[zone_][timer_].station = shown_.station;
    setControlText(kIdStation, stationText(*tuner_, shown_.station));
}

void CTimeTimerPage::refuse(ui::DataExchange& dx, int id, int low, int high)
{
    ui::messageBox(this, QString::fromLatin1(texts::kEnterIntegerBetween).arg(low).arg(high));
    dx.fail(id);
    if (auto* edit = controlAs<QLineEdit>(id))
        edit->selectAll();
}

void CTimeTimerPage::exchangeTime(ui::DataExchange& dx, int slot)
{
    TimerTime& time = shown_.times[slot];
    const int form = record_->clock24;
    if (!dx.saving()) {
        QString hour = timerHourText(time.hour, form);
        QString minute = timerMinuteText(time.minute);
        ui::ddxText(dx, kIdTimerHours[slot], hour);
        ui::ddxText(dx, kIdTimerMinutes[slot], minute);
        ui::ddxCBIndex(dx, kIdTimerAmPm[slot], time.pm);
        return;
    }
    // Only hours and minutes of the day can be typed in; the store would mask others. A value
    // read that way from a file stays as long as it is not changed.
    int hour = time.hour;
    int minute = time.minute;
    ui::ddxInt(dx, kIdTimerHours[slot], hour);
    if (!dx.failed() && hour != time.hour && !isTimerHour(hour, form))
        refuse(dx, kIdTimerHours[slot], lowestTimerHour(form), highestTimerHour(form));
    ui::ddxInt(dx, kIdTimerMinutes[slot], minute);
    if (!dx.failed() && minute != time.minute && !isTimerMinute(minute))
        refuse(dx, kIdTimerMinutes[slot], kLowestMinute, kHighestMinute);
    ui::ddxCBIndex(dx, kIdTimerAmPm[slot], time.pm);
    if (!dx.failed()) {
        time.hour = hour;
        time.minute = minute;
    }
}

void CTimeTimerPage::doDataExchange(ui::DataExchange& dx)
{
    int clock24 = record_->clock24;
    ui::ddxCheck(dx, kIdClock24, clock24);
    ui::ddxCheck(dx, kIdEnableTimers, record_->timersEnabled);
    ui::ddxCBIndex(dx, kIdTimerZone, zoneListed_);
    ui::ddxCBIndex(dx, kIdTimer, timerListed_);
    ui::ddxCBIndex(dx, kIdTimerDays, shown_.days);
    ui::ddxCBIndex(dx, kIdTimerSource, shown_.source);
    for (int slot = 0; slot < kTimerTimeSlotCount; ++slot)
        exchangeTime(dx, slot);
    if (dx.failed())
        return;
    pairs_.exchange(dx);
    if (!dx.saving()) {
        QString station = stationText(*tuner_, shown_.station);
        ui::ddxText(dx, kIdStation, station);
        return;
    }
    shown_.volume = volume_.GetPosition();
    record_->entry[zone_][timer_] = shown_;
    if (clock24 != record_->clock24) {
        convertClockForm(*record_, clock24);
        shown_.times = record_->entry[zone_][timer_].times;
    }
}

void CTimeTimerPage::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
