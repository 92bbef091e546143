#include "pages/zones/tuner_page.h"

#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "pages/text_list.h"
#include "app/texts.h"
#include "ui/modal_hook.h"
#include "ui/page_builder.h"
#include "pages/zones/zone_texts.h"

namespace velmar::editor {

namespace {

const std::vector<int> kModeRadios{kIdStereo, kIdHighBlend, kIdMono};

ui::PageSpec pageLayout()
{
    ui::RowSpec presets;
    for (int k = 0; k < kPresetsPerBank; ++k)
        presets.push_back(ui::button(kIdPresetButtons[k], texts::kPresetButtons[k]));
    return {{
        {.rows = {{ui::dropList(kIdBand, textList(texts::kBandItems))},
                  {ui::label(QString::asprintf(texts::kPresetLabelFormat, 1), kIdPresetLabel)}},
         .row = 0},
        {.rows = {presets}, .row = 1},
        {.rows = {ui::valueRow(texts::kFreqLabel, {.slider = kIdFreqSlider, .edit = kIdFreqEdit, .unit = kIdFreqUnit},
                               texts::kMegahertz)},
         .row = 2},
        {.id = kIdModeBox,
         .rows = {{ui::radio(kIdStereo, texts::kModeNames[0], 1), ui::radio(kIdHighBlend, texts::kModeNames[1], 1),
                   ui::radio(kIdMono, texts::kModeNames[2], 1)}},
         .row = 3},
    }};
}

}  // namespace

CTuner::CTuner(PageContext& context) : CTuner(context, nullptr, PresetChoice{}, false) {}

CTuner::CTuner(PageContext& context, TunerRecord& tuner, PresetChoice opening) : CTuner(context, &tuner, opening, true)
{
}

CTuner::CTuner(PageContext& context, TunerRecord* tuner, PresetChoice opening, bool chooser)
    : CSettingsPage(texts::kTunerCaption, context), tuner_(tuner), chooser_(chooser), bank_(opening.bank),
      preset_(opening.preset),
      // A typed frequency inside the band is taken as it is typed; there is no leave rule.
      pairs_(*this, {.leaveRule = false, .commitOnPageClick = true})
{
}

void CTuner::onCreateControls()
{
    QVBoxLayout* box = ui::buildPage(*this, *this, pageLayout());
    ui::addDialogButtons(*this, *this, *box, texts::kOk, texts::kCancel);
    controlAs<QPushButton>(ui::kIdOk)->setDefault(chooser_);
    showControls(chooser_, {ui::kIdOk, ui::kIdCancel});
    freq_.Attach(kIdFreqSlider, kIdFreqEdit, controlAs<QSlider>(kIdFreqSlider));
    pairs_.add(freq_);
    onCommand(kIdBand, ui::Notify::SelChange, [this] { ApplyBand(); });
    for (int k = 0; k < kPresetsPerBank; ++k)
        onCommand(kIdPresetButtons[k], ui::Notify::Clicked, [this, k] { SelectPreset(k); });
    for (const int id : kModeRadios)
        onCommand(id, ui::Notify::Clicked, [this] { updateData(true); });
    onCommand(ui::kIdOk, ui::Notify::Clicked, [this] { OnOK(); });
    onCommand(ui::kIdCancel, ui::Notify::Clicked, [this] {
        if (frame_)
            frame_->done(ui::kIdCancel);
    });
}

void CTuner::LoadRecord()
{
    ShowBand();
    openingIndex_ = shownIndex();
    openingFreq_ = tuner_->freq[openingIndex_];
}

bool CTuner::onSetActive()
{
    const bool shown = CSettingsPage::onSetActive();
    ShowBand();
    updateData(false);
    return shown;
}

void CTuner::ShowBand()
{
    const bool fm = bank_ != kAmBank;
    applyRange(freq_, bandRange(bank_));
    showControls(fm, kModeRadios);
    showControls(fm, {kIdModeBox});
    setControlText(kIdFreqUnit, fm ? texts::kMegahertz : texts::kKilohertz);
    freq_.SetPosition(tuner_->freq[shownIndex()]);
}

void CTuner::ApplyBand()
{
    tuner_->freq[shownIndex()] = freq_.GetPosition();
    ui::DataExchange take(*this, true);
    ui::ddxCBIndex(take, kIdBand, bank_);
    ShowBand();
    updateData(false);
}

void CTuner::SelectPreset(int preset)
{
    tuner_->freq[shownIndex()] = freq_.GetPosition();
    preset_ = preset;
    freq_.SetPosition(tuner_->freq[shownIndex()]);
    updateData(false);
}

void CTuner::doDataExchange(ui::DataExchange& dx)
{
    const int k = shownIndex();
    if (!dx.saving())
        freq_.SetPosition(tuner_->freq[k]);
    pairs_.exchange(dx);
    if (dx.saving())
        tuner_->freq[k] = freq_.GetPosition();
    // AM presets have no mode; a stored mode no radio shows (the field's fourth value) stays.
    if (bank_ != kAmBank)
        ui::ddxRadio(dx, kModeRadios, tuner_->mode[k]);
    if (!dx.saving()) {
        ui::ddxCBIndex(dx, kIdBand, bank_);
        QString label = QString::asprintf(texts::kPresetLabelFormat, preset_ + 1);
        ui::ddxText(dx, kIdPresetLabel, label);
    }
}

void CTuner::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

void CTuner::OnOK()
{
    if (!frame_)
        return;
    tuner_->freq[shownIndex()] = freq_.GetPosition();
    if (updateData(true))
        frame_->done(ui::kIdOk);
}

int CTuner::DoModal(QWidget* parent)
{
    QDialog frame(parent);
    frame.setWindowTitle(caption());
    auto* layout = new QVBoxLayout(&frame);
    layout->addWidget(this);
    frame_ = &frame;
    onCreateControls();
    onInitDialog();
    const int result = ui::execModal(frame, ui::kIdCancel);
    // Cancel, Escape and the close box alike: only the opening preset is put back.
    if (result != ui::kIdOk)
        tuner_->freq[openingIndex_] = openingFreq_;
    frame_ = nullptr;
    setParent(nullptr);
    return result == ui::kIdOk ? ui::kIdOk : ui::kIdCancel;
}

}  // namespace velmar::editor
