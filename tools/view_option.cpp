#include "view_option.h"

#include <map>
#include <string>

namespace velmar::cli {

void addViewOption(CLI::App& command, SettingsView& view)
{
    static const std::map<std::string, SettingsView> kViews{
        {"store", SettingsView::Store},
        {"records", SettingsView::Records},
    };
    command.add_option("--view", view, "Name settings by the store's fields or by the pages' records")
        ->transform(CLI::CheckedTransformer(kViews, CLI::ignore_case))
        ->default_str(view == SettingsView::Store ? "store" : "records");
}

}  // namespace velmar::cli
