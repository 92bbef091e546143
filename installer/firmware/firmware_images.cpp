#include "installer/firmware/firmware_images.h"

#include "installer/firmware/embedded_data.h"

namespace velmar::firmware {

std::span<const uint8_t> mainImage() { return embedded::kMain; }

std::span<const uint8_t> eepromLoaderImage() { return embedded::kEepromLoader; }

unitlink::DataEepromSections dataEepromSections(uint8_t storeByte)
{
    unitlink::DataEepromSections s;
    s.section1 = embedded::kSection1;
    s.section2 = embedded::kSection2;
    s.section3 = embedded::kSection3;
    s.section4 = embedded::kSection4;
    s.section5 = storeByte;
    s.section6 = embedded::kSection6;
    return s;
}

}  // namespace velmar::firmware
