#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Deterministic stand-ins for the unit's firmware in exactly the forms and sizes the installer
// handles; their banners are what a unit running them answers.
namespace velmar::firmware {

inline constexpr const char* kMainBanner = "QRX 30 Version 1.00";
inline constexpr const char* kEepromLoaderBanner = "QRX 30 EEPROM Prog v1.00";

struct NamedImage {
    std::string name;  // main, eeprom_loader, section1 ... section6 (no section5)
    std::vector<uint8_t> bytes;
};

std::vector<NamedImage> syntheticImages();

}  // namespace velmar::firmware
