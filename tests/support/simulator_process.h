#pragma once

// Runs unit_simulator (UNIT_SIMULATOR_PATH) as a child process on a pseudo-terminal with a
// link in a private directory; waits (generously) for its "listening" line; stops it in the
// destructor.
#include <signal.h>

#include <chrono>
#include <string>
#include <vector>

#include "child_process.h"
#include "scratch_dir.h"

namespace velmar::test {

class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> args)
        : link_(dir_.file("ttyVELMAR")), child_(command(std::move(args), link_))
    {
        // A loaded machine can be slow to start a process.
        child_.waitForOutput("\n", std::chrono::seconds(10));
        banner_ = child_.out();
        started_ = banner_.find("listening on") != std::string::npos;
    }
    ~SimulatorProcess() { stop(SIGTERM); }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    bool started() const { return started_; }
    const std::string& link() const { return link_; }
    const std::string& banner() const { return banner_; }
    // Sends the signal and reaps the process; returns its wait status (-1 if already gone).
    int stop(int sig) { return child_.stop(sig); }

private:
    static Command command(std::vector<std::string> args, const std::string& link)
    {
        args.insert(args.begin(), {UNIT_SIMULATOR_PATH, "--link", link});
        return Command(std::move(args), ErrorOutput::Inherited);
    }

    ScratchDir dir_;
    std::string link_;
    ChildProcess child_;
    std::string banner_;
    bool started_ = false;
};

}  // namespace velmar::test
