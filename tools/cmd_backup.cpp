// velmarctl backup FILE.q20: the editor's "Save settings from unit to file".
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "unitlink/status_texts.h"
#include "terminal_progress.h"
#include "unit_session.h"
#include "unitlink/texts.h"

namespace velmar::tools {

namespace {

struct BackupOptions {
    PortOptions port;
    std::string path;
};

int runBackup(const BackupOptions& options)
{
    UnitSession session(options.port, Variant::Editor);
    auto& link = session.link();
    std::string message;
    session.findUnitForTransfer(status::kSearchingForUnit, unitlink::texts::kUnableToTurnOff);
    UnitSession::status(status::kRetrievingSettings);
    Image image{};
    TerminalProgress progress;
    if (!link.ConnectForTransfer(message) || !link.RetrieveSettings(image, message, progress))
        cli::fail(message);
    UnitSession::status(message);
    UnitSession::status(status::kWritingSettingsFile);
    if (!link.WriteSettingsFile(options.path, image, message))
        cli::fail(message);
    UnitSession::status(message);
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
