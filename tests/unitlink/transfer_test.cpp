// Settings EEPROM transfer against the simulated unit on the virtual clock.
#include <gtest/gtest.h>

#include "operation_watch.h"
#include "recording_progress.h"
#include "sim_bench.h"
#include "unitlink/loader_rules.h"
#include "unitlink/texts.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::RecordingProgress;
using velmar::test::SimBench;

namespace {

sim::UnitConfig unitConfig(const std::string& loaderVersion = "25")
{
    sim::UnitConfig c;
    c.model = "QRX 30";
    c.loaderVersion = loaderVersion;
    return c;
}

uint8_t unitPattern(size_t address) { return static_cast<uint8_t>(address * 7 + 3); }

uint8_t imagePattern(size_t address)
{
    return static_cast<uint8_t>(~unitPattern(address));  // differs from the unit's at every address
}

void fillUnit(SimBench& b)
{
    auto& settings = b.unit.memory().settings;
    for (size_t i = 3; i < settings.size(); ++i)
        settings[i] = unitPattern(i);
}

Image fillImage()
{
    Image image{};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = imagePattern(i);
    return image;
}

// As the editor's General page: detect, open, then the loader entry sequence.
void connect(SimBench& b)
{
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m)) << m;
    ASSERT_TRUE(b.link.OpenPort(m)) << m;
    if (b.link.variant() == Variant::Editor)
        ASSERT_TRUE(b.link.ConnectForTransfer(m)) << m;
    else
        ASSERT_TRUE(b.link.EnterLoaderFast(m)) << m;
    ASSERT_EQ(b.link.mode(), UnitMode::Loader);
}

}  // namespace

TEST(RetrieveSettings, EditorReadsTheWholeImageAndReturnsToTheMainFirmware)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    Image image{};
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
    EXPECT_EQ(m, texts::kRetrievalOkEditor);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), b.unit.memory().settings.begin()));
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.unit.lineRate(), 19200u);
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(progress.ranges, std::vector<int>{3584});
    EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
    ASSERT_FALSE(progress.positions.empty());
    EXPECT_EQ(progress.positions.back(), 4088);
    EXPECT_EQ(b.unit.clockText(), "14:05");  // the clock is set afterwards
}

TEST(RetrieveSettings, InstallerOnANewerLoader)
{
    SimBench b(Variant::Installer, unitConfig("31"));
    fillUnit(b);
    connect(b);
    EXPECT_EQ(b.link.loaderVersion(), 301);
    Image image{};
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
    EXPECT_TRUE(std::equal(image.begin(), image.end(), b.unit.memory().settings.begin()));
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
}

TEST(RetrieveSettings, ReadsThatNeverRepeatFailBelow3584AndAreToleratedFromThereOn)
{
    struct Case {
        int unstableFrom;
        bool ok;
    };
    for (const Case c : {Case{3583, false}, Case{3584, true}}) {
        auto config = unitConfig();
        config.faults.unstableReadsFrom = c.unstableFrom;
        SimBench b(Variant::Editor, config);
        fillUnit(b);
        connect(b);
        Image image{};
        RecordingProgress progress;
        std::string m;
        EXPECT_EQ(b.link.RetrieveSettings(image, m, progress), c.ok) << c.unstableFrom;
        EXPECT_EQ(m, c.ok ? texts::kRetrievalOkEditor : texts::kRetrievalFailedEditor);
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + c.unstableFrom, b.unit.memory().settings.begin()));
        // The transfer stops at the unstable byte: nothing after it is read.
        EXPECT_EQ(image[static_cast<size_t>(c.unstableFrom) + 1], 0);
        EXPECT_EQ(b.unit.level(), sim::Level::Application);
        EXPECT_FALSE(b.port.isOpen());
        EXPECT_EQ(progress.visibility.back(), false);
    }
}

TEST(RetrieveSettings, InstallerFailureTextNamesTheModel)
{
    auto config = unitConfig();
    config.faults.unstableReadsFrom = 100;
    SimBench b(Variant::Installer, config);
    connect(b);
    Image image{};
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.RetrieveSettings(image, m, progress));
    EXPECT_EQ(m, "QRX 30 Settings Retrieval FAILED.");
}

TEST(RetrieveSettings, WrongSignatureStopsBeforeAnyRead)
{
    auto config = unitConfig();
    config.faults.wrongSignature = true;
    SimBench b(Variant::Editor, config);
    connect(b);
    Image image{};
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.RetrieveSettings(image, m, progress));
    EXPECT_EQ(m, texts::kInvalidSignature);
    EXPECT_EQ(SimBench::count(b.unit.transcript(), "D"), 0u);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(RetrieveSettings, ExitSucceedingOnlyAtTheFourthRecoveryIsAFailure)
{
    // The loader ignores "X" until the given EnterLoader call: the first is the operation's own,
    // the next ones belong to the recoveries.
    for (const auto& [freedAtCall, expectOk] : {std::pair{4, true}, std::pair{5, false}}) {
        const int freedAt = freedAtCall;
        const bool ok = expectOk;
        auto config = unitConfig();
        config.faults.loaderStuck = true;
        for (Variant variant : {Variant::Installer, Variant::Editor}) {
            SimBench b(variant, config);
            connect(b);
            test::OperationWatch watch("EnterLoader", [&](int count) {
                if (count == freedAt)
                    b.unit.config().faults.loaderStuck = false;
            });
            platform::TraceLog log(watch, b.clock);
            b.link.setTrace(&log);
            Image image{};
            RecordingProgress progress;
            std::string m;
            EXPECT_EQ(b.link.RetrieveSettings(image, m, progress), ok) << freedAt;
            if (ok)
                EXPECT_EQ(b.unit.level(), sim::Level::Application);
            else
                EXPECT_EQ(m, variant == Variant::Editor ? std::string(texts::kRetrievalFailedEditor)
                                                        : "QRX 30 Settings Retrieval FAILED.");
            EXPECT_FALSE(b.port.isOpen());
            b.link.setTrace(nullptr);
        }
    }
}

TEST(RetrieveSettings, ALineThatGoesDeadEndsInBoundedTime)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    // The cable is pulled a little way into the transfer.
    b.unit.config().faults.unstableReadsFrom = -1;
    const double start = b.elapsedMs();
    struct Cut : platform::VirtualClock::Participant {
        SimBench& b;
        uint64_t at;
        bool done = false;
        Cut(SimBench& bench, uint64_t atNs) : b(bench), at(atNs) { b.clock.attach(this); }
        ~Cut() override { b.clock.detach(this); }
        std::optional<uint64_t> nextEventNs() const override
        {
            return done ? std::nullopt : std::optional<uint64_t>(at);
        }
        void advanceTo(uint64_t now) override
        {
            if (!done && now >= at) {
                b.unit.config().faults.silent = true;
                done = true;
            }
        }
    } cut(b, b.clock.nowNs() + 1'500'000'000ull);
    Image image{};
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.RetrieveSettings(image, m, progress));
    EXPECT_EQ(m, texts::kRetrievalFailedEditor);
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_LT(b.elapsedMs() - start, 120'000.0);
}

TEST(ProgramSettings, FullRangeWritesEverySettingAndLeavesTheRestAlone)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    const Image image = fillImage();
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
    EXPECT_EQ(m, texts::kProgrammedSettingsOkEditor);
    const auto& unit = b.unit.memory().settings;
    for (size_t a = 0; a < unit.size(); ++a) {
        const bool written = a >= 16 && a < 3584 && !(a >= 64 && a <= 95);
        const uint8_t before = a < 3 ? unit[a] : unitPattern(a);
        ASSERT_EQ(unit[a], written ? image[a] : before) << a;
    }
    EXPECT_EQ(unit[0], 'v');
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
}

TEST(ProgramSettings, KeepingTheUnitsAdjustmentsWritesExactly16To63And513To2047)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    const Image image = fillImage();
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, true)) << m;
    EXPECT_EQ(m, texts::kProgrammedSettingsOkEditor);
    const auto& unit = b.unit.memory().settings;
    size_t written = 0;
    for (size_t a = 3; a < unit.size(); ++a) {
        const bool expected = (a >= 16 && a <= 63) || (a >= 513 && a <= 2047);
        ASSERT_EQ(unit[a], expected ? image[a] : unitPattern(a)) << a;
        written += unit[a] == image[a];
    }
    EXPECT_EQ(written, 48u + 1535u);
}

// A cancel between two addresses: what was read is kept, nothing after it was asked for, and
// the loader is left as after a whole retrieval, so the unit runs and the next retrieval is whole.
TEST(RetrieveSettings, ACancelStopsBetweenAddressesAndLetsTheUnitRun)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    Image image = fillImage();
    int asked = 0;
    b.link.setCancelCheck([&asked] { return ++asked > 1000; });
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.RetrieveSettings(image, m, progress));
    EXPECT_TRUE(b.link.settingsTransferCancelled());
    EXPECT_EQ(m, texts::kRetrievalFailedEditor);
    for (size_t a = 3; a < image.size(); ++a)
        ASSERT_EQ(image[a], a < 1000 ? unitPattern(a) : imagePattern(a)) << a;
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.unit.lineRate(), 19200u);
    EXPECT_EQ(b.unit.clockText(), "14:05");
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));

    b.link.setCancelCheck({});
    connect(b);
    ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
    EXPECT_FALSE(b.link.settingsTransferCancelled());
    EXPECT_TRUE(std::equal(image.begin() + 3, image.end(), b.unit.memory().settings.begin() + 3));
}

// A check that never asks to stop costs not a byte on the wire nor a moment of the clock.
TEST(RetrieveSettings, ACancelCheckThatNeverFiresChangesNothing)
{
    std::string exchanged[2];
    double tookMs[2] = {};
    for (const bool checked : {false, true}) {
        SimBench b(Variant::Editor, unitConfig());
        fillUnit(b);
        connect(b);
        int asked = 0;
        if (checked)
            b.link.setCancelCheck([&asked] {
                ++asked;
                return false;
            });
        const double start = b.elapsedMs();
        const size_t before = b.port.written().size();
        Image image{};
        RecordingProgress progress;
        std::string m;
        ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
        EXPECT_FALSE(b.link.settingsTransferCancelled());
        EXPECT_TRUE(std::equal(image.begin() + 3, image.end(), b.unit.memory().settings.begin() + 3));
        exchanged[checked] = b.port.written().substr(before);
        tookMs[checked] = b.elapsedMs() - start;
        if (checked) {
            EXPECT_EQ(asked, static_cast<int>(image.size())) << "asked before every address";
        }
    }
    EXPECT_EQ(exchanged[0], exchanged[1]);
    EXPECT_EQ(tookMs[0], tookMs[1]);
}

TEST(ProgramSettings, AByteThatWillNotProgramStopsThereAfterSevenTries)
{
    for (Variant variant : {Variant::Editor, Variant::Installer}) {
        auto config = unitConfig();
        config.faults.stuckSettingsAddress = 0x100;
        SimBench b(variant, config);
        fillUnit(b);
        connect(b);
        b.unit.clearTranscript();
        const Image image = fillImage();
        RecordingProgress progress;
        std::string m;
        EXPECT_FALSE(b.link.ProgramSettings(image, m, progress, false));
        EXPECT_EQ(m, variant == Variant::Editor ? std::string(texts::kProgrammingSettingsFailedEditor)
                                                : "QRX 30 Settings Programmed FAILED.");
        const auto& unit = b.unit.memory().settings;
        EXPECT_EQ(unit[0xFF], image[0xFF]);
        EXPECT_EQ(unit[0x100], unitPattern(0x100));
        EXPECT_EQ(unit[0x101], unitPattern(0x101));
        for (size_t a = 3; a < 16; ++a)
            EXPECT_EQ(unit[a], unitPattern(a));
        EXPECT_EQ(SimBench::count(b.unit.transcript(), std::string("d") + static_cast<char>(image[0x100])), 7u);
        EXPECT_EQ(b.unit.level(), sim::Level::Application);
        EXPECT_FALSE(b.port.isOpen());
    }
}

// A cancel asked for part-way stops between two whole bytes; the unit then runs its main
// firmware, as after a complete transfer.
TEST(ProgramSettings, ACancelStopsBetweenBytesAndLetsTheUnitRun)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    const Image image = fillImage();
    int asked = 0;
    b.link.setCancelCheck([&asked] { return ++asked > 1000; });
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.ProgramSettings(image, m, progress, false));
    EXPECT_TRUE(b.link.settingsTransferCancelled());
    EXPECT_EQ(m, texts::kProgrammingSettingsFailedEditor);
    const auto& unit = b.unit.memory().settings;
    // The image differs from the unit's at every address: exactly the first 1000 are new.
    const size_t boundary = 96 + (1000 - 48);  // 48 bytes from 16 to 63, then from 96 on
    for (size_t a = 16; a < 3584; ++a) {
        if (!(a >= 64 && a <= 95)) {
            ASSERT_EQ(unit[a], a < boundary ? image[a] : unitPattern(a)) << a;
        }
    }
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_FALSE(b.port.isOpen());

    // The next run is not cancelled by what the last one was asked.
    b.link.setCancelCheck({});
    connect(b);
    ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
    EXPECT_FALSE(b.link.settingsTransferCancelled());
    EXPECT_EQ(unit[3583], image[3583]);
}

TEST(ProgramSettings, InstallerTextsAndARerunAfterATransientFault)
{
    auto config = unitConfig();
    config.faults.stuckSettingsAddress = 0x200;
    SimBench b(Variant::Installer, config);
    connect(b);
    const Image image = fillImage();
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.ProgramSettings(image, m, progress, false));
    b.unit.config().faults.stuckSettingsAddress = -1;
    ASSERT_TRUE(b.link.EnterLoaderFast(m)) << m;
    ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
    EXPECT_EQ(m, "QRX 30 Settings Programmed OK.");
    EXPECT_EQ(b.unit.memory().settings[0x200], image[0x200]);
}
