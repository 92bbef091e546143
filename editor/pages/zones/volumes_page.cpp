#include "pages/zones/volumes_page.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>

#include "pages/text_list.h"
#include "ui/page_builder.h"
#include "pages/zones/volume_rules.h"
#include "pages/zones/zone_texts.h"

namespace velmar::editor {

namespace {

constexpr int kNameChars = 6;
constexpr int kPathGroup = 1;
const std::vector<int> kPathRadios{kIdPathMain, kIdPathZone2, kIdPathZone3, kIdPathHPhone};
constexpr int kIdOnVolumeUnit = 2142;

ui::PageSpec pageLayout()
{
    ui::RowSpec paths;
    for (int path = 0; path < kPathCount; ++path)
        paths.push_back(ui::radio(kPathRadios[static_cast<size_t>(path)], texts::kPathRadios[path], kPathGroup));
    return {{
        {.rows = {{ui::label(texts::kMuteLevelLabel), ui::dropList(kIdMuteLevel, textList(texts::kMuteLevels))},
                  {ui::captionedCheck(kIdHPhoneMute, texts::kHphoneMuteCheck)}},
         .row = 0,
         .column = 0},
        {.rows = {{ui::label(texts::kRenameZone2), ui::edit(kIdRenameZone2, kNameChars)},
                  {ui::label(texts::kRenameZone3), ui::edit(kIdRenameZone3, kNameChars)},
                  {ui::label(texts::kRenameRecord), ui::edit(kIdRenameRecord, kNameChars)}},
         .row = 0,
         .column = 1},
        {.rows = {paths}, .row = 1, .column = 0, .columnSpan = 2},
        {.id = kIdVolumeBox,
         .title = texts::kPathCaptions[0],
         .rows = {ui::valueRow(texts::kOnVolume,
                               {.slider = kIdOnVolumeSlider, .edit = kIdOnVolumeEdit, .unit = kIdOnVolumeUnit},
                               texts::kDecibels),
                  {ui::label(texts::kMaxVolume), ui::slider(kIdMaxVolumeSlider), ui::edit(kIdMaxVolumeEdit, 6),
                   ui::label(texts::kDecibels, kIdMaxVolumeUnit), ui::label(texts::kLockToOnVol, kIdLockToOnVol)}},
         .row = 2,
         .column = 0,
         .columnSpan = 2},
    }};
}

}  // namespace

CVolumesRenamePaths::CVolumesRenamePaths(PageContext& context)
    : CSettingsPage(texts::kVolumesCaption, context), pairs_(*this, {.beforeSliderCommit = [this] { LimitOnVolume(); }})
{
}

void CVolumesRenamePaths::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    onVolume_.Attach(kIdOnVolumeSlider, kIdOnVolumeEdit, controlAs<QSlider>(kIdOnVolumeSlider));
    maxVolume_.Attach(kIdMaxVolumeSlider, kIdMaxVolumeEdit, controlAs<QSlider>(kIdMaxVolumeSlider));
    pairs_.add(onVolume_);
    pairs_.add(maxVolume_);
    // The store keeps a name byte for byte: printable ASCII keeps six characters six bytes.
    auto* printable = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[ -~]*")), this);
    for (const int id : {kIdRenameZone2, kIdRenameZone3, kIdRenameRecord})
        controlAs<QLineEdit>(id)->setValidator(printable);
    for (const int id : kPathRadios)
        onCommand(id, ui::Notify::Clicked, [this] { OnPath(); });
}

void CVolumesRenamePaths::LoadRecord() { ShowPath(); }

bool CVolumesRenamePaths::onSetActive()
{
    path_ = pathChecked_ = 0;
    ShowPath();
    setControlText(kIdVolumeBox, texts::kPathCaptions[path_]);
    const bool shown = CSettingsPage::onSetActive();
    updateData(false);
    return shown;
}

bool CVolumesRenamePaths::onKillActive()
{
    if (!CSettingsPage::onKillActive())
        return false;
    record_->saveToStore(store());
    updateData(false);
    return true;
}

void CVolumesRenamePaths::ShowPath()
{
    applyRange(maxVolume_, maxVolumeRange(path_));
    maxVolume_.SetPosition(record_->maxVolume[path_]);
    applyRange(onVolume_, onVolumeRange(path_, maxVolume_.GetPosition()));
    onVolume_.SetPosition(record_->onVolume[path_]);
}

void CVolumesRenamePaths::OnPath()
{
    // The volumes shown belong to the path shown so far; only then does the radio count.
    if (!updateData(true)) {
        pathChecked_ = path_;
        ui::DataExchange load(*this, false);
        ui::ddxRadio(load, kPathRadios, pathChecked_);
        return;
    }
    path_ = pathChecked_;
    ShowPath();
    updateData(false);
    setControlText(kIdVolumeBox, texts::kPathCaptions[path_]);
}

void CVolumesRenamePaths::LimitOnVolume()
{
    applyRange(onVolume_, onVolumeRange(path_, maxVolume_.GetPosition()));
    onVolume_.SetPosition(onVolume_.PositionOf(onVolume_.GetValue()));
    if (onVolume_.GetPosition() > maxVolume_.GetPosition())
        onVolume_.SetPosition(maxVolume_.GetPosition());
}

void CVolumesRenamePaths::ShowLock()
{
    const bool locked = isLockedToOnVolume(path_, maxVolume_.GetPosition());
    showControls(locked, {kIdLockToOnVol});
    showControls(!locked, {kIdMaxVolumeEdit, kIdMaxVolumeUnit});
}

void CVolumesRenamePaths::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxCBIndex(dx, kIdMuteLevel, record_->muteLevel);
    ui::ddxCheck(dx, kIdHPhoneMute, record_->hphoneMutesSpeakers);
    ui::ddxRadio(dx, kPathRadios, pathChecked_);
    pairs_.exchange(dx);
    if (dx.saving()) {
        record_->onVolume[path_] = onVolume_.GetPosition();
        record_->maxVolume[path_] = maxVolume_.GetPosition();
    }
    ui::ddxText(dx, kIdRenameZone2, record_->zone2Name);
    ui::ddxText(dx, kIdRenameZone3, record_->zone3Name);
    ui::ddxText(dx, kIdRenameRecord, record_->recName);
    ShowLock();
}

void CVolumesRenamePaths::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
