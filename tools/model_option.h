#pragma once

#include <CLI/CLI.hpp>

#include "settings/model_kind.h"

namespace velmar::cli {

// --model: the model whose layout the settings are read or written in.
void addModelOption(CLI::App& command, ModelKind& kind);

}  // namespace velmar::cli
