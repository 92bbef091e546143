// velmarctl restore FILE.q20 [--keep-adjustments]: the editor's "Load settings from file to
// unit", converting the file for firmware 2.1 and later as the editor does.
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "settings/settings_store.h"
#include "terminal_progress.h"
#include "unit_session.h"
#include "unitlink/settings_file.h"
#include "workflows/unit_workflow.h"

namespace velmar::tools {

namespace {

struct RestoreOptions {
    PortOptions port;
    std::string path;
    bool keepAdjustments = false;
};

int runRestore(const RestoreOptions& options)
{
    UnitSession session(options.port, Variant::Editor);
    SettingsStore store;
    TerminalProgress progress;
    TerminalWorkflowHost host;
    workflows::UnitWorkflow workflow(session.link(), progress, host);
    const auto readFile = [&](Image& image, std::string& message) {
        return readSettingsFile(options.path, image, message);
    };
    if (!workflow.programFile(store, readFile, options.keepAdjustments))
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
    cmd->callback([options] { runRestore(*options); });
}

const cli::CommandRegistration registration{addRestoreCommand};

}  // namespace

}  // namespace velmar::tools
