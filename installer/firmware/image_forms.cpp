#include "image_forms.h"

namespace velmar::firmware {

namespace {

constexpr size_t kFlashBytes = 131072;
constexpr uint8_t kErased = 0xFF;

bool isFlash(const std::string& name) { return name == "main" || name == "eeprom_loader"; }

}  // namespace

bool makeEmbeddable(NamedImage& image, std::string& error)
{
    if (isFlash(image.name)) {
        if (image.bytes.size() % 2 != 0 || image.bytes.size() > kFlashBytes || image.bytes.empty()) {
            error = image.name + ": a flash image holds whole 16-bit words, at most 131072 bytes";
            return false;
        }
        image.bytes.resize(kFlashBytes, kErased);
    }
    if (image.name == "section6" && image.bytes.size() % 2 != 0) {
        error = "section6: a program of 16-bit words has an even length";
        return false;
    }
    return true;
}

}  // namespace velmar::firmware
