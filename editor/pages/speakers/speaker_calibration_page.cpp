#include "pages/speakers/speaker_calibration_page.h"

#include <QSlider>

#include "pages/speakers/speaker_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

constexpr int kNoiseReference = -1;

// The levels in their exchange order, with the speaker channel each is stored under.
struct LevelRow {
    const char* caption;
    int slider;
    int edit;
    int channel;   // kNoiseReference for the noise reference level
    double limit;  // the range is -limit .. +limit dB
};

const LevelRow kLevels[] = {
    {texts::kMusicConfigSub, kIdMusicSubSlider, kIdMusicSubEdit, 8, 12},
    {texts::kRightSurround, kIdRightSurroundLevelSlider, kIdRightSurroundLevelEdit, 3, 12},
    {texts::kRightRear, kIdRightRearLevelSlider, kIdRightRearLevelEdit, 4, 12},
    {texts::kRightFront, kIdRightFrontLevelSlider, kIdRightFrontLevelEdit, 2, 12},
    {texts::kNoiseReferenceLevel, kIdNoiseLevelSlider, kIdNoiseLevelEdit, kNoiseReference, 20},
    {texts::kLeftSurround, kIdLeftSurroundLevelSlider, kIdLeftSurroundLevelEdit, 6, 12},
    {texts::kLeftRear, kIdLeftRearLevelSlider, kIdLeftRearLevelEdit, 5, 12},
    {texts::kLeftFront, kIdLeftFrontLevelSlider, kIdLeftFrontLevelEdit, 0, 12},
    {texts::kCinemaConfigSub, kIdCinemaSubSlider, kIdCinemaSubEdit, 7, 12},
    {texts::kCenterChannel, kIdCenterLevelSlider, kIdCenterLevelEdit, 1, 12},
};
static_assert(std::size(kLevels) == CSpeakerLevelCalibration::kLevelCount);

constexpr double kHalfDecibels = 2.0;

// Where the levels stand on the page: left and right speakers side by side, the
// subwoofers below them, the noise reference level at the foot.
constexpr int kLeftColumn[] = {7, 9, 5, 6, 8};
constexpr int kRightColumn[] = {3, 1, 2, 0};
constexpr int kFoot[] = {4};

ui::RowSpec levelRow(const LevelRow& row)
{
    const bool musicSub = row.slider == kIdMusicSubSlider;
    return ui::valueRow(
        row.caption,
        {row.slider, row.edit, musicSub ? kIdMusicSubLabel : ui::kNoId, musicSub ? kIdMusicSubDb : ui::kNoId},
        texts::kDb);
}

template <std::size_t N>
ui::GroupSpec levelGroup(const int (&indexes)[N], int row, int column)
{
    ui::GroupSpec group{.row = row, .column = column};
    for (const int index : indexes)
        group.rows.push_back(levelRow(kLevels[index]));
    return group;
}

}  // namespace

CSpeakerLevelCalibration::CSpeakerLevelCalibration(PageContext& context)
    : CSettingsPage(texts::kCalibrationCaption, context), group_(*this)
{
}

void CSpeakerLevelCalibration::onCreateControls()
{
    ui::GroupSpec foot = levelGroup(kFoot, 1, 0);
    foot.columnSpan = 2;
    ui::buildPage(*this, *this, ui::PageSpec{{levelGroup(kLeftColumn, 0, 0), levelGroup(kRightColumn, 0, 1), foot}});
    for (int i = 0; i < kLevelCount; ++i) {
        const LevelRow& row = kLevels[i];
        pairs_[static_cast<size_t>(i)].Attach(row.slider, row.edit, controlAs<QSlider>(row.slider));
        group_.add(pairs_[static_cast<size_t>(i)]);
    }
}

void CSpeakerLevelCalibration::BindRecords(SettingsRecordSet& working)
{
    record_ = &working.calibration;
    musicSameAsCinema_ = &working.speakerConfig.musicSameAsCinema;
}

int& CSpeakerLevelCalibration::levelOf(int index)
{
    const int channel = kLevels[index].channel;
    return channel == kNoiseReference ? record_->noiseReferenceLevel
                                      : record_->channelLevel[static_cast<size_t>(channel)];
}

void CSpeakerLevelCalibration::ApplyMusicSubRule()
{
    showControls(*musicSameAsCinema_ == 0, {kIdMusicSubLabel, kIdMusicSubDb, kIdMusicSubSlider, kIdMusicSubEdit});
}

void CSpeakerLevelCalibration::LoadRecord()
{
    ApplyMusicSubRule();
    for (int i = 0; i < kLevelCount; ++i) {
        CBoundValueDlg& pair = pairs_[static_cast<size_t>(i)];
        pair.SetScale(kHalfDecibels, 0);
        pair.SetLimits(-kLevels[i].limit, kLevels[i].limit);
        // Not clamped: a level beyond the range is shown as it is stored.
        pair.SetValue(pair.ValueOf(levelOf(i)));
    }
}

bool CSpeakerLevelCalibration::onSetActive()
{
    // Always from the record: the Music subwoofer follows "2. Speaker Config" as it is now.
    LoadRecord();
    return CSettingsPage::onSetActive();
}

void CSpeakerLevelCalibration::doDataExchange(ui::DataExchange& dx)
{
    ApplyMusicSubRule();
    group_.exchange(dx);
    if (dx.saving())
        for (int i = 0; i < kLevelCount; ++i)
            levelOf(i) = pairs_[static_cast<size_t>(i)].GetPosition();
}

void CSpeakerLevelCalibration::onHScroll(int code, int, QSlider* bar) { group_.onHScroll(code, bar); }

}  // namespace velmar::editor
