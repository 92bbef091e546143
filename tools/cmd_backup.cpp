// velmarctl backup FILE.q20: the editor's "Save settings from unit to file". The file's place is
// checked before the unit is touched. Ctrl+C while the settings are read stops between two
// addresses and lets the unit run again; no file is written then.
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "interruptible_host.h"
#include "settings/settings_store.h"
#include "terminal_progress.h"
#include "unit_session.h"
#include "unitlink/settings_file.h"
#include "workflows/unit_workflow.h"

namespace velmar::tools {

namespace {

constexpr std::string_view kNothingWritten =
    "Stopped by Ctrl+C: no settings file was written; the unit has left its loader and runs its firmware.";

struct BackupOptions {
    PortOptions port;
    std::string path;
};

int runBackup(const BackupOptions& options)
{
    // A file that cannot be written is found before a whole retrieval is spent on it. The save
    // at the end still reports its own failure: the place can change meanwhile.
    if (std::string message; !checkSettingsFileWritable(options.path, message))
        cli::fail(message);
    UnitSession session(options.port, Variant::Editor);
    SettingsStore store;
    TerminalProgress progress;
    InterruptibleHost host;
    workflows::UnitWorkflow workflow(session.link(), progress, host);
    const bool saved = workflow.retrieveToFile(store, options.path);
    if (workflow.transferStopped())
        cli::fail(kNothingWritten, cli::kInterruptedStatus);
    if (!saved)
        cli::fail(workflow.status());
    return 0;
}

void addBackupCommand(CLI::App& app)
{
    auto options = std::make_shared<BackupOptions>();
    CLI::App* cmd = app.add_subcommand("backup", "Save the unit's settings to a settings file (as the editor does)");
    cmd->add_option("file", options->path, "Settings file to write (.q20)")->required();
    addPortOptions(*cmd, options->port);
    cli::describeExitStatus(*cmd,
                            "0 done, 1 failed (the operation's text on stderr; a file that cannot be written is "
                            "found before the unit is touched), 2 wrong command line, "
                            "130 stopped by Ctrl+C (no file written; the unit left its loader).");
    cmd->callback([options] { runBackup(*options); });
}

const cli::CommandRegistration registration{addBackupCommand};

}  // namespace

}  // namespace velmar::tools
