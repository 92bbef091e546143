#include <CLI/CLI.hpp>

#include "command_registry.h"

int main(int argc, char** argv) {
    CLI::App app{"Reads, writes and inspects Velmar unit settings.", "velmarctl"};
    app.set_version_flag("--version", VELMAR_VERSION);
    velmar::cli::addRegisteredCommands(app);
    if (!app.get_subcommands([](const CLI::App*) { return true; }).empty()) {
        app.require_subcommand(1);
    }
    CLI11_PARSE(app, argc, argv);
    return 0;
}
