// velmarctl restore FILE.q20 [--keep-adjustments] [--every-byte]: the editor's "Load settings
// from file to unit", converting the file for firmware 2.1 and later as the editor does, and
// writing only the bytes the unit does not already hold. Ctrl+C stops among the reads or between
// two written bytes and lets the unit run again.
#include <CLI/CLI.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "interruptible_host.h"
#include "settings/settings_store.h"
#include "settings_input.h"
#include "terminal_progress.h"
#include "unitlink/loader_rules.h"
#include "unit_session.h"
#include "workflows/unit_workflow.h"

namespace velmar::tools {

namespace {

constexpr std::string_view kPartlyProgrammed =
    "Stopped by Ctrl+C: the unit's settings are partly programmed. Run velmarctl restore again to complete them.";
constexpr std::string_view kStoppedBeforeWriting =
    "Stopped by Ctrl+C while the unit's settings were read: none was written.";
constexpr std::string_view kWroteSome = "Wrote %1 of %2 settings bytes; the others already held the file's values.";
constexpr std::string_view kWroteAll = "Wrote all %2 settings bytes.";

std::string bytesWrittenText(bool everyByte, size_t written, size_t addresses)
{
    std::string text(everyByte ? kWroteAll : kWroteSome);
    for (const auto& [mark, n] : {std::pair{"%1", written}, std::pair{"%2", addresses}}) {
        if (const size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, 2, std::to_string(n));
    }
    return text;
}

struct RestoreOptions {
    PortOptions port;
    std::string path;
    bool keepAdjustments = false;
    bool everyByte = false;
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
    const auto write = options.everyByte ? unitlink::SettingsWrite::EveryByte : unitlink::SettingsWrite::OnlyDiffering;
    const bool programmed = workflow.programFile(store, fileAsRead, options.keepAdjustments, write);
    if (workflow.transferStopped()) {
        cli::fail(session.link().settingsBytesWritten() > 0 ? kPartlyProgrammed : kStoppedBeforeWriting,
                  cli::kInterruptedStatus);
    }
    if (!programmed)
        cli::fail(workflow.status());
    UnitSession::status(bytesWrittenText(options.everyByte, session.link().settingsBytesWritten(),
                                         unitlink::settingsAddressesWritten(options.keepAdjustments)));
    return 0;
}

void addRestoreCommand(CLI::App& app)
{
    auto options = std::make_shared<RestoreOptions>();
    CLI::App* cmd = app.add_subcommand("restore", "Program a settings file into the unit (as the editor does)");
    cmd->add_option("file", options->path, "Settings file to read (.q20)")->required();
    cmd->add_flag("--keep-adjustments", options->keepAdjustments,
                  "Leave the unit's own non-setup adjustments in place (the editor's box cleared)");
    cmd->add_flag("--every-byte", options->everyByte,
                  "Write every address of the ranges, not only the bytes the unit does not already hold");
    addPortOptions(*cmd, options->port);
    cli::describeExitStatus(*cmd,
                            "0 done, 1 failed (the operation's text on stderr), 2 wrong command line, "
                            "130 stopped by Ctrl+C (the settings are partly programmed: run restore again).");
    cmd->callback([options] { runRestore(*options); });
}

const cli::CommandRegistration registration{addRestoreCommand};

}  // namespace

}  // namespace velmar::tools
