// velmarctl upgrade: the installer's upgrade procedure on a terminal. Exits 0 only when the
// unit ends up running the carried firmware; Ctrl+C asks the procedure to stop between steps.

#include <atomic>
#include <memory>
#include <string_view>

#include "cli_support.h"
#include "command_registry.h"
#include "platform/console.h"
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

// Says at once that the request was taken, as the dialog's status line does, since the step
// under way (over a minute for the data EEPROM) is not cut short. Only unbuffered writes are
// safe here.
void onUpgradeInterrupt()
{
    using platform::StandardStream;
    if (abortRequested.exchange(true))
        return;
    if (progressOnTerminal)
        platform::writeUnbuffered(StandardStream::Err, "\r\033[K");
    platform::writeUnbuffered(StandardStream::Out, installer::texts::kAborting);
    platform::writeUnbuffered(StandardStream::Out, "\n");
    platform::writeUnbuffered(StandardStream::Out, kWhyItWaits);
    platform::writeUnbuffered(StandardStream::Out, "\n");
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
        progressOnTerminal = platform::stderrIsTerminal();
        platform::setInterruptHandler(onUpgradeInterrupt);
        installer::UpgradeProcedure procedure(session.link(), store, progress, host, history, firmware);
        const auto outcome = procedure.run();
        platform::setInterruptHandler(nullptr);
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
