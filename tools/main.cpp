#include <CLI/CLI.hpp>
#include <clocale>

#include "cli_support.h"
#include "command_registry.h"
#include "platform/console.h"

int main(int argc, char** argv)
{
    velmar::platform::prepareCommandLineProgram(argc, argv);
    // The user's locale, as the programs built on Qt run: nothing said to the unit or written to
    // a file depends on it.
    std::setlocale(LC_ALL, "");
    CLI::App app{"Reads, writes and inspects Velmar unit settings.", "velmarctl"};
    app.set_version_flag("--version", VELMAR_VERSION);
    velmar::cli::addRegisteredCommands(app);
    if (!app.get_subcommands([](const CLI::App*) { return true; }).empty()) {
        app.require_subcommand(1);
    }
    velmar::cli::describeExitStatus(app,
                                    "0 success, 1 failure (the reason on stderr), 2 wrong command line; "
                                    "diff: 0 equal, 1 different, 2 trouble; backup, restore and upgrade: 130 "
                                    "stopped by Ctrl+C. COMMAND --help tells each command's.");
    return velmar::cli::runCommandLine(app, argc, argv);
}
