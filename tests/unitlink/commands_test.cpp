// Debug monitor, zone power, clock, rate and firmware version against the simulated unit.
#include <gtest/gtest.h>

#include "sim_bench.h"
#include "unitlink/texts.h"
#include "unit_link_test_access.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::SimBench;

namespace {

sim::UnitConfig unitConfig(const std::string& name = "QRX 30")
{
    sim::UnitConfig c;
    c.model = name;
    return c;
}

// Finds the unit and leaves the port open, as the callers of these operations do.
void connect(SimBench& b)
{
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.OpenPort(m));
}

// Ends an operation from inside virtual time: the device vanishes at `atMs`.
class Unplugger : public platform::VirtualClock::Participant {
public:
    Unplugger(SimBench& b, uint64_t atMs) : b_(b), atNs_(b.clock.nowNs() + atMs * 1'000'000) { b_.clock.attach(this); }
    ~Unplugger() override { b_.clock.detach(this); }
    std::optional<uint64_t> nextEventNs() const override
    {
        return done_ ? std::nullopt : std::optional<uint64_t>(atNs_);
    }
    void advanceTo(uint64_t now) override
    {
        if (!done_ && now >= atNs_) {
            b_.port.unplug("COM1");
            done_ = true;
        }
    }

private:
    SimBench& b_;
    uint64_t atNs_;
    bool done_ = false;
};

}  // namespace

TEST(PowerOffAllZones, SwitchesEveryZoneOff)
{
    auto c = unitConfig();
    c.zonesOn = {true, true, true};
    SimBench b(Variant::Editor, c);
    connect(b);
    EXPECT_TRUE(b.link.PowerOffAllZones());
    EXPECT_FALSE(b.unit.zoneOn(1));
    EXPECT_FALSE(b.unit.zoneOn(2));
    EXPECT_FALSE(b.unit.zoneOn(3));
    EXPECT_EQ(b.linesReceived("P1P?"), 1u);
}

TEST(PowerOffAllZones, ZoneThatStaysOnFailsAfterEveryPass)
{
    for (auto [variant, passes] : {std::pair{Variant::Installer, 4u}, std::pair{Variant::Editor, 3u}}) {
        auto c = unitConfig();
        sim::applyFault(c, "zone2-stays-on");
        SimBench b(variant, c);
        connect(b);
        EXPECT_FALSE(b.link.PowerOffAllZones());
        EXPECT_EQ(b.linesReceived("P2P0"), 1u + passes);  // sent again in each pass
        EXPECT_EQ(b.linesReceived("P2P?"), passes);
        EXPECT_EQ(b.linesReceived("P1P0"), 1u);
    }
}

TEST(PowerOffAllZones, EchoingUnitNeverCounts)
{
    auto c = unitConfig();
    c.echo = true;
    SimBench b(Variant::Editor, c);
    connect(b);
    EXPECT_FALSE(b.link.PowerOffAllZones());
}

TEST(PowerOnMainZone, SwitchesZoneOneOn)
{
    auto c = unitConfig();
    c.zonesOn = {false, false, false};
    SimBench b(Variant::Installer, c);
    connect(b);
    EXPECT_TRUE(b.link.PowerOnMainZone());
    EXPECT_TRUE(b.unit.zoneOn(1));
    EXPECT_EQ(b.linesReceived("SST0"), 1u);
    EXPECT_EQ(b.linesReceived("P1S4"), 1u);
}

TEST(PowerOnMainZone, PowersAgainUntilTheZoneReportsOn)
{
    auto c = unitConfig();
    c.zonesOn = {false, false, false};
    c.faults.mainZonePowerOnsIgnored = 3;
    SimBench b(Variant::Installer, c);
    connect(b);
    const double start = b.elapsedMs();
    EXPECT_TRUE(b.link.PowerOnMainZone());
    EXPECT_TRUE(b.unit.zoneOn(1));
    EXPECT_EQ(b.linesReceived("P1P1"), 4u);  // the first and three more after "P1P0"
    EXPECT_EQ(b.linesReceived("P1S4"), 4u);
    EXPECT_GE(b.elapsedMs() - start, 4 * 4000.0);  // each power-on is given its 4 s
}

// The start is moved back once 20 s have passed, so only the cap ends the polling of a zone
// that never comes on.
TEST(PowerOnMainZone, AZoneThatNeverComesOnEndsAtTheCap)
{
    auto c = unitConfig();
    c.zonesOn = {false, false, false};
    c.faults.mainZonePowerOnsIgnored = -1;
    SimBench b(Variant::Installer, c);
    connect(b);
    const double start = b.elapsedMs();
    EXPECT_FALSE(b.link.PowerOnMainZone());
    const double elapsed = b.elapsedMs() - start;
    EXPECT_GE(elapsed, 120'000.0);
    EXPECT_LT(elapsed, 120'000.0 + 2 * 4000.0 + 1000.0);  // one more round at most
    EXPECT_GT(b.linesReceived("P1P1"), 20u);
}

TEST(PowerOnMainZone, SilentUnitEndsWithinItsLimits)
{
    auto c = unitConfig();
    SimBench b(Variant::Installer, c);
    connect(b);
    b.unit.config().faults.silent = true;
    const double start = b.elapsedMs();
    EXPECT_FALSE(b.link.PowerOnMainZone());
    EXPECT_LT(b.elapsedMs() - start, 8 * 3 * 250.0);  // Resynchronise over 8 rates, then gives up
}

TEST(SetUnitClock, SendsDayAndTwentyFourHourTime)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    EXPECT_TRUE(b.link.SetUnitClock());
    EXPECT_EQ(b.unit.dayOfWeek(), 4);  // Wednesday; 1 = Sunday
    EXPECT_EQ(b.unit.clockText(), "14:05");
}

TEST(SetUnitClock, TwelveHourForm)
{
    auto c = unitConfig();
    c.clock24h = false;
    SimBench b(Variant::Installer, c);
    connect(b);
    EXPECT_TRUE(b.link.SetUnitClock());
    EXPECT_EQ(b.unit.clockText(), "02:05PM");
}

TEST(SetUnitClock, NoFormatReplyFails)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    b.unit.config().faults.silent = true;
    EXPECT_FALSE(b.link.SetUnitClock());
    EXPECT_EQ(b.unit.clockText(), "");
}

TEST(SetUnitBaud, MovesUnitAndPortTo115200)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    UnitLinkTestAccess::setBaudIndex(b.link, 7);
    EXPECT_TRUE(b.link.SetUnitBaud());
    EXPECT_EQ(b.unit.lineRate(), 115200u);
    EXPECT_EQ(b.port.hostRate(), 115200u);
    EXPECT_EQ(b.linesReceived("SSB7"), 1u);
}

TEST(SetUnitBaud, SameRateSendsNoCommand)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    EXPECT_TRUE(b.link.SetUnitBaud());
    EXPECT_EQ(SimBench::count(b.unit.transcript(), "SSB"), 0u);
}

TEST(SetUnitBaud, UnitThatIgnoresTheCommandFailsAndClosesThePort)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    b.unit.config().faults.silent = true;
    UnitLinkTestAccess::setBaudIndex(b.link, 7);
    EXPECT_FALSE(b.link.SetUnitBaud());
    EXPECT_FALSE(b.port.isOpen());
}

TEST(DebugMode, InstallerEntersAndLeaves)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    std::string m;
    ASSERT_TRUE(b.link.EnterDebugMode(m));
    EXPECT_EQ(b.unit.level(), sim::Level::DebugMonitor);
    EXPECT_EQ(b.link.mode(), UnitMode::DebugMonitor);
    ASSERT_TRUE(b.link.ExitDebugMode(m));
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.link.mode(), UnitMode::Application);
}

TEST(DebugMode, InstallerEntersFromTheLoader)
{
    auto c = unitConfig();
    c.level = sim::Level::Loader;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.OpenPort(m));
    ASSERT_TRUE(b.link.EnterDebugMode(m));
    EXPECT_EQ(b.unit.level(), sim::Level::DebugMonitor);
}

TEST(DebugMode, EditorEnters)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    std::string m;
    ASSERT_TRUE(b.link.EnterDebugMode(m));
    EXPECT_EQ(b.unit.level(), sim::Level::DebugMonitor);
}

TEST(DebugMode, SilentUnitGivesTheFailureTexts)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    b.unit.config().faults.silent = true;
    std::string m;
    EXPECT_FALSE(b.link.EnterDebugMode(m));
    EXPECT_EQ(m, texts::kFailedEnterDebug);
    EXPECT_FALSE(b.link.ExitDebugMode(m));
    EXPECT_EQ(m, texts::kFailedExitDebug);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(DebugMode, MonitorThatOnlyAnswersInvalidCommandCannotBeLeft)
{
    auto c = unitConfig();
    c.level = sim::Level::DebugMonitor;
    c.faults.monitorInvalid = true;
    SimBench b(Variant::Installer, c);
    std::string m;
    ASSERT_TRUE(b.link.OpenPort(m));
    EXPECT_FALSE(b.link.ExitDebugMode(m));
    EXPECT_EQ(m, texts::kFailedExitDebug);
    EXPECT_EQ(b.linesReceived("dx"), 3u * 4);  // 3 passes, each a CommandAck of 4 attempts
}

TEST(DebugMode, EditorSilentFails)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    b.unit.config().faults.silent = true;
    std::string m;
    EXPECT_FALSE(b.link.EnterDebugMode(m));
    EXPECT_EQ(m, texts::kFailedEnterDebug);
}

TEST(ReadFirmwareVersion, Qrx30)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    ModelKind kind = ModelKind::Qrx20;
    b.link.ReadFirmwareVersion(kind);
    EXPECT_EQ(kind, ModelKind::Qrx30);
    EXPECT_NEAR(b.link.firmwareVersion(), 2.20, 1e-6);
    EXPECT_EQ(UnitLink::firmwareVersionText(kind, b.link.firmwareVersion(), b.link.firmwareSuffix()),
              "QRX30 Firmware Version: 2.20");
}

TEST(ReadFirmwareVersion, CorvalentD1WithSuffix)
{
    auto c = unitConfig("Corvalent D1");
    c.version = "1.05a";
    SimBench b(Variant::Editor, c);
    connect(b);
    ModelKind kind = ModelKind::Undetected;
    b.link.ReadFirmwareVersion(kind);
    EXPECT_EQ(kind, ModelKind::CorvalentD1);
    EXPECT_NEAR(b.link.firmwareVersion(), 1.05, 1e-6);
    EXPECT_EQ(b.link.firmwareSuffix(), 'a');
    EXPECT_EQ(UnitLink::firmwareVersionText(kind, b.link.firmwareVersion(), b.link.firmwareSuffix()),
              "D1 Firmware Version: 1.05a");
}

TEST(ReadFirmwareVersion, Qrx20AndUnknown)
{
    SimBench b(Variant::Editor, unitConfig("QRX 20"));
    connect(b);
    ModelKind kind = ModelKind::Undetected;
    b.link.ReadFirmwareVersion(kind);
    EXPECT_EQ(kind, ModelKind::Qrx20);

    b.unit.config().identificationReply = "QRX 2 Version 1.00\r\n";
    b.link.ReadFirmwareVersion(kind);
    EXPECT_EQ(kind, ModelKind::Undetected);
    EXPECT_EQ(b.link.firmwareVersion(), 0.0);
}

TEST(ReadFirmwareVersion, SecondFormDoesNotClearTheKind)
{
    SimBench b(Variant::Editor, unitConfig());
    connect(b);
    b.link.ReadFirmwareVersion(*std::make_unique<ModelKind>(ModelKind::Undetected));
    b.unit.config().faults.silent = true;
    ModelKind kind = ModelKind::CorvalentD1;
    EXPECT_EQ(b.link.ReadFirmwareVersionNumber(kind), 0.0);
    EXPECT_EQ(kind, ModelKind::CorvalentD1);
    b.unit.config().faults.silent = false;
    EXPECT_NEAR(b.link.ReadFirmwareVersionNumber(kind), 2.20, 1e-6);
    EXPECT_EQ(kind, ModelKind::Qrx30);
}

TEST(VanishingPort, MidExchangeEndsWithoutHangOrCrash)
{
    SimBench b(Variant::Installer, unitConfig());
    connect(b);
    b.unit.config().faults.silent = true;
    Unplugger unplug(b, 50);  // during the first zone query
    const double start = b.elapsedMs();
    EXPECT_FALSE(b.link.PowerOffAllZones());
    EXPECT_FALSE(b.port.isOpen());
    std::string m;
    EXPECT_FALSE(b.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kNoUnitInstaller);
    EXPECT_LT(b.elapsedMs() - start, 8 * 8 * 3 * 580.0);
}
