// Ctrl+C during velmarctl backup, restore and upgrade, against unit_simulator on a
// pseudo-terminal, in real time: the signal goes to velmarctl alone, as the terminal would send
// it. And a backup whose file cannot be written, which never reaches the unit.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "run_tool.h"
#include "scratch_dir.h"
#include "simulator_process.h"
#include "unitlink/settings_file.h"
#include "unitlink/status_texts.h"
#include "upgrade/upgrade_texts.h"

namespace velmar {
namespace {

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Long enough for a loaded machine to reach the step a test waits for.
constexpr auto kStepLimit = std::chrono::seconds(120);

// Addresses a restore writes: the two ranges a settings file carries.
bool written(std::size_t address) { return (address >= 16 && address < 64) || (address >= 96 && address < 3584); }

// Ctrl+C part-way through programming: the byte under way is finished, the unit is let out of
// its loader, the user is told how to complete, and a second restore does.
TEST(VelmarctlInterrupt, RestoreStopsBetweenBytesLeavesTheUnitRunningAndARerunCompletes)
{
    test::ScratchDir dir;
    const auto file = dir.file("patterned.q20"), eeprom = dir.file("eeprom.bin");
    Image image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::string message;
    ASSERT_TRUE(writeSettingsFile(file, image, message)) << message;
    std::ofstream(eeprom, std::ios::binary) << std::string(kImageSize, '\0');
    // Firmware 2.00 takes the file as it is; a slow EEPROM leaves time to interrupt mid-way.
    const std::vector<std::string> unit{"--version", "2.00", "--reply-delay-ms", "0", "--eeprom", eeprom};
    {
        auto slow = unit;
        slow.insert(slow.end(), {"--eeprom-write-us", "3000"});
        test::SimulatorProcess sim(slow);
        ASSERT_TRUE(sim.started()) << sim.banner();
        test::ChildProcess restore(test::toolCommand("restore " + file + " --ports " + sim.link()));
        ASSERT_TRUE(restore.waitForOutput("Programming/Verifying Settings", kStepLimit)) << restore.out();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        restore.signal(SIGINT);
        const auto stopped = restore.finish();
        EXPECT_EQ(stopped.status, 130) << stopped.out;
        EXPECT_TRUE(holds(stopped.out, "partly programmed")) << stopped.out;
        EXPECT_TRUE(holds(stopped.out, "restore again")) << stopped.out;

        const auto detect = test::runTool("detect --ports " + sim.link());
        EXPECT_TRUE(holds(detect.out, "mode: Application")) << "the unit left its loader\n" << detect.out;
    }
    const std::string partly = test::readFile(eeprom);
    ASSERT_EQ(partly.size(), kImageSize);
    EXPECT_EQ(static_cast<std::uint8_t>(partly[16]), image[16]) << "programming had begun";
    EXPECT_NE(static_cast<std::uint8_t>(partly[3583]), image[3583]) << "and was stopped before the end";
    // The new bytes form one run from the start: each byte was written whole or not at all.
    std::size_t address = 16;
    while (address < 3584 && (!written(address) || static_cast<std::uint8_t>(partly[address]) == image[address]))
        ++address;
    for (; address < 3584; ++address)
        if (written(address)) {
            EXPECT_EQ(partly[address], '\0') << "address " << address;
        }

    {
        test::SimulatorProcess sim(unit);
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto again = test::runTool("restore " + file + " --ports " + sim.link());
        EXPECT_EQ(again.status, 0) << again.out;
    }
    const std::string complete = test::readFile(eeprom);
    for (std::size_t a = 0; a < kImageSize; ++a)
        if (written(a)) {
            ASSERT_EQ(static_cast<std::uint8_t>(complete[a]), image[a]) << "address " << a;
        }
}

// Ctrl+C part-way through a backup: the unit is let out of its loader, and the earlier file
// at the target is kept byte for byte, with nothing beside it.
TEST(VelmarctlInterrupt, BackupStopsWritingNoFileAndLeavesTheUnitRunning)
{
    test::ScratchDir dir;
    const auto file = dir.file("earlier.q20");
    test::writeFile(file, "earlier contents\r\n");
    // Slow replies stretch the retrieval to half a minute, so that it is well under way.
    test::SimulatorProcess sim({"--reply-delay-ms", "4"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    test::ChildProcess backup(test::toolCommand("backup " + file + " --ports " + sim.link()));
    ASSERT_TRUE(backup.waitForOutput(status::kRetrievingSettings, kStepLimit)) << backup.out();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    backup.signal(SIGINT);
    const auto stopped = backup.finish();
    EXPECT_EQ(stopped.status, 130) << stopped.out;
    EXPECT_TRUE(holds(stopped.out, "no settings file was written")) << stopped.out;
    EXPECT_FALSE(holds(stopped.out, kSettingsSavedText)) << stopped.out;
    EXPECT_EQ(test::readFile(file), "earlier contents\r\n");
    EXPECT_EQ(dir.entries(), 1u);

    const auto detect = test::runTool("detect --ports " + sim.link());
    EXPECT_TRUE(holds(detect.out, "mode: Application")) << "the unit left its loader\n" << detect.out;
}

// A target the save would refuse is refused first, in the save's words: with --trace any byte
// exchanged with the unit would show.
TEST(VelmarctlInterrupt, BackupToAPlaceThatCannotBeWrittenNeverReachesTheUnit)
{
    test::ScratchDir dir;
    const auto fifo = dir.file("fifo.q20"), folder = dir.file("folder.q20"), missing = dir.file("no/such.q20");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    test::SimulatorProcess sim({"--reply-delay-ms", "0"});
    ASSERT_TRUE(sim.started()) << sim.banner();
    for (const auto& [target, reason] :
         {std::pair{fifo, std::string("not a regular file")}, std::pair{folder, std::string(std::strerror(EISDIR))},
          std::pair{missing, std::string(std::strerror(ENOENT))}}) {
        SCOPED_TRACE(target);
        const auto refused = test::runTool("backup " + target + " --trace --ports " + sim.link());
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, fileMessage(kSettingsFileOpenErrorText, target, reason) + "\n");
    }
    EXPECT_EQ(dir.entries(), 2u);
    struct stat st {};
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// Ctrl+C while the loader is flashed: "Aborting..." and the reason come at once, before the
// flash step ends, and the run stops at the procedure's next abort point.
TEST(VelmarctlInterrupt, UpgradeSaysAbortingAtOnceAndStopsAfterTheStepUnderWay)
{
    test::ScratchDir dir;
    test::SimulatorProcess sim({"--model", "QRX 30", "--version", "0.90", "--reply-delay-ms", "0", "--flash",
                                dir.file("flash.bin"), "--eeprom", dir.file("eeprom.bin")});
    ASSERT_TRUE(sim.started()) << sim.banner();
    test::ChildProcess upgrade(test::toolCommand("upgrade --ports " + sim.link()));
    ASSERT_TRUE(upgrade.waitForOutput(std::string(installer::texts::kProgrammingLoader), kStepLimit)) << upgrade.out();
    upgrade.signal(SIGINT);
    ASSERT_TRUE(upgrade.waitForOutput(installer::texts::kAborting, kStepLimit)) << upgrade.out();
    EXPECT_FALSE(holds(upgrade.out(), installer::texts::gettingSettings()))
        << "said while the flash step was still under way\n"
        << upgrade.out();
    const auto stopped = upgrade.finish();
    EXPECT_EQ(stopped.status, 130) << stopped.out;
    const auto& out = stopped.out;
    EXPECT_TRUE(holds(out, "never cut short")) << out;
    const auto aborting = out.find(installer::texts::kAborting);
    const auto aborted = out.find(installer::texts::kAbortedByUser);
    ASSERT_NE(aborted, std::string::npos) << out;
    EXPECT_LT(aborting, aborted);
    EXPECT_EQ(out.find(installer::texts::kAborting, aborting + 1), std::string::npos) << "said once";
}

}  // namespace
}  // namespace velmar
