// velmarctl upgrade: the installer's upgrade procedure on a terminal. Exits 0 only when the
// unit ends up running the carried firmware; Ctrl+C asks the procedure to stop between steps.

#include <atomic>
#include <csignal>
#include <memory>

#include "cli_support.h"
#include "command_registry.h"
#include "settings/settings_store.h"
#include "terminal_progress.h"
#include "unit_session.h"
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
    void notify(const std::string& status) override {
        if (status == last_) return;
        last_ = status;
        tools::UnitSession::status(status);
    }
    bool abortRequested() const override { return cli::abortRequested; }

private:
    std::string last_;
};

void addUpgradeCommand(CLI::App& app) {
    auto options = std::make_shared<tools::PortOptions>();
    auto* command = app.add_subcommand("upgrade", "Upgrade a QRX 30 to the firmware this program carries");
    tools::addPortOptions(*command, *options);
    command->callback([options] {
        tools::UnitSession session(*options, Variant::Installer);
        SettingsStore store(Variant::Installer);
        installer::UpgradeHistory history;
        const auto firmware = installer::embeddedFirmware();
        tools::TerminalProgress progress;
        TerminalHost host;

        abortRequested = false;
        std::signal(SIGINT, onInterrupt);
        installer::UpgradeProcedure procedure(session.link(), store, progress, host, history, firmware);
        const auto outcome = procedure.run();
        std::signal(SIGINT, SIG_DFL);
        session.link().ClosePort();
        if (outcome.aborted) tools::UnitSession::status(installer::texts::kAbortedByUser);
        if (!outcome.succeeded) exitWithStatus(1);
    });
}

const CommandRegistration registration{addUpgradeCommand};

}  // namespace
}  // namespace velmar::cli
