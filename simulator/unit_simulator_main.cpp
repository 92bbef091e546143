// unit_simulator: the simulated unit on a pseudo-terminal, in real time, until killed.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

#include "simulator/memory_files.h"
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
    std::string loaderVersion;
    app.add_option("--loader-version", loaderVersion,
                   "The loader's version: the two characters answering \"V\" (\"31\") or its number (301)");
    MemoryFiles files;
    app.add_option("--eeprom", files.eeprom, "Settings EEPROM file (4096 bytes): loaded at start, saved on exit");
    CLI::Option* flashOption = app.add_option(
        "--flash", files.flash, "Flash file (131072 bytes, words low byte first): loaded at start, saved on exit");
    app.add_option("--data-eeprom", files.dataEeprom,
                   "Data EEPROM file (131072 bytes): loaded at start, saved on exit");
    std::string dsp = "367";
    app.add_option("--dsp", dsp, "DSP module the debug monitor reports")->check(CLI::IsMember({"367", "366", "none"}));
    app.add_option("--reply-delay-ms", config.replyDelayMs,
                   "The unit's own delay before each reply (0: only the wire)");
    uint32_t adapterLatencyMs = 0;
    app.add_option("--adapter-latency-ms", adapterLatencyMs,
                   "Reach the unit through a USB serial adapter with this latency timer (0: a direct line)")
        ->check(CLI::Range(0u, 255u));
    app.add_option("--eeprom-write-us", config.eepromWriteUs,
                   "Settings EEPROM write time; bytes that arrive while the loader waits for it overrun its receiver");
    std::string eepromAck = "after-write";
    app.add_option("--eeprom-ack", eepromAck,
                   "When the loader acknowledges \"d\": after-write, or early (as the write starts; the next "
                   "EEPROM access waits for it)")
        ->check(CLI::IsMember({"after-write", "early"}));
    app.add_option("--reply", reply, "The main firmware's answer to \"?\" (overrides the model's; CR LF is added)");
    std::string eepromReply, loaderBanner;
    app.add_option("--eeprom-reply", eepromReply, "The EEPROM programmer's answer to \"?\" (CR LF is added)");
    app.add_option("--loader-banner", loaderBanner, "The boot loader's exact answer to \"S\"");
    app.add_option("--fault", faults, "Fault to simulate (repeatable)")->check(CLI::IsMember(faultList));
    app.add_flag("--echo", config.echo, "The main firmware echoes what it receives");
    app.add_flag("--trace", trace, "Print every byte exchanged (stderr)");
    CLI11_PARSE(app, argc, argv);

    config.level = *parseLevel(level);
    config.eepromAck = *parseEepromAck(eepromAck);
    if (!loaderVersion.empty()) {
        const auto digits = loaderVersionDigits(loaderVersion);
        if (!digits) {
            std::cerr << "unit_simulator: --loader-version takes two characters or a number such as 301\n";
            return 2;
        }
        config.loaderVersion = *digits;
    }
    config.dsp = dsp == "367" ? DspModule::Dsp367 : dsp == "366" ? DspModule::Dsp366 : DspModule::None;
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
    std::string error;
    if (!loadMemoryFiles(files, unit.memory(), error)) {
        std::cerr << "unit_simulator: " << error << '\n';
        return 1;
    }
    // A given flash decides what runs, unless a level was asked for.
    if (flashOption->count() > 0 && app.get_option("--level")->count() == 0)
        unit.powerOn();
    PtyServer server(unit, PtyServer::Options{link, trace ? &std::cerr : nullptr, adapterLatencyMs});
    if (!server.start(error)) {
        std::cerr << "unit_simulator: " << error << '\n';
        return 1;
    }
    std::cout << "unit_simulator: " << config.model << " (" << levelName(unit.level()) << ", " << unit.lineRate()
              << " bit/s) listening on " << server.terminalPath();
    if (!link.empty())
        std::cout << " (link " << link << ")";
    std::cout << std::endl;
    server.run(stopFd);
    close(stopFd);
    if (!saveMemoryFiles(files, unit.memory(), error)) {
        std::cerr << "unit_simulator: " << error << '\n';
        return 1;
    }
    std::cout << "unit_simulator: stopped" << std::endl;
    return 0;
}
