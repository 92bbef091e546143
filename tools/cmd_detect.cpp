// velmarctl detect [--ports ...] [--installer] [--trace]: finds the unit as the editor (or the
// installer) does and says where it is, in which mode, and what it runs.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli_support.h"
#include "command_registry.h"
#include "terminal_progress.h"
#include "text_output.h"
#include "unit_session.h"

namespace velmar::tools {

namespace {

using unitlink::BaudTable;
using unitlink::UnitLink;
using unitlink::UnitMode;

struct DetectOptions {
    PortOptions port;
    bool installer = false;  // scan as the installer does (COM1-COM8, its model table and texts)
};

// The firmware line: its version where the unit names one, else what it answered.
void printFirmware(UnitLink& link, std::ostream& out)
{
    if (link.mode() != UnitMode::Application && link.mode() != UnitMode::EepromProgrammer) {
        out << "firmware: boot loader\n";
        return;
    }
    std::string ignored;
    if (!link.OpenPort(ignored))
        return;
    ModelKind kind = ModelKind::Undetected;
    link.ReadFirmwareVersion(kind);
    if (kind != ModelKind::Undetected) {
        out << UnitLink::firmwareVersionText(kind, link.firmwareVersion(), link.firmwareSuffix()) << '\n';
    } else {
        std::string line = link.lastIdentification();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        out << "firmware: " << cli::escapeNonPrintable(line) << '\n';
    }
    link.ClosePort();
}

int runDetect(const DetectOptions& options, std::ostream& out)
{
    UnitSession session(options.port, options.installer ? Variant::Installer : Variant::Editor);
    UnitLink& link = session.link();
    // A full scan can take a minute: a terminal is shown where it has got to (a trace says it
    // already, line by line).
    TerminalLine scanLine;
    if (!options.port.trace) {
        link.setScanObserver([&](const std::string& portName, uint32_t rate) {
            const auto path = session.names().resolve(portName);
            scanLine.show("Trying " + portName + (path ? " (" + *path + ")" : "") + " at " + std::to_string(rate) +
                          " bit/s...");
        });
    }
    std::string message;
    const bool found = link.DetectUnit(message);
    scanLine.clear();
    if (!found) {
        out << message << std::endl;
        return 1;
    }
    if (!message.empty())
        out << message << '\n';
    out << "port: " << link.portName() << " (" << session.names().resolve(link.portName()).value_or("?") << ")\n";
    out << "rate: " << BaudTable[static_cast<size_t>(link.baudIndex())] << " bit/s\n";
    out << "mode: " << unitModeName(link.mode()) << '\n';
    out << "model: " << unitModelName(link.model()) << '\n';
    printFirmware(link, out);
    out.flush();
    return 0;
}

void addDetectCommand(CLI::App& app)
{
    auto options = std::make_shared<DetectOptions>();
    CLI::App* cmd = app.add_subcommand("detect",
                                       "Find the unit on the serial ports as the editor (or the installer) does");
    addPortOptions(*cmd, options->port);
    cmd->add_flag("--installer", options->installer, "Scan as the installer does (COM1-COM8, all models)");
    cli::describeExitStatus(*cmd, "0 unit found, 1 no unit found, 2 wrong command line.");
    cmd->callback([options] {
        if (const int rc = runDetect(*options, std::cout); rc != 0)
            cli::exitWithStatus(rc);
    });
}

const cli::CommandRegistration registration{addDetectCommand};

}  // namespace

}  // namespace velmar::tools
