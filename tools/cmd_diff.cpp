// velmarctl diff A.q20 B.q20: the settings that differ, set by set, field by field.
// Exits 0 when equal, 1 when the files differ and 2 on any trouble, as diff(1) does.
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "cli_support.h"
#include "command_registry.h"
#include "model_option.h"
#include "records/settings_diff.h"
#include "settings_input.h"
#include "view_option.h"
#include "text_output.h"

namespace velmar::cli {
namespace {

constexpr int kDifferent = 1;
constexpr int kTrouble = 2;

void addDiffCommand(CLI::App& app)
{
    struct Options {
        std::string first, second;
        bool json = false;
        SettingsView view = SettingsView::Records;
        ModelKind model = ModelKind::Undetected;
    };
    auto options = std::make_shared<Options>();
    auto* command = app.add_subcommand("diff", "List the settings that differ between two settings files");
    command->add_option("A", options->first, "First settings file (.q20)")->required();
    command->add_option("B", options->second, "Second settings file (.q20)")->required();
    command->add_flag("--json", options->json, "Print a JSON array of differences");
    addModelOption(*command, options->model);
    addViewOption(*command, options->view);
    describeExitStatus(*command,
                       "0 no differences, 1 differences, 2 trouble (a file that cannot be read, "
                       "a wrong command line, output that cannot be written).");
    command->callback([options] {
        setFailureStatus(kTrouble);
        const auto a = decodeImage(readSettingsFileOrFail(options->first), options->model);
        const auto b = decodeImage(readSettingsFileOrFail(options->second), options->model);
        const auto differences = diffImages(a, b, options->view);
        if (options->json) {
            auto out = nlohmann::json::array();
            for (const auto& d : differences)
                out.push_back(
                    {{"set", d.set}, {"field", d.field}, {"a", latin1ToUtf8(d.first)}, {"b", latin1ToUtf8(d.second)}});
            printJson(out);
        } else {
            std::string set;
            for (const auto& d : differences) {
                if (d.set != set)
                    std::cout << (set.empty() ? "" : "\n") << (set = d.set) << '\n';
                std::cout << "  " << d.field << ": " << escapeNonPrintable(d.first) << " -> "
                          << escapeNonPrintable(d.second) << '\n';
            }
        }
        if (!differences.empty())
            exitWithStatus(kDifferent);
    });
}

const CommandRegistration registration{addDiffCommand};

}  // namespace
}  // namespace velmar::cli
