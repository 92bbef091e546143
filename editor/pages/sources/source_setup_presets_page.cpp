#include "pages/sources/source_setup_presets_page.h"

#include "pages/sources/source_controls.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_setup_preset_sheet.h"
#include "pages/sources/source_texts.h"
#include "ui/modal_copy.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

ui::PageSpec pageLayout()
{
    const ui::GroupSpec buttons = sourceButtonGroup();
    ui::GroupSpec copy{.title = texts::kCopyMainGroup,
                       .rows =
                           {
                               {ui::label(texts::kCopyToZone2), ui::radio(kIdZone2Manual, texts::kManual, 1),
                                ui::radio(kIdZone2Automatic, texts::kAutomatic, 1)},
                               {ui::label(texts::kCopyToZone3), ui::radio(kIdZone3Manual, texts::kManual, 2),
                                ui::radio(kIdZone3Automatic, texts::kAutomatic, 2)},
                               {ui::label(texts::kCopyToRec), ui::radio(kIdRecManual, texts::kManual, 3),
                                ui::radio(kIdRecAutomatic, texts::kAutomatic, 3)},
                           },
                       .row = 1};
    return {{buttons, copy}};
}

}  // namespace

CSourceSetupPresets::CSourceSetupPresets(PageContext& context) : CSettingsPage(texts::kSetupPresetsCaption, context) {}

void CSourceSetupPresets::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    for (const SourceButton& b : sourceButtons())
        onCommand(b.id, ui::Notify::Clicked, [this, source = b.source] { OpenSource(source); });
}

bool CSourceSetupPresets::OpenSource(int source)
{
    SourceEntry& entry = record_->entry[static_cast<size_t>(source)];
    CSourceSetupPresetSheet sheet(entry, source, store().modelKind(), this);
    if (!ui::keepOnOk(entry, [&sheet] { return sheet.doModal() == QDialog::Accepted; }))
        return false;
    entry.saveToStore(store(), source);
    entry.loadFromStore(store(), source);
    return true;
}

void CSourceSetupPresets::doDataExchange(ui::DataExchange& dx)
{
    if (!record_)
        return;
    ui::ddxRadio(dx, {kIdZone2Manual, kIdZone2Automatic}, record_->copyZone2);
    ui::ddxRadio(dx, {kIdZone3Manual, kIdZone3Automatic}, record_->copyZone3);
    ui::ddxRadio(dx, {kIdRecManual, kIdRecAutomatic}, record_->copyRec);
}

}  // namespace velmar::editor
