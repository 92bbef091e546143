#pragma once

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/native_serial_port.h"
#include "platform/trace.h"
#include "unitlink/unit_link.h"
#include "workflows/unit_workflow.h"

namespace CLI {
class App;
}

namespace velmar::tools {

// The options every command that talks to the unit takes.
struct PortOptions {
    std::string ports;   // "--ports PATH,..." (COM1 first); empty: VELMAR_PORTS, then the devices present
    bool trace = false;  // every byte exchanged on stderr
};

void addPortOptions(CLI::App& command, PortOptions& options);

// A unit link on the real serial ports, as the editor or the installer has it.
class UnitSession {
public:
    UnitSession(const PortOptions& options, Variant variant);
    unitlink::UnitLink& link() { return link_; }
    // The device paths behind the port names the link uses.
    const platform::PortNames& names() const { return names_; }

    // A status line, as the programs' status line shows it.
    static void status(std::string_view text);

private:
    platform::PortNames names_;
    platform::NativeSerialPort port_;
    platform::RealClock clock_;
    std::unique_ptr<platform::TraceLog> log_;
    std::unique_ptr<platform::TracingSerialPort> tracing_;
    unitlink::UnitLink link_;
};

// Shows an editor workflow on a terminal: each step it starts and each result it reaches on
// a line of its own. What detection found is left out, and so is the failure: the command
// ends with that text.
class TerminalWorkflowHost : public workflows::WorkflowHost {
public:
    void show(const std::string& text, workflows::Shown kind) override;
};

}  // namespace velmar::tools
