#pragma once

#include <string>

#include "synthetic_images.h"

namespace velmar::firmware {

// Brings an image into the form the installer embeds: flash images (main, eeprom_loader) whole
// 16-bit words, at most the 131072-byte flash, padded with 0xFF to exactly that size (the unit
// sums its whole flash, erased bytes included, so a shorter image could never verify);
// section 6 a program of whole words. False with the reason when the image cannot be used.
bool makeEmbeddable(NamedImage& image, std::string& error);

}  // namespace velmar::firmware
