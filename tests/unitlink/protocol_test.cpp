// Identification and the port-and-rate scan against the simulated unit, exact in
// virtual time (one silent probe costs 5 + 6 + 500 + 69 = 580 ms).
#include <gtest/gtest.h>

#include "sim_bench.h"
#include "unitlink/texts.h"
#include "unit_link_test_access.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::SimBench;

namespace {

constexpr double kSilentProbeMs = 580.0;

sim::UnitConfig model(const std::string& name)
{
    sim::UnitConfig c;
    c.model = name;
    return c;
}

}  // namespace

TEST(DetectUnit, FindsAQrx30AtTheNormalRateOnTheFirstProbe)
{
    SimBench b(Variant::Editor, model("QRX 30"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx30);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
    EXPECT_EQ(b.link.model(), UnitModel::QRX_30);
    EXPECT_EQ(b.link.baudIndex(), 0);
    EXPECT_EQ(b.link.applicationBaudIndex(), 0);
    EXPECT_EQ(b.link.portName(), "COM1");
    EXPECT_FALSE(b.port.isOpen());  // left closed, name and rate kept
    EXPECT_EQ(b.probesWritten(), 1u);
    EXPECT_LT(b.elapsedMs(), 600.0);
}

TEST(DetectUnit, UnitAt57600IsFoundAfterSixSlowerRatesWithThreeProbesEach)
{
    auto c = model("QRX 30");
    c.applicationRate = 57600;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx30);
    EXPECT_EQ(b.link.baudIndex(), 6);
    EXPECT_EQ(b.link.applicationBaudIndex(), 6);
    EXPECT_EQ(b.probesWritten(), 6u * 3 + 1);
    // The unit heard nothing at the wrong rates: the first bytes it received are the good probe.
    EXPECT_EQ(b.unit.receivedLines().at(1), "?");
    EXPECT_GT(b.unit.lostBytes(), 0u);
    EXPECT_NEAR(b.elapsedMs(), 18 * kSilentProbeMs + 512, 5.0);
}

TEST(DetectUnit, NoUnitEditorTriesCom1ToCom6)
{
    SimBench b(Variant::Editor, model("QRX 30"), /*unitPort=*/0, /*ports=*/8);
    std::string m = "before";
    EXPECT_FALSE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kNoUnitEditor);
    EXPECT_EQ(b.port.openCount(), 6);
    EXPECT_EQ(b.probesWritten(), 6u * 8 * 3);
    EXPECT_NEAR(b.elapsedMs(), 6 * 8 * 3 * kSilentProbeMs, 1.0);
    EXPECT_EQ(b.link.mode(), UnitMode::NoUnit);
}

TEST(DetectUnit, NoUnitInstallerTriesCom1ToCom8)
{
    SimBench b(Variant::Installer, model("QRX 30"), 0, 8);
    std::string m;
    EXPECT_FALSE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kNoUnitInstaller);
    EXPECT_EQ(b.port.openCount(), 8);
    EXPECT_NEAR(b.elapsedMs(), 8 * 8 * 3 * kSilentProbeMs, 1.0);
}

TEST(DetectUnit, PortsThatCannotBeOpenedAreSkippedQuickly)
{
    SimBench b(Variant::Installer, model("QRX 30"), /*unitPort=*/4, /*ports=*/0);
    b.port.addPort("COM4", &b.unit);  // only COM4 exists
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.portName(), "COM4");
    EXPECT_EQ(b.link.portNumber(), 4);
    EXPECT_LT(b.elapsedMs(), 600.0);
}

TEST(DetectUnit, AccessRefusedPortIsSkipped)
{
    SimBench b(Variant::Editor, model("QRX 20"), 2, 2);
    b.port.refuseAccess("COM1");
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx20);
    EXPECT_EQ(b.link.portName(), "COM2");
}

TEST(DetectUnit, LoaderAnsweringQuestionMarksIsAcceptedAt19200InLoaderMode)
{
    auto c = model("QRX 30");
    c.level = sim::Level::Loader;
    c.installed = sim::Installed::Nothing;  // "X" runs back into the loader
    SimBench b(Variant::Editor, c);
    std::string m = "as it was";
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.mode(), UnitMode::Loader);
    EXPECT_EQ(b.link.baudIndex(), 0);
    EXPECT_EQ(m, "as it was");  // model UNKNOWN leaves the message
    EXPECT_EQ(b.link.model(), UnitModel::UNKNOWN);
    EXPECT_EQ(SimBench::count(b.unit.transcript(), "X"), 3u);  // one "X" per pass
    EXPECT_EQ(b.probesWritten(), 3u);
}

TEST(DetectUnit, LoaderThatStartsTheFirmwareOnXIsIdentifiedOnTheNextPass)
{
    auto c = model("QRX 20");
    c.level = sim::Level::Loader;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx20);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.probesWritten(), 2u);
}

TEST(DetectUnit, HdReplyGivesQrx30InTheInstaller)
{
    SimBench b(Variant::Installer, model("QRX 20-HD"));
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.model(), UnitModel::QRX_30);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
    EXPECT_EQ(m, texts::kFoundQrx30);
}

TEST(DetectUnit, EditorDoesNotKnowTheHdModels)
{
    SimBench b(Variant::Editor, model("QRX 30-HD"), 1, 1);
    std::string m;
    EXPECT_FALSE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kNoUnitEditor);
}

TEST(DetectUnit, Qrx40EepromProgrammerIsKnownToTheInstallerOnly)
{
    auto c = model("QRX 40");
    c.level = sim::Level::EepromProgrammer;
    {
        SimBench b(Variant::Installer, c);
        std::string m = "unchanged";
        ASSERT_TRUE(b.link.DetectUnit(m));
        EXPECT_EQ(b.link.mode(), UnitMode::EepromProgrammer);
        EXPECT_EQ(b.link.model(), UnitModel::QRX_40);
        EXPECT_EQ(m, "unchanged");  // no "found" text for QRX_40
    }
    {
        SimBench b(Variant::Editor, c, 1, 1);
        std::string m;
        EXPECT_FALSE(b.link.DetectUnit(m));  // the editor keeps searching, every rate
        EXPECT_EQ(b.probesWritten(), 8u * 3);
    }
}

TEST(DetectUnit, Qrx30EepromProgrammerInTheEditor)
{
    auto c = model("QRX 30");
    c.level = sim::Level::EepromProgrammer;
    SimBench b(Variant::Editor, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.mode(), UnitMode::EepromProgrammer);
    EXPECT_EQ(m, texts::kFoundQrx30);
}

TEST(DetectUnit, EveryModelOfTheTableInTheInstaller)
{
    const std::pair<const char*, UnitModel> cases[] = {
        {"QRX 2", UnitModel::QRX_2},
        {"QRX 20", UnitModel::QRX_20},
        {"QRX 30", UnitModel::QRX_30},
        {"QRX 20-HD", UnitModel::QRX_30},
        {"QRX 30-HD", UnitModel::QRX_30},
        {"QRX 40", UnitModel::QRX_40},
        {"QRX 50", UnitModel::QRX_50},
        {"Corvalent D1", UnitModel::CORVALENT_D1},
        {"Corvalent D1HD", UnitModel::CORVALENT_D2},
        {"Corvalent D2", UnitModel::CORVALENT_D2},
    };
    for (const auto& [name, expected] : cases) {
        SimBench b(Variant::Installer, model(name));
        std::string m;
        ASSERT_TRUE(b.link.DetectUnit(m)) << name;
        EXPECT_EQ(b.link.model(), expected) << name;
        EXPECT_EQ(b.link.mode(), UnitMode::Application) << name;
    }
}

TEST(DetectUnit, CorvalentLoaderBannerIsSentXAndAcceptedInLoaderMode)
{
    auto c = model("Corvalent D1");
    c.level = sim::Level::Loader;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.mode(), UnitMode::Loader);
    EXPECT_EQ(b.link.model(), UnitModel::CORVALENT_D1);
    EXPECT_EQ(m, texts::kFoundCorvalentD1);
    EXPECT_EQ(b.unit.level(), sim::Level::Application);  // "X" started the firmware
}

TEST(DetectUnit, DebugMonitorIsEscapedAndTheUnitFoundOnTheNextPass)
{
    auto c = model("QRX 30");
    c.level = sim::Level::DebugMonitor;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
    EXPECT_EQ(b.linesReceived("dx"), 1u);
    EXPECT_EQ(b.linesReceived("@0"), 4u);  // the firmware does not acknowledge "@0" ...
    EXPECT_EQ(b.linesReceived("d0"), 4u);  // ... nor "d0"
}

TEST(DetectUnit, SilentGarbageAndEndlessUnitsAreNotFoundAndTheScanEnds)
{
    for (const char* fault : {"silent", "garbage", "endless"}) {
        auto c = model("QRX 30");
        sim::applyFault(c, fault);
        SimBench b(Variant::Editor, c, 1, 1);
        std::string m;
        EXPECT_FALSE(b.link.DetectUnit(m)) << fault;
        EXPECT_EQ(m, texts::kNoUnitEditor) << fault;
        EXPECT_LT(b.elapsedMs(), 6 * 8 * 3 * kSilentProbeMs) << fault;
    }
}

TEST(DetectUnit, EchoingUnitIsStillIdentified)
{
    auto c = model("QRX 20");
    c.echo = true;
    SimBench b(Variant::Editor, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx20);
}

TEST(DetectUnit, WorksAcrossTheMillisecondClockWrap)
{
    auto c = model("QRX 30");
    c.applicationRate = 2400;
    SimBench b(Variant::Editor, c, 1, 6, /*startMs=*/0xFFFFFFFFu - 1500);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.baudIndex(), 2);
    EXPECT_EQ(b.probesWritten(), 2u * 3 + 1);
}

TEST(DetectUnit, SecondScanRetriesTheRememberedPortFirst)
{
    SimBench b(Variant::Installer, model("QRX 30"), 3, 4);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.portName(), "COM3");
    const int opens = b.port.openCount();
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.port.openCount(), opens + 1);
    EXPECT_EQ(b.link.portName(), "COM3");
}

TEST(DetectUnit, TheScanObserverHearsOfEveryPortAndRateAsItIsTried)
{
    auto c = model("QRX 30");
    c.applicationRate = 57600;
    SimBench b(Variant::Editor, c, /*unitPort=*/3, /*ports=*/3);
    b.port.refuseAccess("COM1");  // a port that does not open is not tried at any rate
    std::vector<std::pair<std::string, uint32_t>> tried;
    std::vector<double> atMs;
    b.link.setScanObserver([&](const std::string& port, uint32_t rate) {
        tried.emplace_back(port, rate);
        atMs.push_back(b.elapsedMs());
    });
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));

    std::vector<std::pair<std::string, uint32_t>> expected;
    for (uint32_t rate : BaudTable)
        expected.emplace_back("COM2", rate);
    for (uint32_t rate : {19200u, 1200u, 2400u, 4800u, 9600u, 38400u, 57600u})
        expected.emplace_back("COM3", rate);
    EXPECT_EQ(tried, expected);
    // Each report comes as its rate is taken up, after the three silent probes of the one before.
    for (size_t i = 0; i < atMs.size(); ++i)
        EXPECT_NEAR(atMs[i], static_cast<double>(i) * 3 * kSilentProbeMs, 1.0) << i;
}

TEST(Identify, Flag240VFollowsTheReply)
{
    auto c = model("QRX 30");
    c.v240 = true;
    SimBench b(Variant::Installer, c);
    UnitLinkTestAccess::setUnitFlags(b.link, 0x0C);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.unitFlags(), 0x0D);
    b.unit.config().v240 = false;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.unitFlags(), 0x0C);
}

TEST(Identify, EditorHasNo240VFlag)
{
    auto c = model("QRX 30");
    c.v240 = true;
    SimBench b(Variant::Editor, c);
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    EXPECT_EQ(b.link.unitFlags(), 0x0C);
}

TEST(Identify, UnopenablePortGivesTheCommunicationErrorText)
{
    SimBench b(Variant::Editor, model("QRX 30"), 0, 0);
    std::string m;
    EXPECT_FALSE(b.link.Identify(m));
    EXPECT_EQ(m, texts::kCommErrorEditor);
}

TEST(Resynchronise, FindsTheApplicationAtAnotherRate)
{
    auto c = model("QRX 30");
    c.applicationRate = 38400;
    SimBench b(Variant::Installer, c);
    ASSERT_TRUE(b.link.Resynchronise(0));
    EXPECT_EQ(b.link.baudIndex(), 5);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
    EXPECT_EQ(b.link.model(), UnitModel::QRX_30);
}

TEST(Resynchronise, FindsTheLoaderThroughItsBanner)
{
    auto c = model("QRX 30");
    c.level = sim::Level::Loader;
    SimBench b(Variant::Installer, c);
    ASSERT_TRUE(b.link.Resynchronise(0));
    EXPECT_EQ(b.link.mode(), UnitMode::Loader);
    EXPECT_EQ(b.link.model(), UnitModel::QRX_30);
    EXPECT_EQ(b.unit.level(), sim::Level::Loader);  // no "X" is sent
}

TEST(Resynchronise, ThreeInvalidCommandsMeanTheDebugMonitor)
{
    auto c = model("QRX 30");
    c.level = sim::Level::DebugMonitor;
    SimBench b(Variant::Installer, c);
    ASSERT_TRUE(b.link.Resynchronise(0));
    EXPECT_EQ(b.link.mode(), UnitMode::DebugMonitor);
}

TEST(Resynchronise, SilentUnitFailsAfterAllEightRates)
{
    auto c = model("QRX 30");
    c.faults.silent = true;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.OpenPort(m));
    EXPECT_FALSE(b.link.Resynchronise(3));
    EXPECT_EQ(b.probesWritten(), 8u * 3);
}
