#include "pages/sources/source_setup_page.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <vector>

#include "pages/sources/source_controls.h"
#include "pages/sources/source_texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

// Audio-in types, as the "Audio In:" list stores them.
enum AudioIn : int { kAnalogDsp = 0, kAnalogDirect = 1, kDigital = 2, kAuto = 3 };

constexpr double kEqLimitDb = 12.0;
constexpr double kHalfSteps = 2.0;  // positions per dB or ms
constexpr int kValueChars = 6;      // "-12.5", as the value rows' edits

ui::PageSpec pageLayout()
{
    using namespace ui;
    const std::vector<int> mutings{kIdMutingMin, kIdMutingMed, kIdMutingMax};
    RowSpec muting{label(texts::kMuting, kIdMutingLabel)};
    for (size_t i = 0; i < mutings.size(); ++i)
        muting.push_back(radio(mutings[i], texts::kMutingLevels[i], 1));

    GroupSpec source{.rows = {
                         {label(texts::kRename), edit(kIdSourceName, kSourceNameLength)},
                         {label(texts::kAudioIn, kIdAudioInLabel),
                          dropList(kIdAudioIn, listItems(audioInItems(SetupKind::DigitalCapable))),
                          dropList(kIdDigitalIn, listItems(texts::kDigitalInputs), 2)},
                         muting,
                         {label(texts::kSpeakerConfig, kIdSpeakerConfigLabel),
                          dropList(kIdSpeakerConfigList, listItems(texts::kSpeakerConfigs))},
                         {label(texts::kCompositeVideo), dropList(kIdCompositeVideo, listItems(texts::kVideoInputs))},
                         {label(texts::kSVideo), dropList(kIdSVideo, listItems(texts::kVideoInputs))},
                         {label(texts::kComponentVideo),
                          dropList(kIdComponentVideo, listItems(componentVideoItems(ModelKind::Undetected)))},
                     }};
    // "EQ:" and "FM EQ:" stand in one place: one of them is shown.
    GroupSpec eq{
        .rows =
            {
                {label(texts::kEq, kIdEqLabel), label(texts::kFmEq, kIdFmEqLabel), label(texts::kLf, kIdEqLfLabel),
                 slider(kIdEqLowSlider), edit(kIdEqLowEdit, kValueChars), label(texts::kHf, kIdEqHfLabel),
                 slider(kIdEqHighSlider), edit(kIdEqHighEdit, kValueChars), label(texts::kDb, kIdEqDbLabel)},
                {gap(), label(texts::kAmEq, kIdAmEqLabel), label(texts::kLf, kIdAmLfLabel), slider(kIdAmEqLowSlider),
                 edit(kIdAmEqLowEdit, kValueChars), label(texts::kHf, kIdAmHfLabel), slider(kIdAmEqHighSlider),
                 edit(kIdAmEqHighEdit, kValueChars), label(texts::kDb, kIdAmDbLabel)},
            },
        .row = 1};
    GroupSpec lipSync{
        .rows = {valueRow(
            texts::kLipSyncDelay,
            {.slider = kIdLipSyncSlider, .edit = kIdLipSyncEdit, .label = kIdLipSyncLabel, .unit = kIdLipSyncUnit},
            texts::kMs)},
        .row = 2};
    return {{source, eq, lipSync}};
}

// Visibility, by the source's kind and its audio input.
const std::vector<int> kTunerOnly{kIdAmEqLabel,    kIdFmEqLabel, kIdAmEqLowSlider, kIdAmEqHighSlider, kIdAmEqLowEdit,
                                  kIdAmEqHighEdit, kIdAmLfLabel, kIdAmHfLabel,     kIdAmDbLabel};
const std::vector<int> kNotForTuner{kIdAudioInLabel, kIdAudioIn,   kIdDigitalIn,     kIdMutingLabel, kIdMutingMin,
                                    kIdMutingMed,    kIdMutingMax, kIdLipSyncSlider, kIdLipSyncEdit, kIdLipSyncLabel,
                                    kIdLipSyncUnit,  kIdEqLabel,   kIdEqLfLabel,     kIdEqHfLabel,   kIdEqDbLabel};
// What an analog-direct input bypasses.
const std::vector<int> kProcessed{kIdDigitalIn,    kIdSpeakerConfigLabel, kIdSpeakerConfigList, kIdLipSyncSlider,
                                  kIdLipSyncEdit,  kIdLipSyncLabel,       kIdLipSyncUnit,       kIdEqLowSlider,
                                  kIdEqHighSlider, kIdEqLowEdit,          kIdEqHighEdit,        kIdEqLabel,
                                  kIdEqLfLabel,    kIdEqHfLabel,          kIdEqDbLabel,         kIdMutingLabel,
                                  kIdMutingMin,    kIdMutingMed,          kIdMutingMax};
// What only a digital input uses.
const std::vector<int> kDigitalOnly{kIdDigitalIn, kIdMutingLabel, kIdMutingMin, kIdMutingMed, kIdMutingMax};

// Names hold bytes; each shows as the character of that code.
QString shownName(const std::string& name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Printable ASCII only: the unit's display shows nothing else, and the store copies bytes.
const QRegularExpression kNamePattern(QStringLiteral("[\\x20-\\x7E]*"));

}  // namespace

CSourceSetupPresetsSetupPage::CSourceSetupPresetsSetupPage() : ui::PropertyPage(texts::kSetupTab), pairs_(*this)
{
    ui::buildPage(*this, *this, pageLayout());
    auto* name = controlAs<QLineEdit>(kIdSourceName);
    name->setValidator(new QRegularExpressionValidator(kNamePattern, name));

    const struct {
        CBoundValueDlg& pair;
        int slider;
        int edit;
    } pairs[] = {
        {eqLow_, kIdEqLowSlider, kIdEqLowEdit},       {eqHigh_, kIdEqHighSlider, kIdEqHighEdit},
        {amEqLow_, kIdAmEqLowSlider, kIdAmEqLowEdit}, {amEqHigh_, kIdAmEqHighSlider, kIdAmEqHighEdit},
        {lipSync_, kIdLipSyncSlider, kIdLipSyncEdit},
    };
    for (const auto& p : pairs) {
        p.pair.Attach(p.slider, p.edit, controlAs<QSlider>(p.slider));
        pairs_.add(p.pair);
    }

    // Every choice is taken at once; a new audio input changes what the page offers.
    onCommand(kIdAudioIn, ui::Notify::SelChange, [this] {
        updateData(true);
        showForAudioIn();
    });
    for (const int id : {kIdDigitalIn, kIdSpeakerConfigList, kIdCompositeVideo, kIdSVideo, kIdComponentVideo})
        onCommand(id, ui::Notify::SelChange, [this] { updateData(true); });
    for (const int id : {kIdMutingMin, kIdMutingMed, kIdMutingMax})
        onCommand(id, ui::Notify::Clicked, [this] { updateData(true); });
    onCommand(kIdSourceName, ui::Notify::EditKillFocus, [this] { updateData(true); });
}

void CSourceSetupPresetsSetupPage::SetEntry(SourceEntry* entry, SetupKind kind, ModelKind model)
{
    entry_ = entry;
    kind_ = kind;
    model_ = model;
    // The AM equaliser belongs to the tuner alone.
    pairs_.setActive(amEqLow_, isTuner());
    pairs_.setActive(amEqHigh_, isTuner());
}

void CSourceSetupPresetsSetupPage::setUpPairs()
{
    const struct {
        CBoundValueDlg& pair;
        double high;
        int position;
    } pairs[] = {
        {eqLow_, kEqLimitDb, entry_->eqLow},
        {eqHigh_, kEqLimitDb, entry_->eqHigh},
        {amEqLow_, kEqLimitDb, entry_->amEqLow},
        {amEqHigh_, kEqLimitDb, entry_->amEqHigh},
        {lipSync_, lipSyncMaxMs(model_), entry_->lipSync},
    };
    for (const auto& p : pairs) {
        if (!pairs_.isActive(p.pair))
            continue;
        p.pair.SetScale(kHalfSteps, 0.0);
        p.pair.SetLimits(&p.pair == &lipSync_ ? 0.0 : -kEqLimitDb, p.high);
        p.pair.SetPosition(p.position);
    }
}

void CSourceSetupPresetsSetupPage::onInitDialog()
{
    if (!entry_)
        return;
    setUpPairs();
    setListItems(kIdAudioIn, listItems(audioInItems(kind_)));
    setListItems(kIdComponentVideo, listItems(componentVideoItems(model_)));
    showForAudioIn();
    ui::PropertyPage::onInitDialog();
}

void CSourceSetupPresetsSetupPage::showForAudioIn()
{
    if (isTuner()) {
        showControls(true, kTunerOnly);
        showControls(false, kNotForTuner);
        return;
    }
    showControls(false, kTunerOnly);
    showControls(entry_->audioIn != kAnalogDirect, kProcessed);
    if (entry_->audioIn == kAnalogDsp)
        showControls(false, kDigitalOnly);
}

void CSourceSetupPresetsSetupPage::doDataExchange(ui::DataExchange& dx)
{
    if (!entry_)
        return;
    if (!dx.saving())
        name_ = shownName(entry_->name);
    ui::ddxText(dx, kIdSourceName, name_);
    // A value a cut-down list cannot show (a "Dig" input of an analog-only source, a
    // component input the model's list lacks) loads as no choice and is kept.
    ui::ddxCBIndex(dx, kIdAudioIn, entry_->audioIn);
    ui::ddxCBIndex(dx, kIdDigitalIn, entry_->digitalIn);
    // The field's fourth value has no radio: shown as none checked and kept.
    ui::ddxRadio(dx, {kIdMutingMin, kIdMutingMed, kIdMutingMax}, entry_->muting);
    ui::ddxCBIndex(dx, kIdSpeakerConfigList, entry_->speakerConfig);
    ui::ddxCBIndex(dx, kIdCompositeVideo, entry_->compositeVideo);
    ui::ddxCBIndex(dx, kIdSVideo, entry_->sVideo);
    ui::ddxCBIndex(dx, kIdComponentVideo, entry_->componentVideo);
    pairs_.exchange(dx);
    if (!dx.saving())
        return;
    takeName();
    entry_->eqLow = eqLow_.GetPosition();
    entry_->eqHigh = eqHigh_.GetPosition();
    if (isTuner()) {
        entry_->amEqLow = amEqLow_.GetPosition();
        entry_->amEqHigh = amEqHigh_.GetPosition();
    }
    entry_->lipSync = lipSync_.GetPosition();
}

void CSourceSetupPresetsSetupPage::takeName()
{
    // A name left as it was keeps its bytes, whatever they are.
    if (name_ == shownName(entry_->name))
        return;
    entry_->name = sourceNameFrom(name_.toStdU32String());
    if (renamed_)
        renamed_(entry_->name);
}

void CSourceSetupPresetsSetupPage::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
