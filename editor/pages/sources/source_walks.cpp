// The source pages' walks for a report (pages/page_walk.h): each source's sub-sheet, left as
// Cancel leaves it, and each source's input level.
#include "pages/page_walk.h"
#include "pages/sources/adjust_input_levels_page.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_setup_preset_sheet.h"
#include "pages/sources/source_setup_presets_page.h"
#include "ui/modal_copy.h"

namespace velmar::editor {

namespace {

ui::ReadFilter withoutSourceButtons()
{
    ui::ReadFilter filter;
    for (const SourceButton& b : sourceButtons())
        filter.skip.push_back(b.id);
    return filter;
}

}  // namespace

void CSourceSetupPresets::WalkControls(PageWalk& walk)
{
    walk.read(*this, withoutSourceButtons());
    for (const SourceButton& b : sourceButtons()) {
        SourceEntry& entry = record_->entry[static_cast<size_t>(b.source)];
        ui::keepOnOk(entry, [&] {
            CSourceSetupPresetSheet sheet(entry, b.source, store().modelKind(), this);
            readSheet(walk, indexedKey("source", b.source), sheet);
            return false;
        });
    }
}

void CAdjustInputLevels::WalkControls(PageWalk& walk)
{
    const ui::ReadFilter filter = withoutSourceButtons();
    const int selected = selected_;
    for (const SourceButton& b : sourceButtons()) {
        select(b.source);
        updateData(false);
        // The level's caption names the source.
        const WalkSection section(walk, indexedKey("source", b.source));
        walk.read(*this, filter);
    }
    select(selected);
    updateData(false);
}

}  // namespace velmar::editor
