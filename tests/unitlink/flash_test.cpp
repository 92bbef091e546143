// Flash programming, verification and the loader's entry and exit against the simulated unit.
#include <gtest/gtest.h>

#include <cstring>

#include "recording_progress.h"
#include "sim_bench.h"
#include "unitlink/loader_rules.h"
#include "unitlink/texts.h"
#include "unit_link_test_access.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::enterFast;
using velmar::test::RecordingProgress;
using velmar::test::SimBench;

namespace {

// A small program: `words` code words from word 0 and a banner, the rest blank.
std::vector<uint8_t> image(size_t words, const std::string& banner, uint8_t seed = 1)
{
    std::vector<uint8_t> bytes(kFlashImageBytes, 0xFF);
    for (size_t i = 0; i < words * 2; ++i)
        bytes[i] = static_cast<uint8_t>((i * 31 + seed) & 0x7F);
    std::memcpy(bytes.data() + 64, banner.c_str(), banner.size() + 1);
    return bytes;
}

sim::UnitConfig unitConfig(const std::string& loaderVersion)
{
    sim::UnitConfig c;
    c.model = "QRX 30";
    c.loaderVersion = loaderVersion;
    return c;
}

bool flashHolds(SimBench& b, const std::vector<uint8_t>& bytes) { return b.unit.memory().flashBytes() == bytes; }

}  // namespace

TEST(ProgramFlash, MainImageIsProgrammedMarkedCheckedAndBooted)
{
    for (const char* version : {"25", "31"}) {
        SimBench b(Variant::Installer, unitConfig(version));
        enterFast(b);
        const auto main = image(300, "QRX 30 Version 1.05");
        RecordingProgress progress;
        std::string m;
        ASSERT_TRUE(b.link.ProgramFlash(m, progress, main, UnitLink::FlashImageKind::Main)) << m << " " << version;
        EXPECT_EQ(m, texts::kFlashDoneVerifying);
        EXPECT_TRUE(flashHolds(b, main));
        const auto& settings = b.unit.memory().settings;
        EXPECT_EQ(settings[0], 'v');
        EXPECT_EQ(settings[1], 'v');
        EXPECT_EQ(settings[2], std::string(version) == "25" ? 0x0E : 0x0C);  // bit 1 for loaders up to 300
        EXPECT_EQ(b.unit.level(), sim::Level::Application);
        EXPECT_EQ(b.unit.identificationText(), "QRX 30 Version 1.05\r\n");
        EXPECT_EQ(progress.ranges, std::vector<int>{384});
        EXPECT_EQ(progress.positions.back(), 384);
        EXPECT_EQ(progress.visibility.back(), false);
        EXPECT_FALSE(b.port.isOpen());
        // Three pages of ten exchanges each.
        EXPECT_EQ(SimBench::count(b.unit.transcript(), std::string("C\x10", 2)), 24u);
    }
}

TEST(ProgramFlash, Version301GetsItsDivisorSignatureAndFuseLetters)
{
    SimBench b(Variant::Installer, unitConfig("31"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterLoader(m));
    EXPECT_EQ(b.link.loaderVersion(), 301);
    b.unit.clearTranscript();
    ASSERT_TRUE(b.link.SwitchLoaderBaud(m, true));
    EXPECT_EQ(m, texts::kLoaderBaudChanged);
    // The second and third "h" go out at the old rate and never reach the unit.
    EXPECT_EQ(b.unit.transcript(), std::string("h\x04S", 3));
    b.unit.clearTranscript();
    RecordingProgress progress;
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, image(10, "QRX 30 Version 1.00"), UnitLink::FlashImageKind::Main))
        << m;
    EXPECT_EQ(b.unit.transcript().substr(0, 2), "Ps");
    // G must become D1 (it was D9), F D0 and J FD before the erase; G D9 after it.
    EXPECT_NE(b.unit.transcript().find(std::string("g\xD1", 2)), std::string::npos);
    EXPECT_NE(b.unit.transcript().find(std::string("g\xD9", 2)), std::string::npos);
    EXPECT_EQ(b.unit.memory().fuseHigh, 0xD9);
    EXPECT_EQ(b.unit.memory().lockBits, 0xFD);
}

TEST(ProgramFlash, AFuseAlreadyRightIsNotRewritten)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    b.unit.memory().fuseLow = 0xB7;  // reads 0x97: (value & 0x2F) == 0x07 before the erase
    enterFast(b);
    b.unit.clearTranscript();
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, image(10, "QRX 30 Version 1.00"), UnitLink::FlashImageKind::Main))
        << m;
    const std::string& t = b.unit.transcript();
    EXPECT_EQ(t.substr(0, 4), "PsFe");  // read, found right, erased
    EXPECT_EQ(SimBench::count(t, std::string("f\xB7", 2)), 0u);
    EXPECT_EQ(SimBench::count(t, std::string("f\xBE", 2)), 1u);  // after the erase it must change
    EXPECT_EQ(b.unit.memory().fuseLow, 0xBE);
}

TEST(ProgramFlash, FailuresBeforeTheEraseLeaveTheFlashAlone)
{
    struct Case {
        const char* version;
        void (*fault)(sim::UnitConfig&);
        std::string_view text;
    };
    const Case cases[] = {
        {"31", [](sim::UnitConfig& c) { c.faults.fuseStuck = true; }, texts::kCannotSetFuse},
        {"25", [](sim::UnitConfig& c) { c.faults.wrongSignature = true; }, texts::kInvalidSignature},
    };
    for (const Case& c : cases) {
        auto config = unitConfig(c.version);
        c.fault(config);
        SimBench b(Variant::Installer, config);
        const auto before = b.unit.memory().flashBytes();
        enterFast(b);
        RecordingProgress progress;
        std::string m;
        EXPECT_FALSE(
            b.link.ProgramFlash(m, progress, image(10, "QRX 30 Version 1.00"), UnitLink::FlashImageKind::Main));
        EXPECT_EQ(m, c.text);
        EXPECT_TRUE(flashHolds(b, before));
        EXPECT_FALSE(b.port.isOpen());
    }
}

TEST(ProgramFlash, ABlankImageIsRefusedWithoutTouchingTheUnit)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    enterFast(b);
    b.unit.clearTranscript();
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(
        b.link.ProgramFlash(m, progress, std::vector<uint8_t>(kFlashImageBytes, 0xFF), UnitLink::FlashImageKind::Main));
    EXPECT_EQ(m, texts::kProgrammingFailed);
    EXPECT_EQ(b.unit.transcript(), "");
}

TEST(ProgramFlash, AnInterruptedProgrammingLeavesTheMarkersCleared)
{
    auto config = unitConfig("25");
    config.faults.disconnectAfterChunks = 12;  // in the middle of the second page
    SimBench b(Variant::Installer, config);
    enterFast(b);
    RecordingProgress progress;
    std::string m;
    const double start = b.elapsedMs();
    EXPECT_FALSE(b.link.ProgramFlash(m, progress, image(1000, "QRX 30 Version 1.00"), UnitLink::FlashImageKind::Main));
    EXPECT_EQ(m, texts::kProgrammingFailed);
    EXPECT_EQ(b.unit.memory().settings[0], 0x00);
    EXPECT_EQ(b.unit.memory().settings[1], 0x00);
    EXPECT_EQ(progress.visibility.back(), false);
    EXPECT_FALSE(b.port.isOpen());
    EXPECT_LT(b.elapsedMs() - start, 120'000.0);

    // The line comes back: a rerun from the start programs the unit.
    b.unit.config().faults.silent = false;
    b.unit.config().faults.disconnectAfterChunks = -1;
    ASSERT_TRUE(b.link.EnterLoaderFast(m)) << m;
    const auto main = image(1000, "QRX 30 Version 1.00");
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, main, UnitLink::FlashImageKind::Main)) << m;
    EXPECT_TRUE(flashHolds(b, main));
    EXPECT_EQ(b.unit.memory().settings[0], 'v');
}

TEST(ProgramFlash, EepromLoaderImageStartsTheProgrammerAtTheNormalRate)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    enterFast(b);
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, image(100, "QRX 30 EEPROM Prog v1.00"),
                                    UnitLink::FlashImageKind::EepromLoader))
        << m;
    EXPECT_EQ(m, texts::kFlashDone);
    EXPECT_EQ(b.unit.level(), sim::Level::EepromProgrammer);
    EXPECT_EQ(b.link.mode(), UnitMode::EepromProgrammer);
    EXPECT_EQ(b.link.baudIndex(), kBaudIndexNormal);
}

TEST(VerifyFlash, MatchingFlashIsVerifiedAndADifferentWordFails)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    enterFast(b);
    const auto main = image(200, "QRX 30 Version 1.00");
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, main, UnitLink::FlashImageKind::Main)) << m;
    ASSERT_TRUE(b.link.VerifyFlash(m, progress, main)) << m;
    EXPECT_EQ(m, texts::kVerifiedOk);
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_FALSE(b.port.isOpen());

    b.unit.memory().flash[150] &= 0x00FF;
    b.unit.clearTranscript();
    EXPECT_FALSE(b.link.VerifyFlash(m, progress, main));
    EXPECT_EQ(m, texts::kVerifyFailed);
    // Word 150 is read three times, with the address set again after each miss.
    EXPECT_EQ(SimBench::count(b.unit.transcript(), std::string("a\x00\x96", 3)), 3u);
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
}

// A reply lost among the reads sent ahead: the word is read again, from its address, and the
// run goes on to the end.
TEST(VerifyFlash, AReplyLostMidRunIsReadAgainAndTheRunCompletes)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    enterFast(b);
    const auto main = image(200, "QRX 30 Version 1.00");
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramFlash(m, progress, main, UnitLink::FlashImageKind::Main)) << m;
    b.unit.config().faults.loseReadAt = 150;
    b.unit.clearTranscript();
    ASSERT_TRUE(b.link.VerifyFlash(m, progress, main)) << m;
    EXPECT_EQ(m, texts::kVerifiedOk);
    EXPECT_EQ(b.unit.config().faults.loseReadAt, -1) << "the reply was lost";
    EXPECT_EQ(SimBench::count(b.unit.transcript(), std::string("a\x00\x96", 3)), 1u);
}

TEST(VerifyFlashChecksum, ComparesTheLow16BitsOfTheUnitsSum)
{
    SimBench b(Variant::Installer, unitConfig("25"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.OpenPort(m));
    auto flash = b.unit.memory().flashBytes();
    // The unit's sum is wider than 16 bits; only its low 16 bits are compared.
    ASSERT_GT(b.unit.memory().flashByteSum(), 0xFFFFu);
    EXPECT_TRUE(b.link.VerifyFlashChecksum(m, flash)) << m;
    EXPECT_EQ(m, texts::kChecksumVerified);
    EXPECT_EQ(b.link.loaderVersion(), 205);  // learnt by going through the loader once
    flash[5] ^= 0x01;
    EXPECT_FALSE(b.link.VerifyFlashChecksum(m, flash));
    EXPECT_EQ(m, texts::kChecksumNotCorrect);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(Loader, ANonDigitVersionSendsNoDivisorAndTheLoaderIsLostAtTheNewRate)
{
    SimBench b(Variant::Editor, unitConfig("x5"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.OpenPort(m));
    EXPECT_FALSE(b.link.ConnectForTransfer(m));
    EXPECT_EQ(b.link.loaderVersion(), 0);
    EXPECT_EQ(m, texts::kLoaderNotRespondingHighEditor);
    EXPECT_EQ(b.unit.transcript().find('h'), std::string::npos);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(Loader, EntryFromTheDebugMonitorAndExitBackToTheMainFirmware)
{
    auto config = unitConfig("25");
    config.level = sim::Level::DebugMonitor;
    SimBench b(Variant::Installer, config);
    std::string m;
    UnitLinkTestAccess::setPortName(b.link, "COM1");
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterLoader(m)) << m;
    EXPECT_EQ(b.unit.level(), sim::Level::Loader);
    EXPECT_EQ(b.linesReceived("dlaf00"), 1u);
    ASSERT_TRUE(b.link.ExitLoader(m, true)) << m;
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
}

TEST(Loader, ALoaderThatDoesNotLeaveFailsToExitInBothPrograms)
{
    for (Variant variant : {Variant::Installer, Variant::Editor}) {
        auto config = unitConfig("25");
        config.faults.loaderStuck = true;
        SimBench b(variant, config);
        std::string m;
        ASSERT_TRUE(b.link.DetectUnit(m));
        ASSERT_TRUE(b.link.OpenPort(m));
        ASSERT_TRUE(b.link.EnterLoader(m)) << m;
        EXPECT_FALSE(b.link.ExitLoader(m));
        EXPECT_EQ(m, texts::kLoaderFailedToExit);
        EXPECT_EQ(b.link.mode(), UnitMode::NoUnit);
    }
}

TEST(Loader, AnErasedFlashKeepsTheUnitInItsLoader)
{
    auto config = unitConfig("25");
    config.installed = sim::Installed::Nothing;
    config.level = sim::Level::Loader;
    SimBench b(Variant::Installer, config);
    std::string m;
    UnitLinkTestAccess::setPortName(b.link, "COM1");
    ASSERT_TRUE(b.link.OpenPort(m));
    EXPECT_FALSE(b.link.ExitLoader(m));
    EXPECT_EQ(b.unit.level(), sim::Level::Loader);
}

TEST(Loader, TheEditorReadsTheLoaderVersionOnEveryEntry)
{
    SimBench b(Variant::Editor, unitConfig("25"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterLoader(m)) << m;
    EXPECT_EQ(b.link.loaderVersion(), 205);
    ASSERT_TRUE(b.link.ExitLoader(m)) << m;
    // A new loader since: the next entry learns its version and, with it, its rate divisors.
    b.unit.config().loaderVersion = "31";
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterLoader(m)) << m;
    EXPECT_EQ(b.link.loaderVersion(), 301);
    ASSERT_TRUE(b.link.SwitchLoaderBaud(m, true)) << m;
    EXPECT_EQ(b.unit.lineRate(), 115200u);
    // A reply that names no version keeps the one known.
    ASSERT_TRUE(b.link.SwitchLoaderBaud(m, false)) << m;
    b.unit.config().loaderVersion = "x1";
    ASSERT_TRUE(b.link.ExitLoader(m)) << m;
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterLoader(m)) << m;
    EXPECT_EQ(b.link.loaderVersion(), 301);
}

// A fuse byte that needed three writes is not trusted to hold: the write fails even though the
// byte reads right, and the port is closed.
TEST(Loader, AFuseThatTakesOnlyAtTheThirdWriteIsAFailure)
{
    for (const int ignored : {0, 1, 2}) {
        SCOPED_TRACE(ignored);
        SimBench b(Variant::Installer, unitConfig("31"));
        b.unit.config().faults.fuseWritesIgnored = ignored;
        enterFast(b);
        b.unit.clearTranscript();
        const bool written = b.link.WriteFuse('G', 0xC9);
        EXPECT_EQ(b.unit.memory().fuseHigh, 0xC9) << "the byte took at write " << ignored + 1;
        EXPECT_EQ(SimBench::count(b.unit.transcript(), std::string("g\xC9", 2)), static_cast<size_t>(ignored + 1));
        EXPECT_EQ(written, ignored < 2);
        EXPECT_EQ(b.port.isOpen(), ignored < 2);
    }
}
