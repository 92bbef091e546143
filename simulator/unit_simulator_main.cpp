// unit_simulator: the simulated unit on a pseudo-terminal, in real time, until killed.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "simulator/pty_server.h"
#include "simulator/simulated_unit.h"

using namespace velmar::sim;

int main(int argc, char** argv)
{
    CLI::App app{"Simulated Velmar unit on a pseudo-terminal"};
    UnitConfig config;
    std::string link;
    std::string level = "application";
    std::vector<std::string> faults;
    bool trace = false;
    std::string reply;
    std::vector<std::string> models;
    for (auto m : modelNames())
        models.emplace_back(m);
    std::vector<std::string> faultList;
    for (auto f : faultNames())
        faultList.emplace_back(f);

    app.add_option("--link", link, "Symlink to the terminal (a stable name for tests and users)");
    app.add_option("--model", config.model, "Model name")->check(CLI::IsMember(models));
    app.add_option("--level", level, "Firmware level at start")
        ->check(CLI::IsMember({"application", "loader", "debug", "eeprom-programmer"}));
    app.add_option("--rate", config.applicationRate, "The main firmware's rate in bit/s")
        ->check(CLI::IsMember({1200u, 2400u, 4800u, 9600u, 19200u, 38400u, 57600u, 115200u}));
    app.add_option("--version", config.version, "Firmware version X.YY (optionally a suffix letter)");
    app.add_flag("--240v", config.v240, "A 240-volt unit (\"240V\" in the identification)");
    app.add_option("--loader-version", config.loaderVersion, "Two digits answering the loader's \"V\"");
    app.add_option("--reply", reply, "The main firmware's answer to \"?\" (overrides the model's; CR LF is added)");
    std::string eepromReply, loaderBanner;
    app.add_option("--eeprom-reply", eepromReply, "The EEPROM programmer's answer to \"?\" (CR LF is added)");
    app.add_option("--loader-banner", loaderBanner, "The boot loader's exact answer to \"S\"");
    app.add_option("--fault", faults, "Fault to simulate (repeatable)")->check(CLI::IsMember(faultList));
    app.add_flag("--echo", config.echo, "The main firmware echoes what it receives");
    app.add_flag("--trace", trace, "Print every byte exchanged (stderr)");
    CLI11_PARSE(app, argc, argv);

    config.level = *parseLevel(level);
    if (!reply.empty())
        config.identificationReply = reply + "\r\n";
    if (!eepromReply.empty())
        config.eepromProgrammerReply = eepromReply + "\r\n";
    if (!loaderBanner.empty())
        config.loaderBanner = loaderBanner;
    for (const auto& f : faults)
        applyFault(config, f);

    // SIGINT/SIGTERM end the run cleanly (the link is removed) through a signalfd.
    sigset_t mask;
    sigemptyset(&mask);
    sigaddset(&mask, SIGINT);
    sigaddset(&mask, SIGTERM);
    sigprocmask(SIG_BLOCK, &mask, nullptr);
    signal(SIGPIPE, SIG_IGN);
    const int stopFd = signalfd(-1, &mask, SFD_CLOEXEC);
    if (stopFd < 0) {
        std::cerr << "unit_simulator: signalfd failed\n";
        return 1;
    }

    SimulatedUnit unit(config);
    PtyServer server(unit, PtyServer::Options{link, trace ? &std::cerr : nullptr});
    std::string error;
    if (!server.start(error)) {
        std::cerr << "unit_simulator: " << error << '\n';
        return 1;
    }
    std::cout << "unit_simulator: " << config.model << " (" << levelName(config.level) << ", "
              << unit.lineRate() << " bit/s) listening on " << server.terminalPath();
    if (!link.empty())
        std::cout << " (link " << link << ")";
    std::cout << std::endl;
    server.run(stopFd);
    close(stopFd);
    std::cout << "unit_simulator: stopped" << std::endl;
    return 0;
}
