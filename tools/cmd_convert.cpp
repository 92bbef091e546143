// velmarctl convert IN.q20 OUT.q20: the file rebuilt in the current layout, as the editor
// does before programming a unit with firmware 2.1 or later.
#include <memory>
#include <string>

#include "cli_support.h"
#include "command_registry.h"
#include "model_option.h"
#include "records/decoded_image.h"
#include "settings_input.h"
#include "unitlink/settings_file.h"

namespace velmar::cli {
namespace {

void addConvertCommand(CLI::App& app)
{
    struct Options {
        std::string in, out;
        ModelKind model = ModelKind::Undetected;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("convert", "Rebuild a settings file in the current layout");
    command->add_option("IN", options->in, "Settings file to read (.q20)")->required();
    command->add_option("OUT", options->out, "Settings file to write (.q20)")->required();
    addModelOption(*command, options->model);
    describeExitStatus(*command, kFileCommandStatuses);
    command->callback([options] {
        const Image converted = convertedImage(readSettingsFileOrFail(options->in), options->model);
        std::string message;
        if (!writeSettingsFile(options->out, converted, message))
            fail(message);
    });
}

const CommandRegistration registration{addConvertCommand};

}  // namespace
}  // namespace velmar::cli
