#include "pages/speakers/speaker_mode_dialog.h"

#include <QComboBox>
#include <QSlider>
#include <QVBoxLayout>

#include "pages/speakers/speaker_rules.h"
#include "pages/speakers/speaker_texts.h"
#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

// Crossover pairs: index k shows k × 5 + 25 Hz. The phase shows 5 degrees a position.
constexpr double kCrossoverScale = 0.2, kCrossoverOffset = 25;
constexpr double kBasicLow = 25, kBasicHigh = 160;
constexpr double kPhaseScale = 0.2, kPhaseHigh = 180;
constexpr double kCinemaLow = 20, kCinemaHigh = 160;
constexpr double kMusicLow = 25, kMusicHigh = 165;

// The "ADVANCED" marks stand where the basic controls are.
const std::vector<int> kAdvancedMarks{kIdCenterAdvancedMark, kIdFrontAdvancedMark, kIdRearAdvancedMark,
                                      kIdSurroundAdvancedMark, kIdXOverAdvancedMark};
const std::vector<int> kBasicControls{kIdCenterSize, kIdFrontSize,   kIdRearSize, kIdSurroundSize,
                                      kIdXOverEdit,  kIdXOverSlider, kIdXOverHz};
// Enabled in advanced settings only; they stay visible.
const std::vector<int> kAdvancedControls{
    kIdBypassLfe,    kIdPolarity,  kIdPhaseEdit,   kIdPhaseSlider, kIdCenterXEdit, kIdCenterXSlider, kIdFrontXEdit,
    kIdFrontXSlider, kIdRearXEdit, kIdRearXSlider, kIdSubXEdit,    kIdSubXSlider,  kIdSurroundXEdit, kIdSurroundXSlider,
    kIdFrontOff,     kIdCenterOff, kIdSurroundOff, kIdRearOff,     kIdSubOff,
};

constexpr int kCrossoverEditChars = 6;

// Caption, the basic list (or its "ADVANCED" mark), then the advanced crossover pair whose
// edit gives way to "Off" below 25 Hz.
ui::RowSpec crossoverRow(const char* caption, ui::ControlSpec basic, int mark, int slider, int edit, int off)
{
    return {ui::label(caption),
            std::move(basic),
            mark == ui::kNoId ? ui::gap() : ui::label(texts::kAdvancedMark, mark),
            ui::slider(slider),
            ui::edit(edit, kCrossoverEditChars),
            ui::label(texts::kOff, off),
            ui::label(texts::kHz)};
}

}  // namespace

CCinemaSpeakerConfigDlg::CCinemaSpeakerConfigDlg(SpeakerModeRecord& record, QWidget* parent)
    : CCinemaSpeakerConfigDlg(record, {kCinemaLow, kCinemaHigh}, parent)
{
}

CCinemaSpeakerConfigDlg::CCinemaSpeakerConfigDlg(SpeakerModeRecord& record, Limits advanced, QWidget* parent)
    : ui::Dialog(parent), record_(record), advancedLimits_(advanced), pairs_(*this)
{
    setWindowTitle(texts::kCinemaCaption);
    buildControls();
    // In their exchange order.
    const std::tuple<int, int, CBoundValueDlg*> table[] = {
        {kIdXOverSlider, kIdXOverEdit, &xover_},    {kIdCenterXSlider, kIdCenterXEdit, &centerX_},
        {kIdFrontXSlider, kIdFrontXEdit, &frontX_}, {kIdRearXSlider, kIdRearXEdit, &rearX_},
        {kIdSubXSlider, kIdSubXEdit, &subX_},       {kIdSurroundXSlider, kIdSurroundXEdit, &surroundX_},
        {kIdPhaseSlider, kIdPhaseEdit, &phase_},
    };
    for (const auto& [slider, edit, pair] : table) {
        pair->Attach(slider, edit, controlAs<QSlider>(slider));
        pairs_.add(*pair);
    }
    onCommand(kIdAdvanced, ui::Notify::Clicked, [this] { OnUseAdvanced(); });
    onCommand(kIdPolarity, ui::Notify::Clicked, [this] { OnPolarity(); });
    onCommand(kIdSurroundSize, ui::Notify::SelChange, [this] { updateData(true); });
}

void CCinemaSpeakerConfigDlg::buildControls()
{
    const QStringList sizes = ui::itemList(texts::kSpeakerSizes);
    ui::GroupSpec grid;
    grid.rows = {
        crossoverRow(texts::kCenter, ui::dropList(kIdCenterSize, sizes), kIdCenterAdvancedMark, kIdCenterXSlider,
                     kIdCenterXEdit, kIdCenterOff),
        crossoverRow(texts::kFronts, ui::dropList(kIdFrontSize, ui::itemList(texts::kFrontSizes)), kIdFrontAdvancedMark,
                     kIdFrontXSlider, kIdFrontXEdit, kIdFrontOff),
        crossoverRow(texts::kRears71, ui::dropList(kIdRearSize, sizes), kIdRearAdvancedMark, kIdRearXSlider,
                     kIdRearXEdit, kIdRearOff),
        crossoverRow(texts::kSurrounds, ui::dropList(kIdSurroundSize, sizes), kIdSurroundAdvancedMark,
                     kIdSurroundXSlider, kIdSurroundXEdit, kIdSurroundOff),
        crossoverRow(texts::kSubwoofer, ui::dropList(kIdSubwoofer, subwooferItems(false)), ui::kNoId, kIdSubXSlider,
                     kIdSubXEdit, kIdSubOff),
        {ui::label(texts::kXOverFreq), ui::gap(), ui::label(texts::kAdvancedMark, kIdXOverAdvancedMark),
         ui::slider(kIdXOverSlider), ui::edit(kIdXOverEdit, kCrossoverEditChars), ui::gap(),
         ui::label(texts::kHz, kIdXOverHz)},
        {ui::label(texts::kSubPhase), ui::gap(2), ui::slider(kIdPhaseSlider),
         ui::edit(kIdPhaseEdit, kCrossoverEditChars), ui::gap(), ui::label(texts::kDeg)},
        {ui::label(texts::kSubPolarity), ui::button(kIdPolarity, texts::kPolarity[0])},
    };
    ui::GroupSpec checks{
        .rows = {{ui::check(kIdAdvanced, texts::kUseAdvanced), ui::check(kIdBypassLfe, texts::kBypassLfe),
                  ui::check(kIdSameAsCinema, texts::kSameAsCinema)}},
        .row = 1};
    QVBoxLayout* layout = ui::buildPage(*this, *this, ui::PageSpec{{grid, checks}});
    ui::addDialogButtons(*this, *this, *layout, texts::kOk, texts::kCancel);
}

void CCinemaSpeakerConfigDlg::SetUpPairs()
{
    xover_.SetScale(kCrossoverScale, kCrossoverOffset);
    xover_.SetLimits(kBasicLow, kBasicHigh);
    for (CBoundValueDlg* pair : {&centerX_, &frontX_, &rearX_, &subX_, &surroundX_}) {
        pair->SetScale(kCrossoverScale, kCrossoverOffset);
        pair->SetLimits(advancedLimits_.low, advancedLimits_.high);
    }
    phase_.SetScale(kPhaseScale, 0);
    phase_.SetLimits(0, kPhaseHigh);

    xover_.SetPosition(record_.subCrossover);
    subX_.SetPosition(record_.subCrossover);
    centerX_.SetPosition(record_.centerCrossover);
    frontX_.SetPosition(record_.frontCrossover);
    rearX_.SetPosition(record_.rearCrossover);
    surroundX_.SetPosition(record_.surroundCrossover);
    phase_.SetPosition(record_.subPhase);
}

void CCinemaSpeakerConfigDlg::onInitDialog()
{
    showControls(false, {kIdSameAsCinema});
    SetUpPairs();
    updateData(false);
    ShowPolarity();
}

void CCinemaSpeakerConfigDlg::doDataExchange(ui::DataExchange& dx)
{
    pairs_.exchange(dx);

    int frontIndex = record_.fronts - 1;  // the list has no "None"
    ui::ddxCBIndex(dx, kIdFrontSize, frontIndex);
    if (dx.saving())
        record_.fronts = frontIndex + 1;
    exchangeSameAsCinema(dx);
    ui::ddxCheck(dx, kIdBypassLfe, record_.bypassLfe);
    ui::ddxCBIndex(dx, kIdSurroundSize, record_.surrounds);
    if (!dx.saving())
        ApplyRearsRule();  // the list first, so that the selection can be shown
    ui::ddxCBIndex(dx, kIdRearSize, record_.rears);
    ui::ddxCBIndex(dx, kIdCenterSize, record_.center);
    const int oldAdvanced = record_.advanced;
    ui::ddxCheck(dx, kIdAdvanced, record_.advanced);
    exchangeSubwoofer(dx, oldAdvanced);
    if (dx.saving())
        storePositions();

    ApplyRules();
}

void CCinemaSpeakerConfigDlg::ApplyRules()
{
    ApplyOffRule();
    ApplyRearsRule();
    ApplyAdvancedRule();
}

void CCinemaSpeakerConfigDlg::exchangeSubwoofer(ui::DataExchange& dx, int oldAdvanced)
{
    // The list is filled before a selection is shown in it: a refill would lose it.
    const auto fill = [this] {
        const QStringList items = subwooferItems(record_.advanced != 0);
        if (controlAs<QComboBox>(kIdSubwoofer)->count() != items.size())
            setListItems(kIdSubwoofer, items);
    };
    if (!dx.saving()) {
        fill();
        ui::ddxCBIndex(dx, kIdSubwoofer, record_.subwoofer);
        return;
    }
    ui::ddxCBIndex(dx, kIdSubwoofer, record_.subwoofer);
    fill();
    if (record_.advanced != oldAdvanced) {
        record_.subwoofer = convertSubwooferChoice(record_.subwoofer, record_.advanced != 0);
        ui::DataExchange show(*this, false);
        ui::ddxCBIndex(show, kIdSubwoofer, record_.subwoofer);
    }
}

void CCinemaSpeakerConfigDlg::storePositions()
{
    // The basic and the advanced subwoofer crossover are one setting: both pairs always agree.
    if (record_.advanced) {
        record_.subCrossover = subX_.GetPosition();
        xover_.SetPosition(record_.subCrossover);
    } else {
        record_.subCrossover = xover_.GetPosition();
        subX_.SetPosition(record_.subCrossover);
    }
    record_.centerCrossover = centerX_.GetPosition();
    record_.frontCrossover = frontX_.GetPosition();
    record_.rearCrossover = rearX_.GetPosition();
    record_.surroundCrossover = surroundX_.GetPosition();
    record_.subPhase = phase_.GetPosition();
}

void CCinemaSpeakerConfigDlg::ApplyOffRule()
{
    const std::pair<const CBoundValueDlg*, int> table[] = {
        {&frontX_, kIdFrontOff}, {&centerX_, kIdCenterOff}, {&surroundX_, kIdSurroundOff},
        {&rearX_, kIdRearOff},   {&subX_, kIdSubOff},
    };
    for (const auto& [pair, off] : table) {
        const bool isOff = crossoverIsOff(pair->GetValue());
        showControls(!isOff, {pair->EditId()});
        showControls(isOff, {off});
    }
}

void CCinemaSpeakerConfigDlg::ApplyRearsRule()
{
    auto* rears = controlAs<QComboBox>(kIdRearSize);
    if (record_.surrounds == 0) {
        // 7.1 rears need surrounds: the record follows what the list then shows.
        setListItems(kIdRearSize, rearsItems(0));
        rears->setCurrentIndex(0);
        record_.rears = 0;
    } else if (rears->count() == 1) {
        setListItems(kIdRearSize, rearsItems(record_.surrounds));
    }
}

void CCinemaSpeakerConfigDlg::ApplyAdvancedRule()
{
    const bool advanced = record_.advanced != 0;
    showControls(advanced, kAdvancedMarks);
    showControls(!advanced, kBasicControls);
    enableControls(advanced, kAdvancedControls);
}

void CCinemaSpeakerConfigDlg::ShowPolarity()
{
    setControlText(kIdPolarity, texts::kPolarity[record_.subPolarity ? 1 : 0]);
}

void CCinemaSpeakerConfigDlg::OnUseAdvanced()
{
    // Reloading shows the subwoofer crossover on the pair that has just appeared.
    updateData(true);
    updateData(false);
}

void CCinemaSpeakerConfigDlg::OnPolarity()
{
    record_.subPolarity = 1 - record_.subPolarity;
    ShowPolarity();
}

void CCinemaSpeakerConfigDlg::onHScroll(int code, int, QSlider* bar)
{
    updateData(true);
    pairs_.onHScroll(code, bar);
}

CMusicSpeakerConfigDlg::CMusicSpeakerConfigDlg(SpeakerModeRecord& record, int& sameAsCinema, QWidget* parent)
    : CCinemaSpeakerConfigDlg(record, {kMusicLow, kMusicHigh}, parent), sameAsCinema_(sameAsCinema)
{
    setWindowTitle(texts::kMusicCaption);
    onCommand(kIdSameAsCinema, ui::Notify::Clicked, [this] { OnSameAsCinema(); });
}

void CMusicSpeakerConfigDlg::onInitDialog()
{
    SetUpPairs();
    updateData(false);
    ShowPolarity();
}

void CMusicSpeakerConfigDlg::exchangeSameAsCinema(ui::DataExchange& dx)
{
    ui::ddxCheck(dx, kIdSameAsCinema, sameAsCinema_);
}

void CMusicSpeakerConfigDlg::OnSameAsCinema()
{
    // The box has already changed: committing takes it along with every other control, so
    // that nothing the user chose before is reloaded over.
    updateData(true);
    updateData(false);
}

void CMusicSpeakerConfigDlg::ApplyRules()
{
    std::vector<int> all{kIdCenterSize, kIdFrontSize, kIdRearSize,    kIdSurroundSize, kIdSubwoofer,
                         kIdAdvanced,   kIdXOverEdit, kIdXOverSlider, kIdXOverHz};
    all.insert(all.end(), kAdvancedMarks.begin(), kAdvancedMarks.end());
    all.insert(all.end(), kAdvancedControls.begin(), kAdvancedControls.end());
    if (!sameAsCinema_)
        enableControls(true, all);
    CCinemaSpeakerConfigDlg::ApplyRules();
    if (sameAsCinema_)
        enableControls(false, all);
}

}  // namespace velmar::editor
