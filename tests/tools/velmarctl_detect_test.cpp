// velmarctl detect against unit_simulator on a pseudo-terminal: the line that follows the scan
// goes to a terminal only, and never into what the command prints.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "run_tool.h"
#include "simulator_process.h"

namespace velmar {
namespace {

// `velmarctl detect --ports LINK` with stdout and stderr apart, stderr on a pipe or a terminal.
test::ToolResult runDetect(const std::string& link, test::ErrorOutput errors)
{
    auto command = test::toolCommand("detect --ports " + link, errors);
    command.timeLimit = std::chrono::seconds(60);
    return test::runProcess(std::move(command));
}

TEST(VelmarctlDetect, TheScanLineShowsOnATerminalOnly)
{
    test::SimulatorProcess sim({"--model", "QRX 30"});
    ASSERT_TRUE(sim.started()) << sim.banner();

    const auto piped = runDetect(sim.link(), test::ErrorOutput::Captured);
    ASSERT_EQ(piped.status, 0) << piped.out << piped.err;
    EXPECT_NE(piped.out.find("port: COM1"), std::string::npos) << piped.out;
    EXPECT_EQ(piped.err, "") << "nothing but the result when nobody watches";
    EXPECT_EQ(piped.out.find('\r'), std::string::npos) << piped.out;

    const auto watched = runDetect(sim.link(), test::ErrorOutput::Terminal);
    ASSERT_EQ(watched.status, 0) << watched.out << watched.err;
    EXPECT_EQ(watched.out, piped.out) << "the result is the same either way";
    const std::string line = "\r\033[KTrying COM1 (" + sim.link() + ") at 19200 bit/s...";
    EXPECT_EQ(watched.err, line + "\r\033[K") << "one line, wiped before the result";
}

}  // namespace
}  // namespace velmar
