#include "pages/sources/ad_audio_out_format_page.h"

#include "pages/sources/source_controls.h"
#include "pages/sources/source_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

ui::PageSpec pageLayout()
{
    using namespace ui;
    GroupSpec rear{.rows = {
                       {label(texts::kReverseSurRear, kIdReverseSurRearLabel), check(kIdReverseSurRear),
                        label(texts::kNotApplicable, kIdReverseNa)},
                       {label(texts::kCopySurToRear, kIdCopySurToRearLabel), check(kIdCopySurToRear),
                        label(texts::kNotApplicable, kIdCopyNa)},
                   }};
    GroupSpec format{
        .rows =
            {
                {label(texts::kFs6ch), dropList(kIdFs6ch, listItems(texts::kSampleRates), 2)},
                {label(texts::kFs2ch), dropList(kIdFs2ch, listItems(texts::kSampleRates), 2)},
                {label(texts::kDigital2), dropList(kIdDigital2, listItems(texts::kDigital2Sources), 2)},
                {label(texts::kDig1WhenCopied), check(kId16Bit, texts::k16Bit), check(kId24Bit, texts::k24Bit)},
                {label(texts::kBalOut), check(kIdCtr2Sub2, texts::kCtr2Sub2), check(kIdZone2LR, texts::kZone2LR)},
            },
        .row = 1};
    GroupSpec note{.rows = {{label(texts::kAudioOutNote)}}, .row = 2};
    return {{rear, format, note}};
}

}  // namespace

CADAudioOutFormat::CADAudioOutFormat(PageContext& context) : CSettingsPage(texts::kAudioOutCaption, context) {}

void CADAudioOutFormat::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    onCommand(kId16Bit, ui::Notify::Clicked, [this] { choose(record_->dig1Is16Bit, 1); });
    onCommand(kId24Bit, ui::Notify::Clicked, [this] { choose(record_->dig1Is16Bit, 0); });
    onCommand(kIdCtr2Sub2, ui::Notify::Clicked, [this] { choose(record_->balOutZone2, 0); });
    onCommand(kIdZone2LR, ui::Notify::Clicked, [this] { choose(record_->balOutZone2, 1); });
}

void CADAudioOutFormat::BindRecords(SettingsRecordSet& working)
{
    record_ = &working.audioOut;
    cinemaRears_ = &working.speakerConfig.cinema.rears;
    musicRears_ = &working.speakerConfig.music.rears;
}

void CADAudioOutFormat::choose(int& field, int value)
{
    // The lists' choices are taken first, so that the refresh shows them as chosen.
    updateData(true);
    field = value;
    updateData(false);
}

void CADAudioOutFormat::applyRearRule()
{
    const bool rears = *cinemaRears_ != 0 || *musicRears_ != 0;
    enableControls(rears, {kIdReverseSurRear, kIdCopySurToRear});
    showControls(rears, {kIdReverseSurRearLabel, kIdCopySurToRearLabel});
    showControls(!rears, {kIdReverseNa, kIdCopyNa});
    enableControls(false, {kIdReverseNa, kIdCopyNa});
}

void CADAudioOutFormat::onInitDialog()
{
    applyRearRule();
    CSettingsPage::onInitDialog();
}

bool CADAudioOutFormat::onSetActive()
{
    applyRearRule();
    return CSettingsPage::onSetActive();
}

void CADAudioOutFormat::doDataExchange(ui::DataExchange& dx)
{
    if (!record_)
        return;
    if (!dx.saving()) {
        applyRearRule();
        show16Bit_ = record_->dig1Is16Bit;
        show24Bit_ = !record_->dig1Is16Bit;
        showZone2LR_ = record_->balOutZone2;
        showCtr2Sub2_ = !record_->balOutZone2;
    }
    ui::ddxCheck(dx, kIdReverseSurRear, record_->reverseSurRear);
    ui::ddxCheck(dx, kIdCopySurToRear, record_->copySurToRear);
    ui::ddxCBIndex(dx, kIdFs6ch, record_->fs6ch);
    ui::ddxCBIndex(dx, kIdFs2ch, record_->fs2ch);
    ui::ddxCBIndex(dx, kIdDigital2, record_->digital2);
    ui::ddxCheck(dx, kId16Bit, show16Bit_);
    ui::ddxCheck(dx, kId24Bit, show24Bit_);
    ui::ddxCheck(dx, kIdCtr2Sub2, showCtr2Sub2_);
    ui::ddxCheck(dx, kIdZone2LR, showZone2LR_);
}

}  // namespace velmar::editor
