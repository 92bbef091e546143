// The runner every process test stands on: if it loses output, mixes streams up or waits
// forever, those tests fail for the wrong reason or not at all.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>

#include "child_process.h"
#include "scratch_dir.h"

namespace velmar::test {
namespace {

ProcessResult shell(const std::string& script, ErrorOutput errors = ErrorOutput::Captured)
{
    return runProcess(Command({"sh", "-c", script}, errors));
}

TEST(ChildProcess, KeepsStreamsApartOrInOrderAndReportsTheExitCode)
{
    const auto apart = shell("echo out; echo err >&2; exit 3");
    EXPECT_EQ(apart.status, 3);
    EXPECT_EQ(apart.out, "out\n");
    EXPECT_EQ(apart.err, "err\n");

    const auto merged = shell("echo one; echo two >&2; echo three", ErrorOutput::IntoOut);
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(merged.out, "one\ntwo\nthree\n");
    EXPECT_EQ(merged.err, "");
}

TEST(ChildProcess, PassesInputAndEnvironmentAndReadsMoreThanAPipeHolds)
{
    Command cat({"sh", "-c", "cat; printf '%s' \"$VELMAR_PROBE\" >&2"});
    cat.input = std::string(300'000, 'x');  // more than a pipe buffer in both directions
    cat.env = {{"VELMAR_PROBE", "set"}};
    const auto r = runProcess(cat);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.size(), 300'000u);
    EXPECT_EQ(r.err, "set");
}

TEST(ChildProcess, MissingProgramEndsWith127) { EXPECT_EQ(runProcess(Command({"/nonexistent/program"})).status, 127); }

TEST(ChildProcess, TimeLimitKillsAHungChild)
{
    Command hung({"sleep", "60"});
    hung.timeLimit = std::chrono::milliseconds(200);
    const auto r = runProcess(hung);
    EXPECT_TRUE(r.timedOut);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.signal, SIGKILL);
}

TEST(ChildProcess, WaitsForOutputThenStopsWithASignal)
{
    ChildProcess child(Command({"sh", "-c", "echo ready; exec sleep 60"}));
    ASSERT_TRUE(child.waitForOutput("ready", std::chrono::seconds(30))) << child.err();
    const int raw = child.stop(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(raw));
    EXPECT_EQ(WTERMSIG(raw), SIGTERM);
    EXPECT_EQ(child.stop(SIGTERM), -1);
}

TEST(ChildProcess, PutsStandardErrorOnATerminalAndCapturesItsBytesAsWritten)
{
    const auto r = shell("[ -t 1 ] || echo piped; [ -t 2 ] && printf 'tty\\nline' >&2; exit 4", ErrorOutput::Terminal);
    EXPECT_EQ(r.status, 4);
    EXPECT_FALSE(r.timedOut) << "the terminal's end is seen once the child is gone";
    EXPECT_EQ(r.out, "piped\n");
    EXPECT_EQ(r.err, "tty\nline");
}

TEST(ChildProcess, SendsStandardOutputToAFileWhileErrorsStayCaptured)
{
    ScratchDir dir;
    const auto file = dir.file("out.txt");
    writeFile(file, "an older and longer text\n");
    Command command({"sh", "-c", "echo data; echo note >&2"}, ErrorOutput::IntoOut);
    command.outputTo = file;
    const auto r = runProcess(command);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "note\n");
    EXPECT_EQ(readFile(file), "data\n") << "the file is replaced, not written over in place";

    command.outputTo = dir.file("no-such-dir/out.txt");
    EXPECT_FALSE(ChildProcess(command).started());
    EXPECT_EQ(runProcess(command).status, -1);
}

TEST(ChildProcess, LimitsTheChildsAddressSpace)
{
    Command command({"sh", "-c", "ulimit -v"});
    command.memoryLimit = std::size_t{64} << 20;
    const auto r = runProcess(command);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "65536\n") << "ulimit -v counts KiB";
}

TEST(ScratchDir, IsPrivateAndGoesAwayWithEverythingInIt)
{
    std::filesystem::path kept;
    {
        ScratchDir dir;
        kept = dir.path();
        EXPECT_EQ(dir.entries(), 0u);
        writeBytes(dir.file("a.bin"), {1, 2, 0, 255});
        std::filesystem::create_directories(dir.path() / "sub" / "deeper");
        EXPECT_EQ(readBytes(dir.file("a.bin")), (std::vector<std::uint8_t>{1, 2, 0, 255}));
        EXPECT_EQ(dir.entries(), 2u);
        ScratchDir other;
        EXPECT_NE(other.path(), dir.path());
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

}  // namespace
}  // namespace velmar::test
