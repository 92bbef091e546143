#pragma once

#include <cstdint>
#include <span>

#include "unitlink/data_eeprom_layout.h"

namespace velmar::installer {

// The images one upgrade writes into the unit.
struct FirmwareSet {
    std::span<const std::uint8_t> mainImage;
    std::span<const std::uint8_t> loaderImage;
    unitlink::DataEepromSections dataEeprom;
};

// The images this installer was built with.
FirmwareSet embeddedFirmware();

}  // namespace velmar::installer
