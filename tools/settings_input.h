#pragma once

#include <string>

#include "settings/image.h"

namespace velmar::cli {

// Reads a settings file into an image, or ends the program with the reader's message.
Image readSettingsFileOrFail(const std::string& path);

}  // namespace velmar::cli
