#include "command_registry.h"

#include <vector>

namespace velmar::cli {
namespace {

// A function-local list is built on first use, whatever order the command files initialise in.
std::vector<AddCommand>& registered()
{
    static std::vector<AddCommand> commands;
    return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(AddCommand add) { registered().push_back(add); }

void addRegisteredCommands(CLI::App& app)
{
    for (const AddCommand add : registered()) {
        add(app);
    }
}

}  // namespace velmar::cli
