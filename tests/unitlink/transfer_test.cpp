// Settings EEPROM transfer against the simulated unit on the virtual clock.
#include <gtest/gtest.h>

#include <set>

#include "operation_watch.h"
#include "recording_progress.h"
#include "sim_bench.h"
#include "unitlink/loader_commands.h"
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

// The unit falls silent at a given moment, as when the cable is pulled.
struct LineCut : platform::VirtualClock::Participant {
    SimBench& b;
    uint64_t at;
    bool done = false;
    LineCut(SimBench& bench, uint64_t atNs) : b(bench), at(atNs) { b.clock.attach(this); }
    ~LineCut() override { b.clock.detach(this); }
    std::optional<uint64_t> nextEventNs() const override { return done ? std::nullopt : std::optional<uint64_t>(at); }
    void advanceTo(uint64_t now) override
    {
        if (!done && now >= at) {
            b.unit.config().faults.silent = true;
            done = true;
        }
    }
};

// The addresses a transcript writes: "a", a settings address and "d" begin every write. No read
// matches ("D" follows its address), nor any other run of bytes (a settings address starts with
// a byte below 0x10).
std::set<size_t> writtenAddresses(const std::string& transcript)
{
    std::set<size_t> written;
    for (size_t i = 0; i + 3 < transcript.size(); ++i) {
        const size_t address = static_cast<size_t>(static_cast<uint8_t>(transcript[i + 1]) << 8 |
                                                   static_cast<uint8_t>(transcript[i + 2]));
        if (transcript[i] == 'a' && transcript[i + 3] == 'd' && address < kImageSize)
            written.insert(address);
    }
    return written;
}

// The unit's own image (its pattern from address 3 on).
Image unitImage(SimBench& b)
{
    Image image{};
    std::copy(b.unit.memory().settings.begin(), b.unit.memory().settings.end(), image.begin());
    return image;
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

TEST(RetrieveSettings, AReplyLostMidRunIsReadAgainAndTheRunCompletes)
{
    auto config = unitConfig();
    config.faults.loseReadAt = 2000;
    SimBench b(Variant::Editor, config);
    fillUnit(b);
    connect(b);
    Image image{};
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
    EXPECT_EQ(b.unit.config().faults.loseReadAt, -1) << "the reply was lost";
    EXPECT_TRUE(std::equal(image.begin(), image.end(), b.unit.memory().settings.begin()));
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
    LineCut cut(b, b.clock.nowNs() + 1'500'000'000ull);
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

// A cancel asked for part-way stops between two whole bytes, or among the reads before any
// byte is written; the unit then runs its main firmware, as after a complete transfer.
TEST(ProgramSettings, ACancelStopsBetweenBytesAndLetsTheUnitRun)
{
    // The image differs from the unit's at every address: each is read once, then written.
    const int reads = static_cast<int>(settingsAddressesWritten(false));
    for (const size_t writtenBeforeStop : {size_t{0}, size_t{1000}}) {
        SCOPED_TRACE(writtenBeforeStop);
        SimBench b(Variant::Editor, unitConfig());
        fillUnit(b);
        connect(b);
        const Image image = fillImage();
        int asked = 0;
        const int stopAfter = writtenBeforeStop == 0 ? reads / 2 : reads + static_cast<int>(writtenBeforeStop);
        b.link.setCancelCheck([&] { return ++asked > stopAfter; });
        RecordingProgress progress;
        std::string m;
        EXPECT_FALSE(b.link.ProgramSettings(image, m, progress, false));
        EXPECT_TRUE(b.link.settingsTransferCancelled());
        EXPECT_EQ(m, texts::kProgrammingSettingsFailedEditor);
        EXPECT_EQ(b.link.settingsBytesWritten(), writtenBeforeStop);
        const auto& unit = b.unit.memory().settings;
        // 48 bytes from 16 to 63, then from 96 on.
        const size_t boundary = writtenBeforeStop == 0 ? 16 : 96 + (writtenBeforeStop - 48);
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
}

// Whatever the image holds outside the ranges is never written; inside them only what differs
// from the unit, or with EveryByte every address.
TEST(ProgramSettings, WritesExactlyTheBytesThatDifferAndNoneOutsideItsRanges)
{
    const std::set<size_t> differing{3, 15, 16, 63, 64, 95, 96, 512, 513, 2047, 2048, 3583, 3584, 4095};
    for (const bool keep : {false, true}) {
        for (const SettingsWrite write : {SettingsWrite::OnlyDiffering, SettingsWrite::EveryByte}) {
            SCOPED_TRACE(testing::Message()
                         << "keep " << keep << " every byte " << (write == SettingsWrite::EveryByte));
            SimBench b(Variant::Editor, unitConfig());
            fillUnit(b);
            connect(b);
            Image image = unitImage(b);
            for (size_t a : differing)
                image[a] = imagePattern(a);
            std::set<size_t> expected;
            for (size_t a = 0; a < kImageSize; ++a) {
                if (settingsAddressWritten(a, keep) && (write == SettingsWrite::EveryByte || differing.count(a)))
                    expected.insert(a);
            }
            b.unit.clearTranscript();
            RecordingProgress progress;
            std::string m;
            ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, keep, write)) << m;
            EXPECT_EQ(writtenAddresses(b.unit.transcript()), expected);
            EXPECT_EQ(b.link.settingsBytesWritten(), expected.size());
            for (size_t a = 3; a < kImageSize; ++a)
                ASSERT_EQ(b.unit.memory().settings[a], expected.count(a) ? image[a] : unitPattern(a)) << a;
            EXPECT_EQ(progress.ranges, std::vector<int>{3584});
            EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
        }
    }
}

// A byte is left alone only when two reads agree that the unit holds the image's value: one
// whose reads disagree is written; one whose reply was lost is read again.
TEST(ProgramSettings, AByteReadUnsteadilyIsWrittenAndALostReplyIsReadAgain)
{
    struct Case {
        int flakyAt;
        int lostAt;
        std::set<size_t> written;
    };
    for (const Case& c : {Case{700, -1, {700}}, Case{-1, 1500, {}}}) {
        SCOPED_TRACE(c.flakyAt);
        auto config = unitConfig();
        config.faults.flakyReadAt = c.flakyAt;
        config.faults.loseReadAt = c.lostAt;
        SimBench b(Variant::Installer, config);
        fillUnit(b);
        connect(b);
        const Image image = unitImage(b);
        b.unit.clearTranscript();
        RecordingProgress progress;
        std::string m;
        ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
        EXPECT_EQ(writtenAddresses(b.unit.transcript()), c.written);
        EXPECT_EQ(b.unit.config().faults.loseReadAt, -1) << "the reply was lost";
        if (c.lostAt >= 0) {
            const std::string read = loader::withAddress('a', static_cast<uint32_t>(c.lostAt)) + "D";
            EXPECT_EQ(SimBench::count(b.unit.transcript(), read), 3u) << "lost, then read twice";
        }
        EXPECT_TRUE(std::equal(image.begin(), image.end(), b.unit.memory().settings.begin()));
    }
}

// The line dies among the reads: nothing has been written, and the failure is reported as
// a byte that would not program is.
TEST(ProgramSettings, ALineThatGoesDeadAmongTheReadsFailsHavingWrittenNothing)
{
    SimBench b(Variant::Editor, unitConfig());
    fillUnit(b);
    connect(b);
    const Image image = fillImage();
    const double start = b.elapsedMs();
    LineCut cut(b, b.clock.nowNs() + 600'000'000ull);
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.ProgramSettings(image, m, progress, false));
    EXPECT_EQ(m, texts::kProgrammingSettingsFailedEditor);
    EXPECT_EQ(b.link.settingsBytesWritten(), 0u);
    for (size_t a = 3; a < kImageSize; ++a)
        ASSERT_EQ(b.unit.memory().settings[a], unitPattern(a)) << a;
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_EQ(progress.visibility.back(), false);
    EXPECT_LT(b.elapsedMs() - start, 120'000.0);
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
