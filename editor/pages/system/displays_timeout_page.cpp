#include "pages/system/displays_timeout_page.h"

#include <QSlider>
#include <algorithm>

#include "ui/page_builder.h"

namespace velmar::editor {

namespace t = displays_texts;

namespace {

constexpr int kTimeoutLowest = 1;
constexpr int kTimeoutHighest = 15;
constexpr int kBrightnessLowest = 1;
constexpr int kBrightnessHighest = 15;

const std::vector<int> kBrightnessControls{kIdHighSlider, kIdHighEdit,         kIdMediumSlider, kIdMediumEdit,
                                           kIdLowSlider,  kIdLowEdit,          kIdHighLabel,    kIdMediumLabel,
                                           kIdLowLabel,   kIdBrightnessCaption};

struct Brightness {
    int low;
    int medium;
    int high;
};

// From High down, each level below the one before it, all within 1 to 15.
Brightness inOrder(const Brightness& levels)
{
    const int high = std::clamp(levels.high, kBrightnessLowest + 2, kBrightnessHighest);
    const int medium = std::clamp(levels.medium, kBrightnessLowest + 1, high - 1);
    return {std::clamp(levels.low, kBrightnessLowest, medium - 1), medium, high};
}

ui::GroupSpec zoneGroup(const char* title, int column, const QStringList& onScreen, int onScreenId,
                        const QStringList& osInfo, int osInfoId, int positionId, int colorId)
{
    return {.title = title,
            .rows = {{ui::label(t::kOnScreen), ui::dropList(onScreenId, onScreen)},
                     {ui::label(t::kOsInfo), ui::dropList(osInfoId, osInfo)},
                     {ui::label(t::kOsPosition), ui::dropList(positionId, ui::itemList(t::kOsPositionItems))},
                     {ui::label(t::kOsColor), ui::dropList(colorId, ui::itemList(t::kOsColorItems))}},
            .row = 0,
            .column = column};
}

ui::PageSpec pageLayout()
{
    return {{
        zoneGroup(t::kMain, 0, ui::itemList(t::kMainOnScreenItems), kIdMainOnScreen, ui::itemList(t::kMainOsInfoItems),
                  kIdMainOsInfo, kIdMainOsPosition, kIdMainOsColor),
        zoneGroup(t::kZone2, 1, ui::itemList(t::kZone2OnScreenItems), kIdZone2OnScreen,
                  ui::itemList(t::kZone2OsInfoItems), kIdZone2OsInfo, kIdZone2OsPosition, kIdZone2OsColor),
        {.rows = {{ui::label(t::kWakeUp), ui::dropList(kIdWakeUp, ui::itemList(t::kWakeUpItems))}},
         .row = 1,
         .column = 0},
        {.rows = {ui::valueRow(t::kFunctionTimeout, {.slider = kIdTimeoutSlider, .edit = kIdTimeoutEdit}, t::kSeconds),
                  {ui::label(t::kBrightnessCaption, kIdBrightnessCaption, 4)},
                  ui::valueRow(t::kHigh, {.slider = kIdHighSlider, .edit = kIdHighEdit, .label = kIdHighLabel}),
                  ui::valueRow(t::kMedium, {.slider = kIdMediumSlider, .edit = kIdMediumEdit, .label = kIdMediumLabel}),
                  ui::valueRow(t::kLow, {.slider = kIdLowSlider, .edit = kIdLowEdit, .label = kIdLowLabel})},
         .row = 2,
         .column = 0,
         .columnSpan = 2},
    }};
}

}  // namespace

// Typed values are taken while typing only: leaving an edit changes nothing.
CDisplaysTimeout::CDisplaysTimeout(PageContext& context)
    : CSettingsPage(t::kCaption, context), pairs_(*this, {.leaveRule = false})
{
}

void CDisplaysTimeout::onCreateControls()
{
    ui::buildPage(*this, *this, pageLayout());
    for (const auto& [pair, slider, edit] : {std::tuple{&timeout_, kIdTimeoutSlider, kIdTimeoutEdit},
                                             {&high_, kIdHighSlider, kIdHighEdit},
                                             {&medium_, kIdMediumSlider, kIdMediumEdit},
                                             {&low_, kIdLowSlider, kIdLowEdit}}) {
        pair->Attach(slider, edit, controlAs<QSlider>(slider));
        pair->SetScale(1, 0);
        pairs_.add(*pair);
    }
}

bool CDisplaysTimeout::showsBrightness() { return store().modelKind() == ModelKind::Qrx20; }

void CDisplaysTimeout::applyModelRule()
{
    const bool shown = showsBrightness();
    showControls(shown, kBrightnessControls);
    // Hidden pairs take no part in exchanges: their record values stay as loaded.
    for (const CBoundValueDlg* pair : {&high_, &medium_, &low_})
        pairs_.setActive(*pair, shown);
}

void CDisplaysTimeout::setBrightnessRanges(int low, int medium, int high)
{
    high_.SetLimits(medium + 1, kBrightnessHighest);
    medium_.SetLimits(low + 1, high - 1);
    low_.SetLimits(kBrightnessLowest, medium - 1);
    for (CBoundValueDlg* pair : {&high_, &medium_, &low_})
        pair->SetPosition(pair->PositionOf(pair->GetValue()));
}

void CDisplaysTimeout::setUpPairs()
{
    timeout_.SetLimits(kTimeoutLowest, kTimeoutHighest);
    timeout_.SetPosition(record_->functionTimeout);
    // Each range lies between the neighbours' values, so a stored triple out of order or
    // outside 1 to 15 (factory settings made before a QRX 20 was detected hold zeros) would
    // give empty ranges and values below 1: it is brought into order first.
    const Brightness levels = inOrder({record_->brightLow, record_->brightMedium, record_->brightHigh});
    showBrightness(levels.low, levels.medium, levels.high);
}

void CDisplaysTimeout::showBrightness(int low, int medium, int high)
{
    high_.SetValue(high);
    medium_.SetValue(medium);
    low_.SetValue(low);
    setBrightnessRanges(low, medium, high);
}

bool CDisplaysTimeout::onSetActive()
{
    applyModelRule();
    setUpPairs();
    updateData(false);
    return CSettingsPage::onSetActive();
}

void CDisplaysTimeout::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxCBIndex(dx, kIdMainOnScreen, record_->mainOnScreen);
    ui::ddxCBIndex(dx, kIdMainOsInfo, record_->mainOsInfo);
    ui::ddxCBIndex(dx, kIdMainOsPosition, record_->mainOsPosition);
    ui::ddxCBIndex(dx, kIdMainOsColor, record_->mainOsColor);
    ui::ddxCBIndex(dx, kIdZone2OnScreen, record_->zone2OnScreen);
    ui::ddxCBIndex(dx, kIdZone2OsInfo, record_->zone2OsInfo);
    ui::ddxCBIndex(dx, kIdZone2OsPosition, record_->zone2OsPosition);
    ui::ddxCBIndex(dx, kIdZone2OsColor, record_->zone2OsColor);
    ui::ddxCBIndex(dx, kIdWakeUp, record_->wakeUp);
    pairs_.exchange(dx);
    if (!dx.saving())
        return;
    record_->functionTimeout = timeout_.GetPosition();
    if (!showsBrightness())
        return;
    // A move the page refused to take (another edit held a value out of range) leaves the
    // neighbours' ranges as they were, so later moves can cross: the levels stored are the ones
    // the next visit shows.
    const Brightness levels = inOrder({low_.GetPosition(), medium_.GetPosition(), high_.GetPosition()});
    record_->brightLow = levels.low;
    record_->brightMedium = levels.medium;
    record_->brightHigh = levels.high;
    showBrightness(levels.low, levels.medium, levels.high);
}

void CDisplaysTimeout::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
