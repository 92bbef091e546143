// velmarctl backup and restore against unit_simulator on a pseudo-terminal, end to end, with
// the unit's settings EEPROM kept in a file by the simulator.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "run_tool.h"
#include "scratch_dir.h"
#include "simulator_process.h"
#include "unitlink/settings_file.h"

#ifdef VELMARCTL_PATH

using namespace velmar;
using velmar::test::ChildProcess;
using velmar::test::readBytes;
using velmar::test::runTool;
using velmar::test::ScratchDir;
using velmar::test::SimulatorProcess;

namespace {

uint8_t unitByte(size_t a) { return static_cast<uint8_t>(a * 5 + 1); }

}  // namespace

TEST(PtyTransfer, BackupThenRestoreOfAChangedFileReachesTheUnitsEeprom)
{
    ScratchDir dir;
    const std::string eeprom = dir.file("eeprom.bin");
    {
        std::vector<uint8_t> bytes(4096);
        for (size_t a = 0; a < bytes.size(); ++a)
            bytes[a] = unitByte(a);
        std::ofstream(eeprom, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), 4096);
    }
    // Firmware 2.00: below 2.1 the file goes into the unit unconverted, byte for byte.
    auto sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{
        "--model", "QRX 30", "--version", "2.00", "--eeprom", eeprom, "--reply-delay-ms", "0"});
    ASSERT_TRUE(sim->started()) << sim->banner();
    const std::string ports = " --ports " + sim->link();

    const std::string backup = dir.file("unit.q20");
    const auto saved = runTool("backup " + backup + ports);
    ASSERT_EQ(saved.status, 0) << saved.out;
    EXPECT_NE(saved.out.find("Unit Settings Retrieval OK.\n"), std::string::npos) << saved.out;
    EXPECT_NE(saved.out.find("Unit Settings Saved OK.\n"), std::string::npos) << saved.out;
    Image image{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(backup, image, message)) << message;
    for (size_t a = 16; a < 3584; ++a) {
        if (a < 64 || a >= 96) {
            ASSERT_EQ(image[a], unitByte(a)) << a;
        }
    }

    for (size_t a = 16; a < 3584; ++a)
        image[a] = static_cast<uint8_t>(image[a] ^ 0x5A);
    const std::string changed = dir.file("changed.q20");
    ASSERT_TRUE(writeSettingsFile(changed, image, message)) << message;
    const auto restored = runTool("restore " + changed + ports);
    ASSERT_EQ(restored.status, 0) << restored.out;
    EXPECT_NE(restored.out.find("Unit Settings Programmed OK.\n"), std::string::npos) << restored.out;

    sim.reset();  // SIGTERM: the simulator saves its EEPROM
    const std::vector<uint8_t> unit = readBytes(eeprom);
    ASSERT_EQ(unit.size(), 4096u);
    for (size_t a = 0; a < 4096; ++a) {
        const bool written = a >= 16 && a < 3584 && !(a >= 64 && a <= 95);
        ASSERT_EQ(unit[a], written ? static_cast<uint8_t>(unitByte(a) ^ 0x5A) : unitByte(a)) << a;
    }
}

TEST(PtyTransfer, AUnitThatVanishesMidTransferEndsTheRunWithTheFailureText)
{
    ScratchDir dir;
    SimulatorProcess sim({"--model", "QRX 30", "--reply-delay-ms", "0"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    ChildProcess tool(test::Command({VELMARCTL_PATH, "backup", dir.file("cut.q20"), "--ports", sim.link()},
                                    test::ErrorOutput::IntoOut));
    ASSERT_TRUE(tool.started());
    // Cut the line once the retrieval has begun.
    tool.waitForOutput("Retrieving Settings", std::chrono::seconds(90));
    ::usleep(2'500'000);
    sim.stop(SIGKILL);
    const auto start = std::chrono::steady_clock::now();
    const auto result = tool.finish();
    const std::string& out = result.out;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    EXPECT_NE(result.status, 0) << out;
    EXPECT_NE(out.find("FAILED.") == std::string::npos ? out.find("not responding") : out.find("FAILED."),
              std::string::npos)
        << out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("cut.q20")));
}

#endif
