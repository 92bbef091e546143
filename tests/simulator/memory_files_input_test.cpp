// unit_simulator's memory files, named wrongly as a user might: each is refused at start with the
// file and the reason, without hanging on it, reading it without end or aborting.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "child_process.h"
#include "scratch_dir.h"

namespace velmar::sim {
namespace {

// Under a time and a memory limit: a read that blocks or grows without end fails the test.
test::ProcessResult runSimulator(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), UNIT_SIMULATOR_PATH);
    test::Command command(std::move(arguments), test::ErrorOutput::IntoOut);
    if (test::kOurProgramsTakeMemoryLimits)
        command.memoryLimit = std::size_t{256} << 20;
    command.timeLimit = std::chrono::seconds(20);
    return test::runProcess(std::move(command));
}

TEST(SimulatorMemoryFiles, DevicesFifosDirectoriesAndOversizedFilesAreRefusedAtStart)
{
    test::ScratchDir dir;
    const auto fifo = dir.file("fifo.bin"), large = dir.file("large.bin");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    test::writeFile(large, "");
    std::filesystem::resize_file(large, 512u << 20);

    const struct {
        std::string option, file, reason;
    } cases[] = {
        {"--eeprom", "/dev/zero", "not a regular file"},
        {"--flash", dir.path().string(), std::strerror(EISDIR)},
        {"--data-eeprom", fifo, "not a regular file"},
        {"--data-eeprom", large, "larger than 131072 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option + " " + c.file);
        const auto run = runSimulator({c.option, c.file, "--link", dir.file("tty")});
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.out.find("cannot read " + c.file + ": " + c.reason), std::string::npos) << run.out;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "a refused file is left as it was";
}

}  // namespace
}  // namespace velmar::sim
