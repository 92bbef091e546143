#include "synthetic_images.h"

#include <algorithm>
#include <cstring>

namespace velmar::firmware {

namespace {

constexpr size_t kFlashBytes = 131072;

// A fixed linear congruential sequence: the same bytes on every build.
class Sequence {
public:
    explicit Sequence(uint32_t seed) : state_(seed) {}
    uint8_t next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<uint8_t>(state_ >> 24);
    }

private:
    uint32_t state_;
};

// Code words from word 0 (none of them blank), the banner inside, the tail 0xFF.
std::vector<uint8_t> flashImage(size_t codeWords, const char* banner, uint32_t seed)
{
    std::vector<uint8_t> bytes(kFlashBytes, 0xFF);
    Sequence seq(seed);
    for (size_t i = 0; i < codeWords * 2; i += 2) {
        bytes[i] = seq.next();
        bytes[i + 1] = static_cast<uint8_t>(seq.next() & 0x7F);  // never 0xFFFF
    }
    const size_t at = codeWords;  // halfway into the code, as firmware keeps its texts
    std::memcpy(bytes.data() + at, banner, std::strlen(banner) + 1);
    return bytes;
}

std::vector<uint8_t> tables(size_t size, uint32_t seed)
{
    std::vector<uint8_t> bytes(size);
    Sequence seq(seed);
    std::generate(bytes.begin(), bytes.end(), [&] { return seq.next(); });
    return bytes;
}

// Section 1 opens with the notice text (116 characters and its zero), then the build date and
// time texts, then display texts and tables.
std::vector<uint8_t> section1()
{
    std::string notice =
        "Velmar QRX 30 data EEPROM image. Synthetic contents for development and tests only; "
        "not unit firmware.";
    notice.resize(116, '.');
    std::vector<uint8_t> bytes = tables(17992, 11);
    size_t at = 0;
    for (const std::string& text : {notice, std::string("Jan  1 2025"), std::string("12:00:00")}) {
        std::memcpy(bytes.data() + at, text.c_str(), text.size() + 1);
        at += text.size() + 1;
    }
    return bytes;
}

// A program of 1312 16-bit words stored low byte first, ending in 17 bytes of 0xFF.
std::vector<uint8_t> section6()
{
    std::vector<uint8_t> bytes = tables(2624, 66);
    std::fill(bytes.end() - 17, bytes.end(), 0xFF);
    return bytes;
}

}  // namespace

std::vector<NamedImage> syntheticImages()
{
    return {
        {"main", flashImage(40000, kMainBanner, 1)},
        {"eeprom_loader", flashImage(3000, kEepromLoaderBanner, 2)},
        {"section1", section1()},
        {"section2", tables(11340, 22)},
        {"section3", tables(12855, 33)},
        {"section4", tables(14700, 44)},
        {"section6", section6()},
    };
}

}  // namespace velmar::firmware
