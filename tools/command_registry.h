#pragma once

#include <CLI/CLI.hpp>

namespace velmar::cli {

// What a cmd_*.cpp file exposes: adds its subcommand, options and callback to the program.
using AddCommand = void (*)(CLI::App&);

// Declared at namespace scope in a command's file, next to its add function:
//   const CommandRegistration registration{addDetectCommand};
// so that main.cpp need not know the commands.
struct CommandRegistration {
    explicit CommandRegistration(AddCommand add);
};

void addRegisteredCommands(CLI::App& app);

}  // namespace velmar::cli
