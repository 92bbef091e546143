// velmarctl defaults FILE.q20: a settings file holding the factory settings.
#include <string>

#include "cli_support.h"
#include "command_registry.h"
#include "model_option.h"
#include "settings/image_codec.h"
#include "settings/settings_flows.h"
#include "unitlink/settings_file.h"

namespace velmar::cli {
namespace {

void addDefaultsCommand(CLI::App& app)
{
    struct Options {
        std::string path;
        ModelKind model = ModelKind::Undetected;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("defaults", "Write a settings file holding the factory settings");
    command->add_option("FILE", options->path, "Settings file to write (.q20)")->required();
    addModelOption(*command, options->model);
    describeExitStatus(*command, kFileCommandStatuses);
    command->callback([options] {
        SettingsStore store;
        store.setModelKind(options->model);
        store.writeImage.fill(0);
        // Each set is encoded from a store reset to its defaults, the unit-wide sections too.
        storeBackSets(store, nullptr, false);
        encodeSystemCodes(store);
        std::string message;
        if (!writeSettingsFile(options->path, store.writeImage, message))
            fail(message);
    });
}

const CommandRegistration registration{addDefaultsCommand};

}  // namespace
}  // namespace velmar::cli
