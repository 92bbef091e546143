#pragma once

#include <cstdint>
#include <span>

#include "unitlink/data_eeprom_layout.h"

// The images the installer writes into the unit, embedded at build time. Nothing here
// interprets them beyond their forms: flash images of 16-bit words stored low byte first with a
// blank (0xFF) tail, and the data-EEPROM sections.
namespace velmar::firmware {

std::span<const uint8_t> mainImage();
std::span<const uint8_t> eepromLoaderImage();

// The data-EEPROM sections 1 to 4 and 6; section 5 is one byte of the settings store.
unitlink::DataEepromSections dataEepromSections(uint8_t storeByte);

}  // namespace velmar::firmware
