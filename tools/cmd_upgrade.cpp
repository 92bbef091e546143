// velmarctl upgrade: the installer's upgrade procedure on a terminal. Exits 0 only when the
// unit ends up running the carried firmware; Ctrl+C asks the procedure to stop between steps.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <iostream>
#include <memory>

#include "cli_support.h"
#include "command_registry.h"
#include "platform/clock.h"
#include "platform/port_names.h"
#include "platform/posix_serial_port.h"
#include "platform/trace.h"
#include "settings/settings_store.h"
#include "terminal_progress.h"
#include "upgrade/firmware_set.h"
#include "upgrade/upgrade_procedure.h"
#include "upgrade/upgrade_texts.h"

namespace velmar::cli {
namespace {

std::atomic<bool> abortRequested{false};

extern "C" void onInterrupt(int) { abortRequested = true; }

// Prints each new status on its own line, as the dialog's status line would change.
class TerminalHost final : public installer::UpgradeHost {
public:
    explicit TerminalHost(bool barOnTerminal) : barOnTerminal_(barOnTerminal) {}
    void notify(const std::string& status) override {
        if (status == last_) return;
        last_ = status;
        if (barOnTerminal_) std::cerr << "\r\033[K";  // the bar's line makes way for the text
        std::cout << status << std::endl;
    }
    bool abortRequested() const override { return cli::abortRequested; }

private:
    bool barOnTerminal_;
    std::string last_;
};

void addUpgradeCommand(CLI::App& app) {
    struct Options {
        std::string ports;
        bool trace = false;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("upgrade", "Upgrade a QRX 30 to the firmware this program carries");
    command->add_option("--ports", options->ports, "Serial devices to scan, in order (COM1 is the first)");
    command->add_flag("--trace", options->trace, "Print every byte exchanged on stderr");
    command->callback([options] {
        platform::PosixSerialPort posix(platform::PortNames::select(options->ports));
        platform::RealClock clock;
        std::unique_ptr<platform::TraceLog> log;
        std::unique_ptr<platform::TracingSerialPort> tracing;
        platform::SerialPort* port = &posix;
        if (options->trace) {
            log = std::make_unique<platform::TraceLog>(std::cerr, clock);
            tracing = std::make_unique<platform::TracingSerialPort>(posix, *log);
            port = tracing.get();
        }
        unitlink::UnitLink link(Variant::Installer, *port, clock);
        link.setTrace(log.get());

        SettingsStore store(Variant::Installer);
        installer::UpgradeHistory history;
        const auto firmware = installer::embeddedFirmware();
        const bool bar = isatty(STDERR_FILENO) && !options->trace;
        TerminalProgress progress(std::cerr, bar);
        TerminalHost host(bar);

        abortRequested = false;
        std::signal(SIGINT, onInterrupt);
        installer::UpgradeProcedure procedure(link, store, progress, host, history, firmware);
        const auto outcome = procedure.run();
        std::signal(SIGINT, SIG_DFL);
        link.ClosePort();
        if (outcome.aborted) std::cout << installer::texts::kAbortedByUser << std::endl;
        if (!outcome.succeeded) exitWithStatus(1);
    });
}

const CommandRegistration registration{addUpgradeCommand};

}  // namespace
}  // namespace velmar::cli
