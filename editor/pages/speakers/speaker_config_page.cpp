#include "pages/speakers/speaker_config_page.h"

#include "pages/speakers/bass_peak_level_dialog.h"
#include "pages/speakers/room_resonance_dialog.h"
#include "pages/speakers/speaker_mode_dialog.h"
#include "pages/speakers/speaker_rules.h"
#include "pages/speakers/speaker_texts.h"
#include "ui/modal_copy.h"
#include "ui/page_builder.h"

namespace velmar::editor {

CSpeakerConfigPage::CSpeakerConfigPage(PageContext& context) : CSettingsPage(texts::kSpeakerConfigCaption, context)
{
    const std::pair<int, void (CSpeakerConfigPage::*)()> commands[] = {
        {kIdCenterEq, &CSpeakerConfigPage::OnCenterEq},       {kIdCinemaConfig, &CSpeakerConfigPage::OnCinemaConfig},
        {kIdMusicConfig, &CSpeakerConfigPage::OnMusicConfig}, {kIdRoomFilter, &CSpeakerConfigPage::OnRoomFilter},
        {kIdBassPeak, &CSpeakerConfigPage::OnBassPeak},
    };
    for (const auto& [id, handler] : commands)
        onCommand(id, ui::Notify::Clicked, [this, handler] { (this->*handler)(); });
}

void CSpeakerConfigPage::onCreateControls()
{
    ui::GroupSpec speakers{
        .rows = {
            {ui::label(texts::kSurroundType), ui::dropList(kIdSurroundType, ui::itemList(texts::kSurroundTypes))},
            {ui::label(texts::kRearQtyType), ui::dropList(kIdRearType, ui::itemList(texts::kRearTypes))},
            {ui::captionedCheck(kIdCenterEq, texts::kCenterEq)},
            {ui::label(texts::kTvSizeForEq), ui::dropList(kIdTvSize, ui::itemList(texts::kTvSizes))},
        }};
    ui::GroupSpec dialogs{.rows = {{ui::button(kIdCinemaConfig, texts::kCinemaSpeakerConfig)},
                                   {ui::button(kIdMusicConfig, texts::kMusicSpeakerConfig)},
                                   {ui::button(kIdRoomFilter, texts::kRoomResonanceFilter)},
                                   {ui::button(kIdBassPeak, texts::kSetBassPeakLevel)}},
                          .column = 1};
    ui::buildPage(*this, *this, ui::PageSpec{{speakers, dialogs}});
}

void CSpeakerConfigPage::BindRecords(SettingsRecordSet& working) { record_ = &working.speakerConfig; }

void CSpeakerConfigPage::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxCBIndex(dx, kIdSurroundType, record_->surroundType);
    ui::ddxCBIndex(dx, kIdRearType, record_->rearType);
    ui::ddxCheck(dx, kIdCenterEq, record_->centerEq);
    ui::ddxCBIndex(dx, kIdTvSize, record_->tvSize);
    // The TV size tunes the center equaliser only; applied on every load, so that it also
    // follows a set the General page has just put in place.
    enableControls(record_->centerEq != 0, {kIdTvSize});
}

void CSpeakerConfigPage::OnCenterEq() { updateData(true); }

void CSpeakerConfigPage::OnCinemaConfig()
{
    CCinemaSpeakerConfigDlg dialog(record_->cinema, this);
    ui::editModally(*record_, dialog);
}

void CSpeakerConfigPage::OnMusicConfig()
{
    CMusicSpeakerConfigDlg dialog(record_->music, record_->musicSameAsCinema, this);
    ui::editModally(*record_, dialog);
}

void CSpeakerConfigPage::OnRoomFilter()
{
    CRoomResonanceDlg dialog(record_->room, roomFrequencyLimit(*record_), this);
    ui::editModally(*record_, dialog);
}

void CSpeakerConfigPage::OnBassPeak()
{
    CBassPeakLevelDlg dialog(record_->bassPeak, record_->room.thxUltra2Sub, this);
    ui::editModally(*record_, dialog);
}

}  // namespace velmar::editor
