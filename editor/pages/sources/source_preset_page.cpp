#include "pages/sources/source_preset_page.h"

#include <QLabel>

#include "pages/sources/source_kinds.h"
#include "pages/sources/source_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

enum Control : int {
    kIdTwoChLabel = 1230,
    kIdDd20Label = 1156,
    kIdDd51Label = 1157,
    kIdDdExLabel = 1158,
    kIdDts51Label = 1159,
    kIdDtsEsLabel = 1160,
    kIdSixChLabel = 1229,
    kIdPresetsNote = 2100,
    kIdSpeakerNote = 2101,
};

// A preset's row: the slot it edits, its label and its list.
struct PresetRow {
    int slot;
    int labelId;
    int listId;
};
constexpr PresetRow kPresetRows[kModePresetSlotCount] = {
    {kTwoChSlot, kIdTwoChLabel, kIdTwoChPreset}, {kDd20Slot, kIdDd20Label, kIdDd20Preset},
    {kDd51Slot, kIdDd51Label, kIdDd51Preset},    {kDdExSlot, kIdDdExLabel, kIdDdExPreset},
    {kDts51Slot, kIdDts51Label, kIdDts51Preset}, {kDtsEsSlot, kIdDtsEsLabel, kIdDtsEsPreset},
};
constexpr PresetRow kSixChRow{kDd51Slot, kIdSixChLabel, kIdSixChPreset};

QStringList modeListItems(int slot)
{
    QStringList items;
    for (const ModeListItem& item : modeList(slot))
        items << item.text;
    return items;
}

ui::PageSpec pageLayout()
{
    ui::GroupSpec presets;
    for (const PresetRow& row : kPresetRows)
        presets.rows.push_back({ui::label(texts::kPresetLabels[row.slot], row.labelId),
                                ui::dropList(row.listId, modeListItems(row.slot))});
    presets.rows.push_back({ui::label(texts::kSixChPreset, kSixChRow.labelId),
                            ui::dropList(kSixChRow.listId, modeListItems(kSixChRow.slot))});
    ui::GroupSpec notes{.rows = {{ui::label(texts::kPresetsNote, kIdPresetsNote)},
                                 {ui::label(texts::kPresetsSpeakerNote, kIdSpeakerNote)}},
                        .row = 1};
    return {{presets, notes}};
}

// The rows a kind shows: the 6-ch row alone, the 2-ch row alone, or the six.
std::vector<PresetRow> shownRows(int kind)
{
    if (kind & kSixChannelOnly)
        return {kSixChRow};
    if (kind & kTwoChannelOnly)
        return {kPresetRows[kTwoChSlot]};
    return {std::begin(kPresetRows), std::end(kPresetRows)};
}

}  // namespace

CSourceSetupPresetsPresetPage::CSourceSetupPresetsPresetPage() : ui::PropertyPage(texts::kPresetsTab)
{
    ui::buildPage(*this, *this, pageLayout());
    for (const int id : {kIdPresetsNote, kIdSpeakerNote})
        controlAs<QLabel>(id)->setWordWrap(true);
}

void CSourceSetupPresetsPresetPage::onInitDialog()
{
    for (const PresetRow& row : kPresetRows)
        showControls(false, {row.labelId, row.listId});
    showControls(false, {kSixChRow.labelId, kSixChRow.listId});
    for (const PresetRow& row : shownRows(kind_))
        showControls(true, {row.labelId, row.listId});
    ui::PropertyPage::onInitDialog();
}

void CSourceSetupPresetsPresetPage::doDataExchange(ui::DataExchange& dx)
{
    if (!presets_)
        return;
    // A slot whose code is in no list position holds -1; the list shows no choice and the
    // code stays what it was unless the user picks one.
    for (const PresetRow& row : shownRows(kind_)) {
        ui::ddxCBIndex(dx, row.listId, presets_->position[row.slot]);
        if (!dx.saving() && presets_->position[row.slot] < 0)
            ui::noteUnshownValue(control(row.listId), presets_->code(row.slot));
    }
}

}  // namespace velmar::editor
