// unit_simulator's memory files, named wrongly as a user might: each is refused at start with the
// file and the reason, without hanging on it, reading it without end or aborting.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace velmar::sim {
namespace {

struct Run {
    int status = -1;
    std::string out;
};

// Under timeout(1) and a memory limit: a read that blocks or grows without end fails the test.
Run runSimulator(const std::string& arguments) {
    Run result;
    const std::string command =
        "ulimit -v 262144; timeout 20 " + std::string(UNIT_SIMULATOR_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

TEST(SimulatorMemoryFiles, DevicesFifosDirectoriesAndOversizedFilesAreRefusedAtStart) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmar-mem-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path dir = pattern;
    const auto fifo = (dir / "fifo.bin").string(), large = (dir / "large.bin").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    { std::FILE* f = std::fopen(large.c_str(), "w"); std::fclose(f); }
    std::filesystem::resize_file(large, 512u << 20);
    const std::string link = " --link " + (dir / "tty").string();

    const struct {
        std::string option, file, reason;
    } cases[] = {
        {"--eeprom", "/dev/zero", "not a regular file"},
        {"--flash", dir.string(), std::strerror(EISDIR)},
        {"--data-eeprom", fifo, "not a regular file"},
        {"--data-eeprom", large, "larger than 131072 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option + " " + c.file);
        const auto run = runSimulator(c.option + " " + c.file + link);
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.out.find("cannot read " + c.file + ": " + c.reason), std::string::npos) << run.out;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "a refused file is left as it was";
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velmar::sim
