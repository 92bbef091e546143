#include "upgrade/firmware_set.h"

#include "installer/firmware/firmware_images.h"

namespace velmar::installer {

FirmwareSet embeddedFirmware()
{
    // The data EEPROM's one-byte section comes from the store, where nothing sets it: 0.
    return {firmware::mainImage(), firmware::eepromLoaderImage(), firmware::dataEepromSections(0)};
}

}  // namespace velmar::installer
