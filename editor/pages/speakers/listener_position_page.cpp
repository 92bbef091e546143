#include "pages/speakers/listener_position_page.h"

#include <QSlider>
#include <cmath>

#include "pages/speakers/speaker_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

struct DistanceRow {
    const char* caption;
    int slider;
    int edit;
    int unit;
    int distance;  // index in the record
    int label;     // the caption's id, when it is shown and hidden
    int preset;    // the "Preset" label standing in for the distance
};

const DistanceRow kRows[] = {
    {texts::kLeftFront, kIdLeftFrontSlider, kIdLeftFrontEdit, kIdLeftFrontUnit, 0, ui::kNoId, ui::kNoId},
    {texts::kCenterChannel, kIdCenterSlider, kIdCenterEdit, kIdCenterUnit, 1, ui::kNoId, ui::kNoId},
    {texts::kRightFront, kIdRightFrontSlider, kIdRightFrontEdit, kIdRightFrontUnit, 2, ui::kNoId, ui::kNoId},
    {texts::kLeftSurround, kIdLeftSurroundSlider, kIdLeftSurroundEdit, kIdLeftSurroundUnit, 6, ui::kNoId,
     kIdLeftSurroundPreset},
    {texts::kSubwooferChannel, kIdSubwooferSlider, kIdSubwooferEdit, kIdSubwooferUnit, 7, ui::kNoId, ui::kNoId},
    {texts::kRightSurround, kIdRightSurroundSlider, kIdRightSurroundEdit, kIdRightSurroundUnit, 3, ui::kNoId,
     kIdRightSurroundPreset},
    {texts::kLeftRear, kIdLeftRearSlider, kIdLeftRearEdit, kIdLeftRearUnit, 5, ui::kNoId, kIdLeftRearPreset},
    {texts::kRightRear, kIdRightRearSlider, kIdRightRearEdit, kIdRightRearUnit, 4, kIdRightRearLabel,
     kIdRightRearPreset},
};
static_assert(std::size(kRows) == kDistanceCount);

constexpr int kUnitGroup = 1, kSpacingGroup = 2;
const std::vector<int> kUnitRadios{kIdFeet, kIdMetres};
const std::vector<int> kSpacingRadios{kIdRearSpacingWide, kIdRearSpacingMiddle, kIdRearSpacingClose};

}  // namespace

// A refused distance has its text selected; the focus stays where the user put it.
CListenerPosition::CListenerPosition(PageContext& context)
    : CSettingsPage(texts::kListenerCaption, context), group_(*this, {.focusRefused = false})
{
    for (const int id : kUnitRadios)
        onCommand(id, ui::Notify::Clicked, [this] { OnUnitChange(); });
    for (const int id : kSpacingRadios)
        onCommand(id, ui::Notify::Clicked, [this] { updateData(true); });
}

void CListenerPosition::onCreateControls()
{
    ui::GroupSpec distances;
    for (const DistanceRow& row : kRows) {
        ui::RowSpec cells = ui::valueRow(row.caption, {row.slider, row.edit, row.label, row.unit}, texts::kFeetUnit);
        // "Preset" stands next to the caption, where the distance would begin.
        cells.insert(cells.begin() + 1, row.preset == ui::kNoId ? ui::gap() : ui::label(texts::kPreset, row.preset));
        distances.rows.push_back(std::move(cells));
    }
    ui::GroupSpec units{
        .title = texts::kUnitsOfMeasure,
        .rows = {{ui::radio(kIdFeet, texts::kFeet, kUnitGroup)}, {ui::radio(kIdMetres, texts::kMetres, kUnitGroup)}},
        .column = 1};
    ui::GroupSpec spacing{.title = texts::kRearToRear, .rows = {}, .row = 1, .column = 1};
    for (size_t i = 0; i < kSpacingRadios.size(); ++i)
        spacing.rows.push_back({ui::radio(kSpacingRadios[i], texts::kRearSpacingFeet[i], kSpacingGroup)});
    distances.rowSpan = 2;
    ui::buildPage(*this, *this, ui::PageSpec{{distances, units, spacing}});
    for (size_t i = 0; i < pairs_.size(); ++i) {
        pairs_[i].Attach(kRows[i].slider, kRows[i].edit, controlAs<QSlider>(kRows[i].slider));
        group_.add(pairs_[i]);
    }
}

void CListenerPosition::BindRecords(SettingsRecordSet& working)
{
    record_ = &working.listener;
    surroundType_ = &working.speakerConfig.surroundType;
    rearType_ = &working.speakerConfig.rearType;
}

void CListenerPosition::SetUpPairs()
{
    const DistanceUnit& unit = distanceUnit(record_->metric);
    for (CBoundValueDlg& pair : pairs_) {
        pair.SetScale(unit.scale, 0);
        pair.SetLimits(0, unit.highest);
    }
}

void CListenerPosition::LoadDistances()
{
    // Not clamped: a distance beyond the range is shown as it is stored.
    for (size_t i = 0; i < pairs_.size(); ++i)
        pairs_[i].SetValue(record_->distance[kRows[i].distance] * 0.1);
}

void CListenerPosition::SaveDistances()
{
    for (size_t i = 0; i < pairs_.size(); ++i)
        record_->distance[kRows[i].distance] = static_cast<int>(std::lround(pairs_[i].GetValue() * 10));
}

void CListenerPosition::LoadRecord()
{
    SetUpPairs();
    LoadDistances();
}

bool CListenerPosition::onSetActive()
{
    ApplyVisibility();
    LoadRecord();
    return CSettingsPage::onSetActive();
}

void CListenerPosition::ApplyVisibility()
{
    const ListenerVisibility v = listenerVisibility(*surroundType_, *rearType_);
    showControls(true, v.shown);
    showControls(false, v.hidden);
}

void CListenerPosition::doDataExchange(ui::DataExchange& dx)
{
    group_.exchange(dx);
    ui::ddxRadio(dx, kUnitRadios, record_->metric);
    ui::ddxRadio(dx, kSpacingRadios, record_->rearSpacing);
    if (dx.saving())
        SaveDistances();

    const DistanceUnit& unit = distanceUnit(record_->metric);
    for (const DistanceRow& row : kRows)
        setControlText(row.unit, unit.unitLabel);
    for (size_t i = 0; i < kSpacingRadios.size(); ++i)
        setControlText(kSpacingRadios[i], unit.rearSpacing[i]);
}

void CListenerPosition::OnUnitChange()
{
    const int before = record_->metric;
    if (!updateData(true)) {
        // The distances were not taken, so neither is the unit: the radios show it again, or
        // the next commit would take the new unit without converting the distances.
        ui::DataExchange load(*this, false);
        ui::ddxRadio(load, kUnitRadios, record_->metric);
        return;
    }
    if (record_->metric == before)
        return;
    // Every distance keeps its trackbar position, which the new unit reads in its own scale.
    SetUpPairs();
    LoadDistances();
    for (CBoundValueDlg& pair : pairs_)
        pair.NoteSliderMove();
    updateData(true);
}

void CListenerPosition::onHScroll(int code, int, QSlider* bar) { group_.onHScroll(code, bar); }

}  // namespace velmar::editor
