// velmarctl backup FILE.q20: the editor's "Save settings from unit to file".
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "settings/settings_store.h"
#include "terminal_progress.h"
#include "unit_session.h"
#include "workflows/unit_workflow.h"

namespace velmar::tools {

namespace {

struct BackupOptions {
    PortOptions port;
    std::string path;
};

int runBackup(const BackupOptions& options)
{
    UnitSession session(options.port, Variant::Editor);
    SettingsStore store;
    TerminalProgress progress;
    TerminalWorkflowHost host;
    workflows::UnitWorkflow workflow(session.link(), progress, host);
    if (!workflow.retrieveToFile(store, options.path))
        cli::fail(workflow.status());
    return 0;
}

void addBackupCommand(CLI::App& app)
{
    auto options = std::make_shared<BackupOptions>();
    CLI::App* cmd = app.add_subcommand("backup", "Save the unit's settings to a settings file (as the editor does)");
    cmd->add_option("file", options->path, "Settings file to write (.q20)")->required();
    addPortOptions(*cmd, options->port);
    cli::describeExitStatus(*cmd, cli::kUnitCommandStatuses);
    cmd->callback([options] { runBackup(*options); });
}

const cli::CommandRegistration registration{addBackupCommand};

}  // namespace

}  // namespace velmar::tools
