// velmarctl restore FILE.q20 [--keep-adjustments]: the editor's "Load settings from file to
// unit", converting the file for firmware 2.1 and later as the editor does. Ctrl+C while the
// settings are programmed stops between two bytes and lets the unit run again.
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "interruptible_host.h"
#include "settings/settings_store.h"
#include "settings_input.h"
#include "terminal_progress.h"
#include "unit_session.h"
#include "workflows/unit_workflow.h"

namespace velmar::tools {

namespace {

constexpr std::string_view kPartlyProgrammed =
    "Stopped by Ctrl+C: the unit's settings are partly programmed. Run velmarctl restore again to complete them.";

struct RestoreOptions {
    PortOptions port;
    std::string path;
    bool keepAdjustments = false;
};

int runRestore(const RestoreOptions& options)
{
    // Read before the unit is touched: a file that is not a settings file is never programmed.
    const Image fileImage = cli::readSettingsFileOrFail(options.path);
    UnitSession session(options.port, Variant::Editor);
    SettingsStore store;
    TerminalProgress progress;
    InterruptibleHost host;
    workflows::UnitWorkflow workflow(session.link(), progress, host);
    const auto fileAsRead = [&](Image& image, std::string&) {
        image = fileImage;
        return true;
    };
    const bool programmed = workflow.programFile(store, fileAsRead, options.keepAdjustments);
    if (workflow.transferStopped())
        cli::fail(kPartlyProgrammed, cli::kInterruptedStatus);
    if (!programmed)
        cli::fail(workflow.status());
    return 0;
}

void addRestoreCommand(CLI::App& app)
{
    auto options = std::make_shared<RestoreOptions>();
    CLI::App* cmd = app.add_subcommand("restore", "Program a settings file into the unit (as the editor does)");
    cmd->add_option("file", options->path, "Settings file to read (.q20)")->required();
    cmd->add_flag("--keep-adjustments", options->keepAdjustments,
                  "Leave the unit's own non-setup adjustments in place (the editor's box cleared)");
    addPortOptions(*cmd, options->port);
    cli::describeExitStatus(*cmd,
                            "0 done, 1 failed (the operation's text on stderr), 2 wrong command line, "
                            "130 stopped by Ctrl+C (the settings are partly programmed: run restore again).");
    cmd->callback([options] { runRestore(*options); });
}

const cli::CommandRegistration registration{addRestoreCommand};

}  // namespace

}  // namespace velmar::tools
