#include "pages/speakers/room_resonance_dialog.h"

#include <QSlider>
#include <QVBoxLayout>

#include "pages/speakers/speaker_rules.h"
#include "pages/speakers/speaker_texts.h"
#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

// Test tone level in half decibels; frequencies: tone index i is 3 × i + 18 Hz, filter
// centre p + 20 Hz, filter width p + 1 Hz.
constexpr double kLevelScale = 2.0, kLevelLow = -20, kLevelHigh = 31.5;
constexpr double kToneScale = 1.0 / 3.0, kToneOffset = 18;
constexpr double kCenterOffset = 20;
constexpr double kWidthOffset = 1;

}  // namespace

CRoomResonanceDlg::CRoomResonanceDlg(RoomResonanceRecord& record, int limitHz, QWidget* parent)
    : ui::Dialog(parent), record_(record), limitHz_(limitHz), pairs_(*this)
{
    setWindowTitle(texts::kRoomCaption);
    buildControls();
    const std::tuple<int, int, CBoundValueDlg*> table[] = {
        {kIdToneLevelSlider, kIdToneLevelEdit, &toneLevel_},
        {kIdToneFreqSlider, kIdToneFreqEdit, &toneFrequency_},
        {kIdFilterCenterSlider, kIdFilterCenterEdit, &filterCenter_},
        {kIdFilterWidthSlider, kIdFilterWidthEdit, &filterWidth_},
    };
    for (const auto& [slider, edit, pair] : table) {
        pair->Attach(slider, edit, controlAs<QSlider>(slider));
        pairs_.add(*pair);
    }
    onCommand(kIdThxUltra2Sub, ui::Notify::Clicked, [this] { updateData(true); });
}

void CRoomResonanceDlg::buildControls()
{
    ui::GroupSpec group{
        .rows = {
            ui::valueRow(texts::kTestToneLevel, {.slider = kIdToneLevelSlider, .edit = kIdToneLevelEdit}, texts::kDb),
            ui::valueRow(texts::kTestToneFreq, {.slider = kIdToneFreqSlider, .edit = kIdToneFreqEdit}, texts::kHz),
            {ui::captionedCheck(kIdApplyFilter, texts::kApplyFilter)},
            ui::valueRow(texts::kFilterCenterFreq, {.slider = kIdFilterCenterSlider, .edit = kIdFilterCenterEdit},
                         texts::kHz),
            {ui::label(texts::kFilterDepth), ui::dropList(kIdFilterDepth, filterDepthItems())},
            ui::valueRow(texts::kFilterWidth, {.slider = kIdFilterWidthSlider, .edit = kIdFilterWidthEdit}, texts::kHz),
            {ui::captionedCheck(kIdThxUltra2Sub, texts::kThxUltra2Sub)},
            {ui::captionedCheck(kIdThxBgCompensation, texts::kThxBgCompensation),
             ui::label(texts::kNotApplicable, kIdThxNotApplicable)},
        }};
    QVBoxLayout* layout = ui::buildPage(*this, *this, ui::PageSpec{{group}});
    ui::addDialogButtons(*this, *this, *layout, texts::kOk, texts::kCancel);
}

void CRoomResonanceDlg::onInitDialog()
{
    const double limit = limitHz_;
    toneLevel_.SetScale(kLevelScale, 0);
    toneLevel_.SetLimits(kLevelLow, kLevelHigh);
    toneFrequency_.SetScale(kToneScale, kToneOffset);
    toneFrequency_.SetLimits(kToneOffset, limit);
    filterCenter_.SetScale(1.0, kCenterOffset);
    filterCenter_.SetLimits(kCenterOffset, limit);
    filterWidth_.SetScale(1.0, kWidthOffset);
    filterWidth_.SetLimits(kWidthOffset, limit);

    toneLevel_.SetPosition(record_.toneLevel);
    toneFrequency_.SetPosition(record_.toneFrequency);
    filterCenter_.SetPosition(record_.filterCenter);
    filterWidth_.SetPosition(record_.filterWidth);
    updateData(false);
}

void CRoomResonanceDlg::doDataExchange(ui::DataExchange& dx)
{
    pairs_.exchange(dx);
    ui::ddxCheck(dx, kIdThxBgCompensation, record_.thxBgCompensation);
    ui::ddxCheck(dx, kIdApplyFilter, record_.applyFilter);
    ui::ddxCBIndex(dx, kIdFilterDepth, record_.filterDepth);
    ui::ddxCheck(dx, kIdThxUltra2Sub, record_.thxUltra2Sub);
    if (dx.saving()) {
        record_.toneLevel = toneLevel_.GetPosition();
        record_.toneFrequency = toneFrequency_.GetPosition();
        record_.filterCenter = filterCenter_.GetPosition();
        record_.filterWidth = filterWidth_.GetPosition();
    }
    // Background compensation applies to a THX Ultra2 subwoofer only.
    const bool thx = record_.thxUltra2Sub != 0;
    showControls(!thx, {kIdThxNotApplicable});
    showControls(thx, {kIdThxBgCompensation});
}

void CRoomResonanceDlg::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
