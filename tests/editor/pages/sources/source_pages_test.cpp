// "5. Setup/Presets" with its per-source sub-sheet, headless, through controls by id; the
// model-dependent cases on a simulated unit of each model found by Auto Detect.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSlider>
#include <QKeyEvent>

#include "control_driver.h"
#include "editor_fixture.h"
#include "pages/sources/source_kinds.h"
#include "pages/sources/source_preset_page.h"
#include "pages/sources/source_setup_page.h"
#include "pages/sources/source_setup_preset_sheet.h"
#include "pages/sources/source_setup_presets_page.h"
#include "app/texts.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

namespace {

constexpr int kDvd = 0, kCd = 1, kTv = 4, kTwoCh = 8, kSixCh = 9;
constexpr int kNoChoice = -1;

sim::UnitConfig unitOf(const char* model)
{
    sim::UnitConfig c;
    c.model = model;
    return c;
}

bool shown(ui::ControlHost& host, int id)
{
    QWidget* w = host.control(id);
    return w && !w->isHidden() && w->isEnabled();
}

// Types text key by key, as a keyboard would, characters beyond ASCII included.
void typeKeys(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(widget, &press);
    }
}

int listCount(ui::ControlHost& host, int id) { return host.controlAs<QComboBox>(id)->count(); }

int listIndex(ui::ControlHost& host, int id) { return host.controlAs<QComboBox>(id)->currentIndex(); }

class SourcePages : public EditorFixture {
protected:
    explicit SourcePages(sim::UnitConfig config = {}) : EditorFixture(std::move(config)) {}

    CSourceSetupPresets& page()
    {
        EXPECT_TRUE(sheet->setActivePage(sheet->indexOfPlace(5)));
        return dynamic_cast<CSourceSetupPresets&>(*sheet->activePage());
    }
    SourceEntry& entry(int source) { return set(kWorkingSet).setupPresets.entry[static_cast<size_t>(source)]; }

    // The next sub-sheet runs work, then ends with OK or Cancel.
    void answer(std::function<void(CSourceSetupPresetSheet&)> work, bool ok = true)
    {
        script.answer([work = std::move(work), ok](QDialog& d) {
            auto& sub = dynamic_cast<CSourceSetupPresetSheet&>(d);
            work(sub);
            if (ok)
                sub.pressOk();
            else
                sub.pressCancel();
        });
    }
    // Opens a source's sub-sheet with its button on the page.
    void open(int source) { clickControl(page(), sourceButtonOf(source)->id); }
    static void savePicture(QWidget& window, const char* name)
    {
        QDir().mkpath(SCREENSHOT_DIR);
        window.grab().save(QString(SCREENSHOT_DIR) + "/" + name);
    }
    std::string lastTitle() const { return script.shown.empty() ? "" : script.shown.back().title; }
    void autoDetect()
    {
        click(kIdAutoDetect);
        ASSERT_EQ(general().status(), texts::kSettingsUploaded) << general().unitStatus();
    }

    ModalScript script;
};

}  // namespace

TEST_F(SourcePages, AnalogOnlySourcesOfferTwoAudioInputsAndKeepAStoredDig)
{
    entry(kTwoCh).audioIn = 2;  // "Dig", from a file
    answer([](CSourceSetupPresetSheet& sub) {
        auto& setup = sub.setupPage();
        EXPECT_EQ(listCount(setup, kIdAudioIn), 2);
        EXPECT_EQ(listIndex(setup, kIdAudioIn), kNoChoice);
        EXPECT_TRUE(shown(setup, kIdDigitalIn));  // what the stored input uses
        chooseItem(setup, kIdSpeakerConfigList, 0);
    });
    open(kTwoCh);
    EXPECT_EQ(lastTitle(), "5. Source Setup/Preset for 2-Ch  ");
    EXPECT_EQ(entry(kTwoCh).audioIn, 2);
    EXPECT_EQ(store.audioInType(kTwoCh), 2);

    answer([](CSourceSetupPresetSheet& sub) {
        EXPECT_EQ(itemText(sub.setupPage(), kIdAudioIn), "Anlg-DSP");
        chooseItem(sub.setupPage(), kIdAudioIn, 1);
    });
    open(kSixCh);
    EXPECT_EQ(store.audioInType(kSixCh), 1);
}

TEST_F(SourcePages, TheAudioInputDecidesWhatTheSetupPageOffers)
{
    const SourceEntry before = entry(kDvd);
    answer(
        [this](CSourceSetupPresetSheet& sub) {
            auto& setup = sub.setupPage();
            EXPECT_EQ(itemText(setup, kIdAudioIn), "Dig");
            for (const int id :
                 {kIdDigitalIn, kIdMutingMin, kIdEqLowSlider, kIdLipSyncEdit, kIdSpeakerConfigList, kIdEqLabel})
                EXPECT_TRUE(shown(setup, id)) << id;
            for (const int id : {kIdAmEqLowSlider, kIdAmEqLabel, kIdFmEqLabel})
                EXPECT_FALSE(shown(setup, id)) << id;

            chooseItem(setup, kIdAudioIn, 0);  // "Anlg-DSP"
            EXPECT_EQ(entry(kDvd).audioIn, 0) << "a choice is taken at once";
            EXPECT_FALSE(shown(setup, kIdDigitalIn));
            EXPECT_FALSE(shown(setup, kIdMutingMed));
            EXPECT_TRUE(shown(setup, kIdEqHighEdit));
            EXPECT_TRUE(shown(setup, kIdLipSyncSlider));

            chooseItem(setup, kIdAudioIn, 1);  // "Anlg-Dir" bypasses it all
            for (const int id : {kIdEqLowSlider, kIdEqLabel, kIdLipSyncSlider, kIdSpeakerConfigList, kIdMutingMax})
                EXPECT_FALSE(shown(setup, id)) << id;
            EXPECT_TRUE(shown(setup, kIdCompositeVideo));
            chooseItem(setup, kIdAudioIn, 2);
            savePicture(sub, "05-source-setup.png");
        },
        false);
    open(kDvd);
    EXPECT_EQ(entry(kDvd), before);
}

TEST_F(SourcePages, TheTunerHasFmAndAmEqualisersAndNoInputMutingOrLipSync)
{
    answer([](CSourceSetupPresetSheet& sub) {
        auto& setup = sub.setupPage();
        for (const int id : {kIdAudioIn, kIdAudioInLabel, kIdDigitalIn, kIdMutingLabel, kIdMutingMin, kIdLipSyncSlider,
                             kIdLipSyncEdit, kIdLipSyncLabel, kIdEqLabel, kIdEqLfLabel})
            EXPECT_FALSE(shown(setup, id)) << id;
        for (const int id : {kIdFmEqLabel, kIdAmEqLabel, kIdEqLowSlider, kIdEqHighEdit, kIdAmEqLowSlider,
                             kIdAmEqHighEdit, kIdAmLfLabel})
            EXPECT_TRUE(shown(setup, id)) << id;
        typeText(setup, kIdAmEqLowEdit, "-3.5");
        leaveEdit(setup, kIdAmEqLowEdit);
        typeText(setup, kIdEqHighEdit, "2");
        leaveEdit(setup, kIdEqHighEdit);
        savePicture(sub, "05-source-setup-tuner.png");
        sub.setActivePage(1);
        EXPECT_TRUE(shown(sub.presetPage(), kIdTwoChPreset));
        EXPECT_FALSE(shown(sub.presetPage(), kIdDd51Preset));
    });
    open(kTunerSource);
    EXPECT_EQ(entry(kTunerSource).amEqLow, -7);
    EXPECT_EQ(store.eqLow(10), -7);  // the AM equaliser's own entry
    EXPECT_EQ(store.eqHigh(kTunerSource), 4);
}

TEST_F(SourcePages, CancelRestoresTheEntryAndARenameReachesTheTitle)
{
    const SourceEntry before = entry(kCd);
    answer(
        [](CSourceSetupPresetSheet& sub) {
            auto& setup = sub.setupPage();
            typeText(setup, kIdSourceName, "BluRay");
            leaveEdit(setup, kIdSourceName);
            EXPECT_EQ(sub.windowTitle().toStdString(), "5. Source Setup/Preset for BluRay");
            chooseItem(setup, kIdCompositeVideo, 7);
        },
        false);
    open(kCd);
    EXPECT_EQ(entry(kCd), before);
    EXPECT_EQ(entry(kCd).name, "CD    ");

    answer([](CSourceSetupPresetSheet& sub) {
        auto* name = sub.setupPage().controlAs<QLineEdit>(kIdSourceName);
        name->selectAll();
        typeKeys(name, QString::fromUtf8("Caf\u00e9 Noir"));  // é is no display character
        leaveEdit(sub.setupPage(), kIdSourceName);
    });
    open(kCd);
    EXPECT_EQ(entry(kCd).name, "Caf No");
    EXPECT_EQ(store.sourceName(kCd), "Caf No");
    open(kCd);
    EXPECT_EQ(lastTitle(), "5. Source Setup/Preset for Caf No");
}

TEST_F(SourcePages, ANameTheDisplayCannotShowIsKeptWhenNotEdited)
{
    entry(kTv).name = "TV\xE9";  // a byte from some other program
    answer([](CSourceSetupPresetSheet& sub) { chooseItem(sub.setupPage(), kIdSVideo, 7); });
    open(kTv);
    EXPECT_EQ(store.sourceName(kTv), "TV\xE9");
    EXPECT_EQ(store.sVideo(kTv), 3) << "\"None\" is video code 3";
    EXPECT_EQ(entry(kTv).sVideo, 7);
}

TEST_F(SourcePages, PresetsFollowTheSourceKindAndKeepCodesTheListsLack)
{
    store.setModePreset(kCd, kTwoChSlot, 19);  // in the DD-2.0 list only
    store.setModePreset(kCd, kDd20Slot, 19);
    entry(kCd).loadFromStore(store, kCd);
    answer([](CSourceSetupPresetSheet& sub) {
        sub.setActivePage(1);
        auto& presets = sub.presetPage();
        for (const int id :
             {kIdTwoChPreset, kIdDd20Preset, kIdDd51Preset, kIdDdExPreset, kIdDts51Preset, kIdDtsEsPreset})
            EXPECT_TRUE(shown(presets, id)) << id;
        EXPECT_FALSE(shown(presets, kIdSixChPreset));
        EXPECT_EQ(itemText(presets, kIdDd20Preset), "Same as 2.0");
        EXPECT_EQ(listIndex(presets, kIdTwoChPreset), kNoChoice);
        chooseItem(presets, kIdDtsEsPreset, listCount(presets, kIdDtsEsPreset) - 1);  // "Last Used"
        savePicture(sub, "05-source-presets.png");
    });
    open(kCd);
    EXPECT_EQ(store.modePreset(kCd, kTwoChSlot), 19);
    EXPECT_EQ(store.modePreset(kCd, kDd20Slot), 19);
    EXPECT_EQ(store.modePreset(kCd, kDtsEsSlot), 16);

    const int dd51Before = store.modePreset(kTwoCh, kDd51Slot);
    answer([](CSourceSetupPresetSheet& sub) {
        sub.setActivePage(1);
        auto& presets = sub.presetPage();
        EXPECT_TRUE(shown(presets, kIdTwoChPreset));
        for (const int id : {kIdDd20Preset, kIdDd51Preset, kIdDtsEsPreset, kIdSixChPreset})
            EXPECT_FALSE(shown(presets, id)) << id;
        chooseItem(presets, kIdTwoChPreset, listCount(presets, kIdTwoChPreset) - 1);
    });
    open(kTwoCh);
    EXPECT_EQ(store.modePreset(kTwoCh, kTwoChSlot), 18);
    EXPECT_EQ(store.modePreset(kTwoCh, kDd51Slot), dd51Before);

    answer([](CSourceSetupPresetSheet& sub) {
        sub.setActivePage(1);
        auto& presets = sub.presetPage();
        EXPECT_TRUE(shown(presets, kIdSixChPreset));
        EXPECT_FALSE(shown(presets, kIdDd51Preset));
        EXPECT_FALSE(shown(presets, kIdTwoChPreset));
        EXPECT_EQ(itemText(presets, kIdSixChPreset), "PLIIx Music");  // the 6-CH default, code 3
        chooseItem(presets, kIdSixChPreset, 6);                       // "THX Cinema"
    });
    open(kSixCh);
    EXPECT_EQ(store.modePreset(kSixCh, kDd51Slot), 6);
}

TEST_F(SourcePages, CopyMainRadiosAreThreeGroups)
{
    auto& p = page();
    setChecked(p, kIdZone3Automatic);
    setChecked(p, kIdRecAutomatic);
    EXPECT_TRUE(isChecked(p, kIdZone2Manual));
    sheet->setActivePage(0);
    EXPECT_EQ(set(kWorkingSet).setupPresets.copyZone2, 0);
    EXPECT_EQ(set(kWorkingSet).setupPresets.copyZone3, 1);
    EXPECT_EQ(set(kWorkingSet).setupPresets.copyRec, 1);
    page();
    saveScreenshot("05-setup-presets.png");
}

namespace {

// The component video list and lip-sync range by the model Auto Detect found.
struct ModelCase {
    const char* model;  // as the simulated unit names it; null: no unit detected
    ModelKind kind;
    int componentItems;
    int lipSyncMaxPosition;
};

class ByModel : public SourcePages, public ::testing::WithParamInterface<ModelCase> {
protected:
    ByModel() : SourcePages(unitOf(GetParam().model ? GetParam().model : "QRX 30")) {}
};

}  // namespace

TEST_P(ByModel, ComponentVideoAndLipSyncFollowTheModelAndKeepWhatTheyCannotShow)
{
    const ModelCase& c = GetParam();
    if (c.model)
        autoDetect();
    ASSERT_EQ(store.modelKind(), c.kind);
    // Values beyond a short list or range: a file from a wider model.
    entry(kDvd).componentVideo = 3;
    entry(kDvd).lipSync = 300;
    answer([&c](CSourceSetupPresetSheet& sub) {
        auto& setup = sub.setupPage();
        EXPECT_EQ(listCount(setup, kIdComponentVideo), c.componentItems);
        EXPECT_EQ(setup.controlAs<QSlider>(kIdLipSyncSlider)->maximum(), c.lipSyncMaxPosition);
        chooseItem(setup, kIdSpeakerConfigList, 2);
    });
    open(kDvd);
    EXPECT_EQ(entry(kDvd).componentVideo, 3) << "\"Comp 3\" survives a list that stops at \"Comp 2\"";
    EXPECT_EQ(entry(kDvd).lipSync, std::min(300, c.lipSyncMaxPosition));
    EXPECT_EQ(store.sourceDelay(kDvd), entry(kDvd).lipSync);
    EXPECT_EQ(entry(kDvd).speakerConfig, 2);
}

INSTANTIATE_TEST_SUITE_P(Models, ByModel,
                         ::testing::Values(ModelCase{nullptr, ModelKind::Undetected, 5, 340},
                                           ModelCase{"QRX 20", ModelKind::Qrx20, 3, 170},
                                           ModelCase{"QRX 30", ModelKind::Qrx30, 5, 170},
                                           ModelCase{"Corvalent D1", ModelKind::CorvalentD1, 5, 340}),
                         [](const auto& info) {
                             std::string name = info.param.model ? info.param.model : "Undetected";
                             std::erase(name, ' ');
                             return name;
                         });
