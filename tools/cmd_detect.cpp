#include "cmd_detect.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/posix_serial_port.h"
#include "platform/trace.h"
#include "terminal_progress.h"
#include "text_output.h"
#include "unitlink/unit_link.h"

namespace velmar::tools {

using namespace velmar::platform;
using namespace velmar::unitlink;

int runDetect(const DetectOptions& options, std::ostream& out, std::ostream& traceOut)
{
    const PortNames names = PortNames::select(options.ports);
    PosixSerialPort posix(names);
    RealClock clock;
    std::unique_ptr<TraceLog> log;
    std::unique_ptr<TracingSerialPort> tracing;
    SerialPort* port = &posix;
    if (options.trace) {
        log = std::make_unique<TraceLog>(traceOut, clock);
        tracing = std::make_unique<TracingSerialPort>(posix, *log);
        port = tracing.get();
    }
    UnitLink link(options.installer ? Variant::Installer : Variant::Editor, *port, clock);
    link.setTrace(log.get());

    // A full scan can take a minute: a terminal is shown where it has got to (a trace says it
    // already, line by line).
    TerminalLine scanLine;
    if (!options.trace) {
        link.setScanObserver([&](const std::string& portName, uint32_t rate) {
            const auto path = names.resolve(portName);
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
    const auto path = names.resolve(link.portName());
    out << "port: " << link.portName() << " (" << path.value_or("?") << ")\n";
    out << "rate: " << BaudTable[static_cast<size_t>(link.baudIndex())] << " bit/s\n";
    out << "mode: " << unitModeName(link.mode()) << '\n';
    out << "model: " << unitModelName(link.model()) << '\n';

    if (link.mode() == UnitMode::Application || link.mode() == UnitMode::EepromProgrammer) {
        std::string ignored;
        if (link.OpenPort(ignored)) {
            ModelKind kind = ModelKind::Undetected;
            link.ReadFirmwareVersion(kind);
            if (kind != ModelKind::Undetected) {
                out << UnitLink::firmwareVersionText(kind, link.firmwareVersion(), link.firmwareSuffix()) << '\n';
            } else {
                std::string line = link.lastIdentification();
                while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                    line.pop_back();
                out << "firmware: " << velmar::cli::escapeNonPrintable(line) << '\n';
            }
            link.ClosePort();
        }
    } else {
        out << "firmware: boot loader\n";
    }
    out.flush();
    return 0;
}

}  // namespace velmar::tools

void addDetectCommand(CLI::App& app)
{
    auto options = std::make_shared<velmar::tools::DetectOptions>();
    CLI::App* cmd = app.add_subcommand("detect",
                                       "Find the unit on the serial ports as the editor (or the installer) does");
    cmd->add_option("--ports", options->ports, "Device paths for COM1, COM2, ... separated by commas");
    cmd->add_flag("--installer", options->installer, "Scan as the installer does (COM1-COM8, all models)");
    cmd->add_flag("--trace", options->trace, "Print every byte exchanged with a timestamp, in hex and ASCII (stderr)");
    cmd->footer("Exit status: 0 unit found, 1 no unit found, 2 wrong command line.");
    cmd->callback([options] {
        const int rc = velmar::tools::runDetect(*options, std::cout, std::cerr);
        if (rc != 0)
            throw CLI::RuntimeError(rc);
    });
}

// In the shared velmarctl (tools/command_registry.h), commands register themselves.
#if __has_include("command_registry.h")
#include "command_registry.h"
namespace {
const velmar::cli::CommandRegistration detectRegistration{addDetectCommand};
}  // namespace
#endif
