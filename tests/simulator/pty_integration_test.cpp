// End to end through the real PosixSerialPort and the unit_simulator program on a
// pseudo-terminal, in real time. Limits are generous (loaded 2-core machines); nothing asserts
// tight timing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <thread>

#include "platform/clock.h"
#include "platform/posix_serial_port.h"
#include "run_tool.h"
#include "simulator_process.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"
#include "unit_link_test_access.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::SimulatorProcess;

namespace {

struct RealLink {
    RealLink(const std::string& path, Variant variant)
        : port(platform::PortNames({path}), [](const std::string&) {}), link(variant, port, clock)
    {
    }
    platform::PosixSerialPort port;
    platform::RealClock clock;
    UnitLink link;
};

double secondsSince(int64_t startNs) { return static_cast<double>(platform::monotonicNs() - startNs) / 1e9; }

}  // namespace

TEST(PtyIntegration, EditorDetectsTheUnit)
{
    SimulatorProcess sim({"--model", "QRX 30"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    RealLink r(sim.link(), Variant::Editor);
    std::string m;
    const int64_t start = platform::monotonicNs();
    ASSERT_TRUE(r.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundQrx30);
    EXPECT_EQ(r.link.mode(), UnitMode::Application);
    EXPECT_EQ(r.link.baudIndex(), 0);
    EXPECT_LT(secondsSince(start), 20.0);
}

TEST(PtyIntegration, PowerOffAndSetTheClock)
{
    SimulatorProcess sim({"--model", "Corvalent D1"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    RealLink r(sim.link(), Variant::Editor);
    std::string m;
    ASSERT_TRUE(r.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kFoundCorvalentD1);
    ASSERT_TRUE(r.link.OpenPort(m));
    EXPECT_TRUE(r.link.PowerOffAllZones());
    EXPECT_TRUE(r.link.SetUnitClock());
    ModelKind kind = ModelKind::Undetected;
    r.link.ReadFirmwareVersion(kind);
    EXPECT_EQ(kind, ModelKind::CorvalentD1);
    r.link.ClosePort();
}

TEST(PtyIntegration, ZoneThatStaysOnFails)
{
    SimulatorProcess sim({"--fault", "zone3-stays-on"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    RealLink r(sim.link(), Variant::Installer);
    std::string m;
    ASSERT_TRUE(r.link.DetectUnit(m));
    ASSERT_TRUE(r.link.OpenPort(m));
    EXPECT_FALSE(r.link.PowerOffAllZones());
}

TEST(PtyIntegration, HonoursTheRateTheHostSets)
{
    SimulatorProcess sim({"--rate", "38400"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    RealLink r(sim.link(), Variant::Installer);
    UnitLinkTestAccess::setBaudIndex(r.link, 5);  // 38400
    std::string m;
    ASSERT_TRUE(r.link.OpenPort(m));
    EXPECT_TRUE(r.link.Identify(m));
    UnitLinkTestAccess::setBaudIndex(r.link, 0);  // 19200: the unit hears nothing
    EXPECT_FALSE(r.link.Identify(m));
}

TEST(PtyIntegration, SetUnitBaudMovesBothEnds)
{
    SimulatorProcess sim({});
    ASSERT_TRUE(sim.started()) << sim.banner();
    RealLink r(sim.link(), Variant::Installer);
    std::string m;
    ASSERT_TRUE(r.link.OpenPort(m));
    UnitLinkTestAccess::setBaudIndex(r.link, 7);
    EXPECT_TRUE(r.link.SetUnitBaud());
    EXPECT_TRUE(r.link.Identify(m));  // now at 115200
}

TEST(PtyIntegration, SimulatorKilledMidExchangeEndsTheOperation)
{
    auto sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--fault", "silent"});
    ASSERT_TRUE(sim->started()) << sim->banner();
    RealLink r(sim->link(), Variant::Installer);
    std::string m;
    ASSERT_TRUE(r.link.OpenPort(m));
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sim->stop(SIGKILL);
    });
    std::string reply;
    const int64_t start = platform::monotonicNs();
    EXPECT_FALSE(r.link.QueryLine("?\n", 2000, 64, reply));  // 4 x 2 s if the port stayed
    killer.join();
    EXPECT_LT(secondsSince(start), 6.0);
    EXPECT_FALSE(r.port.isOpen());
    EXPECT_FALSE(r.link.DetectUnit(m));
    EXPECT_EQ(m, texts::kNoUnitInstaller);
    EXPECT_LT(secondsSince(start), 10.0);
}

TEST(PtyIntegration, SigtermEndsTheSimulatorAndRemovesTheLink)
{
    SimulatorProcess sim({"--level", "loader", "--model", "QRX 20"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    EXPECT_NE(sim.banner().find("listening on /dev/pts/"), std::string::npos) << sim.banner();
    EXPECT_TRUE(std::filesystem::is_symlink(sim.link()));
    const int status = sim.stop(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(sim.link())));
}

#ifdef VELMARCTL_PATH
using velmar::test::runTool;

TEST(PtyIntegration, VelmarctlDetectPrintsTheFoundTextPortRateModeAndVersion)
{
    SimulatorProcess sim({"--model", "QRX 30", "--version", "2.20"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    const auto r = runTool("detect --ports " + sim.link(), test::ErrorOutput::Captured);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("QRX 30 found\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("port: COM1 (" + sim.link() + ")"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("rate: 19200 bit/s"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("mode: Application"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("QRX30 Firmware Version: 2.20"), std::string::npos) << r.out;
}

TEST(PtyIntegration, VelmarctlDetectTraceAndInstallerMode)
{
    SimulatorProcess sim({"--model", "QRX 40"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    const auto r = runTool("detect --installer --trace --ports " + sim.link());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("model: QRX_40"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(">  3F 0A"), std::string::npos) << r.out;                 // the probe, in hex
    EXPECT_NE(r.out.find("QRX 40 v2.20"), std::string::npos) << r.out;             // the reply, in ASCII
    EXPECT_NE(r.out.find("ms] -- DetectUnit begin"), std::string::npos) << r.out;  // the operation
}

TEST(PtyIntegration, VelmarctlDetectWithoutAUnitFails)
{
    const auto r = runTool("detect --installer --ports /nonexistent/ttyX,/nonexistent/ttyY",
                           test::ErrorOutput::Inherited);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, std::string(texts::kNoUnitInstaller) + "\n");
}
#endif
