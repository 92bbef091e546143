// The whole upgrade against the in-process simulated unit on the virtual clock.
#include <gtest/gtest.h>

#include <functional>

#include "records/decoded_image.h"
#include "settings/image_codec.h"
#include "settings/settings_flows.h"
#include "recording_progress.h"
#include "sim_bench.h"
#include "unitlink/loader_rules.h"
#include "unitlink/texts.h"
#include "upgrade/firmware_set.h"
#include "upgrade/upgrade_procedure.h"
#include "upgrade/upgrade_texts.h"

namespace velmar::installer {
namespace {

using sim::Installed;
using sim::Level;

// The dialog's side: keeps every status shown; an abort may be requested from a hook.
struct RecordingHost final : UpgradeHost {
    void notify(const std::string& status) override
    {
        if (statuses.empty() || statuses.back() != status)
            statuses.push_back(status);
        if (onNotify)
            onNotify(status);
    }
    bool abortRequested() const override { return abort; }
    bool shown(const std::string& text) const
    {
        return std::find(statuses.begin(), statuses.end(), text) != statuses.end();
    }

    std::vector<std::string> statuses;
    std::function<void(const std::string&)> onNotify;
    bool abort = false;
};

// Progress that can ask for an abort once a transfer is under way.
struct AbortingProgress final : ProgressSink {
    void setRange(int maximum) override { range = maximum; }
    void setPosition(int position) override
    {
        if (armed && position > 0)
            host->abort = true;
    }
    void setVisible(bool) override {}
    RecordingHost* host = nullptr;
    bool armed = false;
    int range = 0;
};

// A unit's settings EEPROM holding a current-layout image with some changed settings.
std::vector<uint8_t> unitSettings()
{
    SettingsStore s(Variant::Installer);
    storeBackSets(
        s,
        [](const NamedSet& set, SettingsStore& store) {
            store.setSourceName(4, set.name);
            store.setInputLevel(2, -6);
            store.setMaxVolume(1, 7);
            store.setPresetFrequency(9, 1013);
        },
        false);
    encodeSystemCodes(s);
    std::vector<uint8_t> bytes(s.writeImage.begin(), s.writeImage.end());
    bytes[0] = bytes[1] = 'v';
    return bytes;
}

sim::UnitConfig qrx30(const std::string& version = "0.90")
{
    sim::UnitConfig c;
    c.model = "QRX 30";
    c.version = version;
    return c;
}

struct Upgrade {
    explicit Upgrade(sim::UnitConfig config, int unitPort = 1, uint32_t adapterLatencyMs = 0)
        : bench(Variant::Installer, std::move(config), unitPort, 8, 0, adapterLatencyMs)
    {
        bench.unit.memory().settings = unitSettings();
    }
    UpgradeOutcome run(ProgressSink* progress = nullptr)
    {
        test::RecordingProgress recorded;
        UpgradeProcedure procedure(bench.link, store, progress ? *progress : recorded, host, history, firmware);
        return procedure.run();
    }
    bool flashHoldsMain() const
    {
        auto& memory = const_cast<test::SimBench&>(bench).unit.memory();
        const auto bytes = memory.flashBytes();
        return std::equal(firmware.mainImage.begin(), firmware.mainImage.end(), bytes.begin());
    }
    Image settings()
    {
        Image image{};
        std::copy(bench.unit.memory().settings.begin(), bench.unit.memory().settings.end(), image.begin());
        return image;
    }

    test::SimBench bench;
    SettingsStore store{Variant::Installer};
    RecordingHost host;
    UpgradeHistory history;
    FirmwareSet firmware = embeddedFirmware();
};

TEST(Upgrade, NoUnitOnAnyPortAfterTwoScans)
{
    Upgrade u(qrx30(), 0);
    std::size_t probesWhenReported = 0;
    u.host.onNotify = [&](const std::string&) { probesWhenReported = u.bench.probesWritten(); };
    const auto outcome = u.run();
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.status, unitlink::texts::kNoUnitInstaller);
    EXPECT_EQ(u.host.statuses.front(), texts::searching());
    test::SimBench once(Variant::Installer, qrx30(), 0);
    std::string message;
    ASSERT_FALSE(once.link.DetectUnit(message));
    EXPECT_EQ(probesWhenReported, 2 * once.probesWritten()) << "two whole scans";
}

TEST(Upgrade, AnotherModelRunningItsFirmwareIsRefused)
{
    auto config = qrx30();
    config.model = "QRX 20";
    Upgrade u(config);
    const auto before = u.bench.unit.memory().flashBytes();
    const auto outcome = u.run();
    EXPECT_EQ(outcome.status, texts::noUnitFound());
    EXPECT_EQ(u.bench.unit.memory().flashBytes(), before);
}

TEST(Upgrade, AUnitInItsLoaderGetsTheFullUpdate)
{
    // An erased flash keeps the unit in its loader, which names no model.
    auto config = qrx30();
    config.model = "QRX 20";
    config.level = Level::Loader;
    config.installed = Installed::Nothing;
    Upgrade u(config);
    const auto outcome = u.run();
    EXPECT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_EQ(outcome.status, texts::updateComplete());
    EXPECT_TRUE(u.host.shown(std::string(texts::kProgrammingLoader)));
    EXPECT_TRUE(u.flashHoldsMain());
}

// Through a USB serial adapter with a 16 ms latency timer: its late "?" for the wake-up LF before
// each probe of a loader is no reason to miss the loader, and the whole update goes through.
TEST(Upgrade, AFullUpdateThroughASixteenMillisecondAdapterCompletes)
{
    Upgrade u(qrx30("0.90"), 1, 16);
    const auto outcome = u.run();
    EXPECT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_TRUE(u.flashHoldsMain());
}

TEST(Upgrade, FullUpdateKeepsEverySetting)
{
    Upgrade u(qrx30("0.90"));
    const auto before = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
    const auto outcome = u.run();
    ASSERT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_EQ(u.host.statuses[1], unitlink::texts::kFoundQrx30);
    for (const auto& text : {texts::requiresUpdate(), texts::gettingSettings(), texts::converting(), texts::savingNew(),
                             std::string(texts::kProgrammingEeprom), std::string(texts::kProgrammingMain)})
        EXPECT_TRUE(u.host.shown(text)) << text;
    EXPECT_TRUE(u.flashHoldsMain());
    const auto after = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
    for (std::size_t i = 0; i < before.sets.size(); ++i) {
        EXPECT_TRUE(before.sets[i].fields == after.sets[i].fields) << before.sets[i].name;
    }
    EXPECT_TRUE(after.refused.empty());
    EXPECT_EQ(after.sets[0].fields.sourceName[4], before.sets[0].fields.sourceName[4]);
}

TEST(Upgrade, UpToDateUnitOnlyGetsItsDataEepromAndAFlashCheck)
{
    Upgrade first(qrx30("0.90"));
    ASSERT_TRUE(first.run().succeeded);

    // The same unit, now running the carried firmware: a second run finds nothing to flash.
    Upgrade u(first.bench.unit.config());
    u.bench.unit.memory() = first.bench.unit.memory();
    u.bench.unit.powerOn();
    u.bench.unit.memory().dataEeprom.assign(u.bench.unit.memory().dataEeprom.size(), 0xFF);
    const auto outcome = u.run();
    EXPECT_EQ(outcome.status, texts::upToDate());
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_FALSE(u.host.shown(texts::requiresUpdate()));
    EXPECT_TRUE(u.host.shown(std::string(texts::kVerifyingFlash)));
    EXPECT_NE(u.bench.unit.memory().dataEeprom[0], 0xFF) << "the data EEPROM was written again";
}

TEST(Upgrade, AShortMainImageUpdatesAndIsThenFoundUpToDate)
{
    Upgrade first(qrx30("0.90"));
    const auto whole = first.firmware.mainImage;
    first.firmware.mainImage = whole.first(unitlink::flashWordCount(whole) * 2);  // no blank tail
    ASSERT_LT(first.firmware.mainImage.size(), whole.size());
    ASSERT_TRUE(first.run().succeeded);
    EXPECT_TRUE(first.flashHoldsMain());

    Upgrade u(first.bench.unit.config());
    u.firmware.mainImage = first.firmware.mainImage;
    u.bench.unit.memory() = first.bench.unit.memory();
    u.bench.unit.powerOn();
    const auto outcome = u.run();
    EXPECT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_EQ(outcome.status, texts::upToDate());
}

TEST(Upgrade, OlderDspModuleIsRefusedAndLeftAlone)
{
    auto config = qrx30("0.90");
    config.dsp = sim::DspModule::Dsp366;
    Upgrade u(config);
    const auto flash = u.bench.unit.memory().flashBytes();
    const auto settings = u.bench.unit.memory().settings;
    const auto outcome = u.run();
    EXPECT_EQ(outcome.status, texts::kNotForThisHardware);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(u.bench.unit.memory().flashBytes(), flash);
    EXPECT_EQ(u.bench.unit.memory().settings, settings);
    EXPECT_EQ(u.bench.unit.level(), Level::Application) << "the debug monitor was left";
}

TEST(Upgrade, NoModuleIsAskedForTwiceAndThenTheUpdateApplies)
{
    auto config = qrx30("0.90");
    config.dsp = sim::DspModule::None;
    Upgrade u(config);
    const auto outcome = u.run();
    EXPECT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_EQ(outcome.status, texts::updateComplete());
    EXPECT_EQ(u.bench.linesReceived("ds281fff50"), 2u);
    EXPECT_EQ(u.bench.linesReceived("ds3840001ff10030"), 0u);
    EXPECT_TRUE(u.flashHoldsMain());
}

// A module that names itself but whose second reply is not the one its kind gives is hardware
// the update was not made for: nothing is touched and the debug monitor is left.
TEST(Upgrade, AModuleWhoseSecondReplyDoesNotMatchIsRefused)
{
    for (const auto dsp : {sim::DspModule::Dsp367, sim::DspModule::Dsp366}) {
        auto config = qrx30("0.90");
        config.dsp = dsp;
        config.dspDetailReply = "Y:1FF10 2f0207";
        Upgrade u(config);
        const auto flash = u.bench.unit.memory().flashBytes();
        const auto settings = u.bench.unit.memory().settings;
        const auto outcome = u.run();
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_EQ(outcome.status, texts::kNotForThisHardware);
        EXPECT_EQ(u.bench.linesReceived("ds3840001ff10030"), 1u);
        EXPECT_EQ(u.bench.unit.memory().flashBytes(), flash);
        EXPECT_EQ(u.bench.unit.memory().settings, settings);
        EXPECT_EQ(u.bench.unit.level(), Level::Application) << "the debug monitor was left";
    }
}

TEST(Upgrade, AbortDuringFlashingLetsThePagesFinish)
{
    Upgrade u(qrx30("0.90"));
    AbortingProgress progress;
    progress.host = &u.host;
    u.host.onNotify = [&progress](const std::string& status) {
        if (status == texts::kProgrammingLoader)
            progress.armed = true;
    };
    const auto outcome = u.run(&progress);
    EXPECT_TRUE(outcome.aborted);
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_FALSE(u.host.shown(texts::converting())) << "the settings were not touched";
    // The loader image was written whole: the unit now starts its EEPROM programmer.
    const auto flash = u.bench.unit.memory().flashBytes();
    EXPECT_TRUE(std::equal(u.firmware.loaderImage.begin(), u.firmware.loaderImage.end(), flash.begin()));
}

TEST(Upgrade, ARunCutAfterTheLoaderFlashIsCompletedByTheNext)
{
    Upgrade u(qrx30("0.90"));
    u.host.onNotify = [&u](const std::string& status) {
        if (status == texts::gettingSettings())
            u.host.abort = true;
    };
    const auto before = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
    ASSERT_TRUE(u.run().aborted);

    u.host = RecordingHost{};
    const auto outcome = u.run();
    EXPECT_TRUE(outcome.succeeded) << outcome.status;
    EXPECT_FALSE(u.host.shown(std::string(texts::kProgrammingLoader))) << "the EEPROM programmer was already running";
    EXPECT_TRUE(u.flashHoldsMain());
    const auto after = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
    EXPECT_TRUE(before.sets[1].fields == after.sets[1].fields);
}

TEST(Upgrade, TwoFailedEepromRefreshesMakeTheNextRunAFullUpdate)
{
    Upgrade first(qrx30("0.90"));
    ASSERT_TRUE(first.run().succeeded);

    Upgrade u(first.bench.unit.config());
    u.bench.unit.memory() = first.bench.unit.memory();
    u.bench.unit.powerOn();
    u.bench.unit.config().dataEepromId = "0000";  // the data EEPROM does not answer
    for (int run = 1; run <= 2; ++run) {
        const auto outcome = u.run();
        EXPECT_EQ(outcome.status, texts::kEepromFailed) << run;
        EXPECT_EQ(u.history.eepromFailures, run);
        EXPECT_FALSE(u.host.shown(texts::requiresUpdate()));
    }
    u.bench.unit.config().dataEepromId = first.bench.unit.config().dataEepromId;
    u.host = RecordingHost{};
    const auto outcome = u.run();
    EXPECT_TRUE(u.host.shown(texts::requiresUpdate()));
    EXPECT_EQ(outcome.status, texts::updateComplete());
    EXPECT_EQ(u.history.eepromFailures, 0);
}

// A fault part-way ends the run with that step's text; once it clears, a rerun completes the
// upgrade with the settings intact.
TEST(Upgrade, AFaultAnywhereEndsTheRunAndARerunCompletesIt)
{
    struct Case {
        const char* name;
        std::function<void(Upgrade&)> inject;
        std::string status;
    };
    const Case cases[] = {
        // A damaged check word that the conversion mends lands on a byte that will not take it.
        {"a settings byte that will not program",
         [](Upgrade& u) {
             constexpr int kCheckWord = kUserBase + kPresetBlockOffset + 43;
             u.bench.unit.memory().settings[kCheckWord] ^= 0xFF;
             u.bench.unit.config().faults.stuckSettingsAddress = kCheckWord;
         },
         texts::failedToSave()},
        {"a disconnect in the middle of a page",
         [](Upgrade& u) { u.bench.unit.config().faults.disconnectAfterChunks = 3; }, ""},
        {"a silent unit", [](Upgrade& u) { u.bench.unit.config().faults.silent = true; },
         std::string(unitlink::texts::kNoUnitInstaller)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Upgrade u(qrx30("0.90"));
        c.inject(u);
        const auto before = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
        const auto failed = u.run();
        EXPECT_FALSE(failed.succeeded);
        if (!c.status.empty()) {
            EXPECT_EQ(failed.status, c.status);
        }

        u.bench.unit.config().faults = {};
        u.bench.unit.powerOn();
        u.host = RecordingHost{};
        const auto outcome = u.run();
        EXPECT_TRUE(outcome.succeeded) << outcome.status;
        const auto after = decodeImage(u.settings(), ModelKind::Undetected, Variant::Installer);
        for (std::size_t i = 0; i < before.sets.size(); ++i)
            EXPECT_TRUE(before.sets[i].fields == after.sets[i].fields) << before.sets[i].name;
    }
}

}  // namespace
}  // namespace velmar::installer
