// velmarctl upgrade: the installer's upgrade procedure on a terminal. Exits 0 only when the
// unit ends up running the carried firmware; Ctrl+C asks the procedure to stop between steps.

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <memory>
#include <string_view>

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

constexpr std::string_view kWhyItWaits =
    "The step under way finishes first: a transfer to the unit is never cut short.";

std::atomic<bool> abortRequested{false};
bool progressOnTerminal = false;

void writeOut(int fd, std::string_view text) { (void)!::write(fd, text.data(), text.size()); }

// Says at once that the request was taken, as the dialog's status line does, since the step
// under way (over a minute for the data EEPROM) is not cut short. Only write(2) is safe here.
extern "C" void onUpgradeInterrupt(int)
{
    if (abortRequested.exchange(true))
        return;
    if (progressOnTerminal)
        writeOut(STDERR_FILENO, "\r\033[K");
    writeOut(STDOUT_FILENO, installer::texts::kAborting);
    writeOut(STDOUT_FILENO, "\n");
    writeOut(STDOUT_FILENO, kWhyItWaits);
    writeOut(STDOUT_FILENO, "\n");
}

// Prints each new status on its own line, as the dialog's status line would change.
class TerminalHost final : public installer::UpgradeHost {
public:
    void notify(const std::string& status) override
    {
        if (status == last_)
            return;
        last_ = status;
        tools::UnitSession::status(status);
    }
    bool abortRequested() const override { return cli::abortRequested; }

private:
    std::string last_;
};

void addUpgradeCommand(CLI::App& app)
{
    auto options = std::make_shared<tools::PortOptions>();
    auto* command = app.add_subcommand("upgrade", "Upgrade a QRX 30 to the firmware this program carries");
    tools::addPortOptions(*command, *options);
    describeExitStatus(*command,
                       "0 code update complete or up to date, 1 failed (run it again), "
                       "2 wrong command line, 130 aborted by Ctrl+C.");
    command->callback([options] {
        tools::UnitSession session(*options, Variant::Installer);
        SettingsStore store(Variant::Installer);
        installer::UpgradeHistory history;
        const auto firmware = installer::embeddedFirmware();
        tools::TerminalProgress progress;
        TerminalHost host;

        abortRequested = false;
        progressOnTerminal = ::isatty(STDERR_FILENO) == 1;
        std::signal(SIGINT, onUpgradeInterrupt);
        installer::UpgradeProcedure procedure(session.link(), store, progress, host, history, firmware);
        const auto outcome = procedure.run();
        std::signal(SIGINT, SIG_DFL);
        session.link().ClosePort();
        if (outcome.aborted)
            tools::UnitSession::status(installer::texts::kAbortedByUser);
        if (!outcome.succeeded)
            exitWithStatus(outcome.aborted ? kInterruptedStatus : 1);
    });
}

const CommandRegistration registration{addUpgradeCommand};

}  // namespace
}  // namespace velmar::cli
