#pragma once

#include <string>

#include "settings/image.h"

namespace velmar::cli {

// Reads a settings file into an image, or ends the program with the reader's message. An empty
// file is refused: its image would be mostly zeros.
Image readSettingsFileOrFail(const std::string& path);

}  // namespace velmar::cli
