#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "unitlink/settings_file.h"

// Besides crashes and sanitizer reports: a read that fails must say why.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    velmar::Image image;
    image.fill(0x5A);
    std::string message;
    if (!velmar::parseSettingsRecords(in, image, message) && message != velmar::kSettingsFileChecksumErrorText &&
        message != velmar::kSettingsFileNoRecordsText) {
        std::abort();
    }
    return 0;
}
