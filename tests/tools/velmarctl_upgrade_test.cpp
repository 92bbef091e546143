// The upgrade in real time through unit_simulator on a pseudo-terminal: the full update, then
// the same unit found up to date; and the installer's steps one by one (flash, verify, eeprom).
// Slow by nature (every byte crosses the simulated cable).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "installer/firmware/firmware_images.h"
#include "run_tool.h"
#include "scratch_dir.h"
#include "simulator_process.h"
#include "unitlink/status_texts.h"
#include "unitlink/texts.h"
#include "upgrade/upgrade_texts.h"

namespace velmar {
namespace {

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(VelmarctlUpgrade, FullUpdateThenUpToDate)
{
    test::ScratchDir dir;
    const auto flash = dir.file("flash.bin"), eeprom = dir.file("eeprom.bin"), data = dir.file("data.bin");
    const std::vector<std::string> unit{"--model", "QRX 30", "--version", "0.90", "--reply-delay-ms", "0",
                                        "--flash", flash,    "--eeprom",  eeprom, "--data-eeprom",    data};
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

TEST(VelmarctlUpgrade, FlashTheMainImageThenVerifyIt)
{
    test::ScratchDir dir;
    const auto flash = dir.file("flash.bin");
    {
        test::SimulatorProcess sim({"--model", "QRX 30", "--reply-delay-ms", "0", "--flash", flash});
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto run = test::runTool("flash main --ports " + sim.link());
        EXPECT_EQ(run.status, 0) << run.out;
        const auto verify = test::runTool("verify --ports " + sim.link());
        EXPECT_EQ(verify.status, 0) << verify.out;
        EXPECT_TRUE(holds(verify.out, status::kVerifyingFlash)) << verify.out;
        EXPECT_TRUE(holds(verify.out, unitlink::texts::kVerifiedOk)) << verify.out;
    }
    const auto bytes = test::readBytes(flash);
    const auto main = firmware::mainImage();
    ASSERT_EQ(bytes.size(), main.size());
    EXPECT_TRUE(std::equal(main.begin(), main.end(), bytes.begin()));
}

TEST(VelmarctlUpgrade, EepromWritesTheCarriedSectionsAndTheDirectory)
{
    test::ScratchDir dir;
    const auto data = dir.file("data.bin");
    {
        test::SimulatorProcess sim({"--model", "QRX 30", "--reply-delay-ms", "0", "--data-eeprom", data});
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto run = test::runTool("eeprom --ports " + sim.link());
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(holds(run.out, status::kProgrammingEeprom)) << run.out;
        EXPECT_TRUE(holds(run.out, unitlink::texts::kEepromDone)) << run.out;
    }
    const auto bytes = test::readBytes(data);
    ASSERT_EQ(bytes.size(), unitlink::kDataBlocks * unitlink::kDataBlockBytes);
    const auto section1 = firmware::dataEepromSections(0).section1;
    EXPECT_TRUE(std::equal(section1.begin(), section1.end(), bytes.begin()));
    const auto directory = bytes.begin() +
                           static_cast<std::ptrdiff_t>(unitlink::kDirectoryBlock * unitlink::kDataBlockBytes);
    EXPECT_EQ(std::string(directory + 112, directory + 115), "AX6");
}

TEST(VelmarctlUpgrade, NoUnitExitsNonZeroWithTheWarning)
{
    test::ScratchDir dir;
    const auto run = test::runTool("upgrade --ports " + dir.file("no-such-tty"));
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(holds(run.out, "Warning : Unable to locate Velmar hardware on any serial port")) << run.out;
}

}  // namespace
}  // namespace velmar
