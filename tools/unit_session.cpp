#include "unit_session.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace velmar::tools {

namespace {

platform::SerialPort& chosenPort(platform::SerialPort& native, std::unique_ptr<platform::TraceLog>& log,
                                 std::unique_ptr<platform::TracingSerialPort>& tracing, platform::Clock& clock,
                                 bool trace)
{
    if (!trace)
        return native;
    log = std::make_unique<platform::TraceLog>(std::cerr, clock);
    tracing = std::make_unique<platform::TracingSerialPort>(native, *log);
    return *tracing;
}

}  // namespace

void addPortOptions(CLI::App& command, PortOptions& options)
{
    command.add_option(
        "--ports", options.ports,
        "Ports for COM1, COM2, ... separated by commas: device paths, or port names such as COM3 on Windows");
    command.add_flag("--trace", options.trace,
                     "Print every byte exchanged with a timestamp, in hex and ASCII (stderr)");
}

UnitSession::UnitSession(const PortOptions& options, Variant variant)
    : names_(platform::PortNames::select(options.ports)), port_(names_),
      link_(variant, chosenPort(port_, log_, tracing_, clock_, options.trace), clock_)
{
    link_.setTrace(log_.get());
}

void UnitSession::status(std::string_view text) { std::cout << text << std::endl; }

void TerminalWorkflowHost::show(const std::string& text, workflows::Shown kind)
{
    if (kind == workflows::Shown::Step || kind == workflows::Shown::Result)
        UnitSession::status(text);
}

}  // namespace velmar::tools
