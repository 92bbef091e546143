// The child-process runner on Windows, through the system's command interpreter.
#include <gtest/gtest.h>

#include <chrono>

#include "child_process.h"
#include "scratch_dir.h"

namespace velmar::test {
namespace {

Command shell(const std::string& script, ErrorOutput errors = ErrorOutput::Captured)
{
    return Command({"cmd", "/c", script}, errors);
}

TEST(ChildProcess, KeepsStreamsApartOrInOrderAndReportsTheExitCode)
{
    const auto apart = runProcess(shell("echo out& echo err 1>&2& exit /b 3"));
    EXPECT_EQ(apart.status, 3);
    EXPECT_EQ(apart.out, "out\r\n");
    EXPECT_EQ(apart.err.substr(0, 3), "err");

    const auto merged = runProcess(shell("echo out& echo err 1>&2", ErrorOutput::IntoOut));
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(merged.out.substr(0, 10), "out\r\nerr \r");
}

// Quoting survives the trip through one command line, standard input arrives, and the
// variables set are the child's.
TEST(ChildProcess, PassesArgumentsInputAndEnvironment)
{
    Command echo = shell("echo %VELMAR_TEST_WORD%");
    echo.env = {{"VELMAR_TEST_WORD", "word-42"}};
    EXPECT_EQ(runProcess(echo).out, "word-42\r\n");

    Command readLine({"cmd", "/v:on", "/c", "set /p LINE=&echo !LINE!"});
    readLine.input = "typed \"text\"\r\n";
    EXPECT_EQ(runProcess(readLine).out, "typed \"text\"\r\n");
}

TEST(ChildProcess, MissingProgramEndsWith127)
{
    EXPECT_EQ(runProcess(Command({"C:\\nonexistent\\program.exe"})).status, 127);
}

TEST(ChildProcess, SendsStandardOutputToAFile)
{
    ScratchDir dir;
    Command command = shell("echo to-file& echo to-err 1>&2");
    command.outputTo = dir.file("out.txt");
    const auto result = runProcess(command);
    EXPECT_EQ(readFile(dir.file("out.txt")), "to-file\r\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.substr(0, 6), "to-err");
}

}  // namespace
}  // namespace velmar::test
