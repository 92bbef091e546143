// velmarctl (detect only in this branch; the shared velmarctl adds its other commands).
#include <CLI/CLI.hpp>

#include "cmd_detect.h"

int main(int argc, char** argv)
{
    CLI::App app{"velmarctl: command-line tool for Velmar units and settings"};
    app.require_subcommand(1);
    addDetectCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
