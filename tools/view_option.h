#pragma once

#include <CLI/CLI.hpp>

#include "records/settings_view.h"

namespace velmar::cli {

// --view store|records: which names the settings are listed by; view holds the default.
void addViewOption(CLI::App& command, SettingsView& view);

}  // namespace velmar::cli
