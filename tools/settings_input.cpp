#include "settings_input.h"

#include "cli_support.h"
#include "unitlink/settings_file.h"

namespace velmar::cli {

Image readSettingsFileOrFail(const std::string& path)
{
    Image image{};
    std::string message;
    if (!readSettingsFile(path, image, message, EmptyFile::Refuse))
        fail(message);
    return image;
}

}  // namespace velmar::cli
