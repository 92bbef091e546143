// velmarctl restore FILE.q20 [--keep-adjustments]: the editor's "Load settings from file to
// unit", converting the file for firmware 2.1 and later as the editor does.
#include <CLI/CLI.hpp>
#include <cmath>

#include "cli_support.h"
#include "command_registry.h"
#include "image_codec.h"
#include "legacy_layout.h"
#include "settings_store.h"
#include "unitlink/status_texts.h"
#include "terminal_progress.h"
#include "unit_session.h"

namespace velmar::tools {

namespace {

constexpr long kConvertingFirmwareHundredths = 210;  // firmware 2.1 and later

struct RestoreOptions {
    PortOptions port;
    std::string path;
    bool keepAdjustments = false;
};

int runRestore(const RestoreOptions& options)
{
    UnitSession session(options.port, Variant::Editor);
    auto& link = session.link();
    std::string message;
    session.findUnitForTransfer(status::kSearchingForQrx20, status::kUnitFailedToTurnOff);

    SettingsStore store;
    ModelKind kind = ModelKind::Undetected;
    link.ReadFirmwareVersion(kind);
    store.setModelKind(kind);
    UnitSession::status(status::kOpeningSettingsFile);
    if (!link.ReadSettingsFile(options.path, store.readImage, message))
        cli::fail(message);
    // In hundredths, as the unit writes its version: no binary fraction falls below the line.
    if (std::lround(link.firmwareVersion() * 100) >= kConvertingFirmwareHundredths)
        convertImage(store);
    else
        copyReadToWrite(store);

    if (!link.OpenPort(message))
        cli::fail(message);
    UnitSession::status(status::kProgrammingSettings);
    TerminalProgress progress;
    if (!link.ConnectForTransfer(message) ||
        !link.ProgramSettings(store.writeImage, message, progress, options.keepAdjustments))
        cli::fail(message);
    UnitSession::status(message);
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
