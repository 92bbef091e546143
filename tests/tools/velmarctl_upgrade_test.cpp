// The upgrade in real time through unit_simulator on a pseudo-terminal: the full update, then
// the same unit found up to date. Slow by nature (every byte crosses the simulated cable).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "run_tool.h"
#include "scratch_dir.h"
#include "simulator_process.h"
#include "upgrade/upgrade_texts.h"

namespace velmar {
namespace {

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(VelmarctlUpgrade, FullUpdateThenUpToDate) {
    test::ScratchDir dir;
    const auto flash = dir.file("flash.bin"), eeprom = dir.file("eeprom.bin"), data = dir.file("data.bin");
    const std::vector<std::string> unit{"--model", "QRX 30", "--version", "0.90", "--reply-delay-ms", "0",
                                        "--flash", flash, "--eeprom", eeprom, "--data-eeprom", data};
    {
        test::SimulatorProcess sim(unit);
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto run = test::runTool("upgrade --ports " + sim.link());
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(holds(run.out, installer::texts::requiresUpdate())) << run.out;
        EXPECT_TRUE(holds(run.out, installer::texts::updateComplete())) << run.out;
    }
    ASSERT_TRUE(std::filesystem::exists(flash)) << "the simulator keeps what was flashed";
    {
        // The unit now starts the new firmware, which reports its own version.
        auto again = unit;
        again[3] = "1.00";
        test::SimulatorProcess sim(again);
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto run = test::runTool("upgrade --ports " + sim.link());
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_FALSE(holds(run.out, installer::texts::requiresUpdate())) << run.out;
        EXPECT_TRUE(holds(run.out, installer::texts::upToDate())) << run.out;
    }
}

TEST(VelmarctlUpgrade, NoUnitExitsNonZeroWithTheWarning) {
    test::ScratchDir dir;
    const auto run = test::runTool("upgrade --ports " + dir.file("no-such-tty"));
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(holds(run.out, "Warning : Unable to locate Velmar hardware on any serial port")) << run.out;
}

}  // namespace
}  // namespace velmar
