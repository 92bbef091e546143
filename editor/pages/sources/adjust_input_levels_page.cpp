#include "pages/sources/adjust_input_levels_page.h"

#include <QSlider>

#include "pages/sources/source_controls.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

constexpr int kDvd = 0;
constexpr double kLowestDb = -20.0;
constexpr double kHighestDb = 31.5;
constexpr double kHalfSteps = 2.0;

ui::PageSpec pageLayout()
{
    const ui::GroupSpec buttons = sourceButtonGroup();
    ui::GroupSpec level{
        .rows = {ui::valueRow(sourceButtonOf(kDvd)->levelLabel,
                              {.slider = kIdLevelSlider, .edit = kIdLevelEdit, .label = kIdLevelSourceLabel},
                              texts::kDb),
                 {ui::label(texts::kInputLevelsNote, ui::kNoId, 4)}},
        .row = 1};
    return {{buttons, level}};
}

}  // namespace

CAdjustInputLevels::CAdjustInputLevels(PageContext& context)
    : CSettingsPage(texts::kInputLevelsCaption, context), pairs_(*this), selected_(kDvd)
{
}

void CAdjustInputLevels::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    // Ten pairs on one trackbar and edit; only the selected source's takes part.
    for (CBoundValueDlg& pair : level_) {
        pair.Attach(kIdLevelSlider, kIdLevelEdit, controlAs<QSlider>(kIdLevelSlider));
        pairs_.add(pair);
    }
    for (const SourceButton& b : sourceButtons())
        onCommand(b.id, ui::Notify::Clicked, [this, source = b.source] {
            select(source);
            updateData(false);
        });
    select(kDvd);
}

void CAdjustInputLevels::LoadRecord()
{
    for (int source = 0; source < kSourceCount; ++source) {
        CBoundValueDlg& pair = level_[static_cast<size_t>(source)];
        pair.SetScale(kHalfSteps, 0.0);
        pair.SetLimits(kLowestDb, kHighestDb);
        pair.SetPosition(record_->level[static_cast<size_t>(source)]);
    }
}

void CAdjustInputLevels::select(int source)
{
    selected_ = source;
    for (int s = 0; s < kSourceCount; ++s)
        pairs_.setActive(level_[static_cast<size_t>(s)], s == source);
    setControlText(kIdLevelSourceLabel, sourceButtonOf(source)->levelLabel);
}

bool CAdjustInputLevels::onSetActive()
{
    LoadRecord();
    select(kDvd);
    const bool shown = CSettingsPage::onSetActive();
    updateData(false);
    return shown;
}

bool CAdjustInputLevels::onKillActive()
{
    updateData(true);
    record_->saveToStore(store());
    record_->loadFromStore(store());
    updateData(false);
    return CSettingsPage::onKillActive();
}

void CAdjustInputLevels::doDataExchange(ui::DataExchange& dx)
{
    if (!record_)
        return;
    CBoundValueDlg& pair = level_[static_cast<size_t>(selected_)];
    int& level = record_->level[static_cast<size_t>(selected_)];
    if (!dx.saving())
        pair.SetPosition(level);
    pairs_.exchange(dx);
    if (dx.saving())
        level = pair.GetPosition();
}

void CAdjustInputLevels::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
