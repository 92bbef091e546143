// velmarctl backup and restore against unit_simulator on a pseudo-terminal, end to end, with
// the unit's settings EEPROM kept in a file by the simulator.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "simulator_process.h"
#include "unitlink/settings_file.h"

#ifdef VELMARCTL_PATH

using namespace velmar;
using velmar::test::SimulatorProcess;

namespace {

struct CommandResult {
    std::string out;
    int status;
};

CommandResult run(const std::string& command)
{
    CommandResult r{{}, -1};
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), p))
        r.out += buf.data();
    r.status = ::pclose(p);
    return r;
}

bool succeeded(const CommandResult& r)
{
    return WIFEXITED(r.status) && WEXITSTATUS(r.status) == 0;
}

class ScratchDir {
public:
    ScratchDir() : path_(std::filesystem::temp_directory_path() / ("velmar-transfer-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::vector<uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint8_t unitByte(size_t a)
{
    return static_cast<uint8_t>(a * 5 + 1);
}

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
    const CommandResult saved = run(std::string(VELMARCTL_PATH) + " backup " + backup + ports + " 2>&1");
    ASSERT_TRUE(succeeded(saved)) << saved.out;
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
    const CommandResult restored = run(std::string(VELMARCTL_PATH) + " restore " + changed + ports + " 2>&1");
    ASSERT_TRUE(succeeded(restored)) << restored.out;
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
    const std::string command = std::string(VELMARCTL_PATH) + " backup " + dir.file("cut.q20") + " --ports " + sim.link() + " 2>&1";
    FILE* p = ::popen(command.c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    std::array<char, 512> buf{};
    // Cut the line once the retrieval has begun.
    while (std::fgets(buf.data(), buf.size(), p)) {
        out += buf.data();
        if (out.find("Retrieving Settings") != std::string::npos)
            break;
    }
    ::usleep(2'500'000);
    sim.stop(SIGKILL);
    const auto start = std::chrono::steady_clock::now();
    while (std::fgets(buf.data(), buf.size(), p))
        out += buf.data();
    const int status = ::pclose(p);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    EXPECT_FALSE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << out;
    EXPECT_NE(out.find("FAILED.") == std::string::npos ? out.find("not responding") : out.find("FAILED."),
              std::string::npos)
        << out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("cut.q20")));
}

#endif
