// Ctrl+C during velmarctl restore and upgrade, against unit_simulator on a pseudo-terminal, in
// real time: the signal goes to velmarctl alone, as the terminal would send it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "run_tool.h"
#include "simulator_process.h"
#include "unitlink/settings_file.h"
#include "upgrade/upgrade_texts.h"

namespace velmar {
namespace {

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// velmarctl as a child with its stdout and stderr on one pipe, so a test can wait for a line
// and then signal it.
class ToolProcess {
public:
    explicit ToolProcess(const std::vector<std::string>& arguments) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::dup2(out[1], 2);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<std::string> args{VELMARCTL_PATH};
            args.insert(args.end(), arguments.begin(), arguments.end());
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        fd_ = out[0];
    }
    ~ToolProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) ::close(fd_);
    }

    // Reads until the output holds `text` or the child closes it; true when it does.
    bool waitFor(std::string_view text, int limitSeconds = 120) {
        for (int waited = 0; !holds(output_, text) && waited < limitSeconds * 10; ++waited)
            if (!readSome(100)) break;
        return holds(output_, text);
    }
    void interrupt() const { ::kill(pid_, SIGINT); }
    // Reads to the end and reaps the child; its exit status, or -1 when a signal ended it.
    int finish() {
        while (readSome(-1)) {
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& output() const { return output_; }

private:
    bool readSome(int limitMs) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, limitMs) <= 0) return limitMs >= 0;
        char buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0) return false;
        output_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string output_;
};

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Addresses a restore writes: the two ranges a settings file carries.
bool written(std::size_t address) { return (address >= 16 && address < 64) || (address >= 96 && address < 3584); }

// Ctrl+C part-way through programming: the byte under way is finished, the unit is let out of
// its loader, the user is told how to complete, and a second restore does.
TEST(VelmarctlInterrupt, RestoreStopsBetweenBytesLeavesTheUnitRunningAndARerunCompletes) {
    test::ScratchDir dir;
    const auto file = dir.file("patterned.q20"), eeprom = dir.file("eeprom.bin");
    Image image{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
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
        ToolProcess restore({"restore", file, "--ports", sim.link()});
        ASSERT_TRUE(restore.waitFor("Programming/Verifying Settings")) << restore.output();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        restore.interrupt();
        EXPECT_EQ(restore.finish(), 130) << restore.output();
        EXPECT_TRUE(holds(restore.output(), "partly programmed")) << restore.output();
        EXPECT_TRUE(holds(restore.output(), "restore again")) << restore.output();

        const auto detect = test::runTool("detect --ports " + sim.link());
        EXPECT_TRUE(holds(detect.out, "mode: Application")) << "the unit left its loader\n" << detect.out;
    }
    const std::string partly = contents(eeprom);
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
    const std::string complete = contents(eeprom);
    for (std::size_t a = 0; a < kImageSize; ++a)
        if (written(a)) {
            ASSERT_EQ(static_cast<std::uint8_t>(complete[a]), image[a]) << "address " << a;
        }
}

// Ctrl+C while the loader is flashed: "Aborting..." and the reason come at once, before the
// flash step ends, and the run stops at the procedure's next abort point.
TEST(VelmarctlInterrupt, UpgradeSaysAbortingAtOnceAndStopsAfterTheStepUnderWay) {
    test::ScratchDir dir;
    test::SimulatorProcess sim({"--model", "QRX 30", "--version", "0.90", "--reply-delay-ms", "0", "--flash",
                                dir.file("flash.bin"), "--eeprom", dir.file("eeprom.bin")});
    ASSERT_TRUE(sim.started()) << sim.banner();
    ToolProcess upgrade({"upgrade", "--ports", sim.link()});
    ASSERT_TRUE(upgrade.waitFor(installer::texts::kProgrammingLoader)) << upgrade.output();
    upgrade.interrupt();
    ASSERT_TRUE(upgrade.waitFor(installer::texts::kAborting)) << upgrade.output();
    EXPECT_FALSE(holds(upgrade.output(), installer::texts::gettingSettings()))
        << "said while the flash step was still under way\n" << upgrade.output();
    EXPECT_EQ(upgrade.finish(), 130) << upgrade.output();
    const auto& out = upgrade.output();
    EXPECT_TRUE(holds(out, "never cut short")) << out;
    const auto aborting = out.find(installer::texts::kAborting);
    const auto aborted = out.find(installer::texts::kAbortedByUser);
    ASSERT_NE(aborted, std::string::npos) << out;
    EXPECT_LT(aborting, aborted);
    EXPECT_EQ(out.find(installer::texts::kAborting, aborting + 1), std::string::npos) << "said once";
}

}  // namespace
}  // namespace velmar
