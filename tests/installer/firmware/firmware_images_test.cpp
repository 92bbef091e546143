// The embedded images have the forms the installer's operations rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "image_forms.h"
#include "installer/firmware/firmware_images.h"
#include "unitlink/loader_rules.h"

using namespace velmar;
using namespace velmar::unitlink;

namespace {

bool holds(std::span<const uint8_t> bytes, std::string_view text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

}  // namespace

TEST(FirmwareImages, FlashImagesAreWholeFlashesWithABlankTailAndTheirBanners)
{
    for (auto image : {firmware::mainImage(), firmware::eepromLoaderImage()}) {
        ASSERT_EQ(image.size(), kFlashImageBytes);
        EXPECT_TRUE(flashImageUsable(image));
        const size_t words = flashWordCount(image);
        EXPECT_LT(words, kFlashWords);
        EXPECT_TRUE(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(words * 2), image.end(),
                                [](uint8_t b) { return b == 0xFF; }));
    }
    EXPECT_TRUE(holds(firmware::mainImage(), "QRX 30 Version 1.00"));
    EXPECT_TRUE(holds(firmware::eepromLoaderImage(), "QRX 30 EEPROM Prog"));
    EXPECT_FALSE(holds(firmware::mainImage(), "EEPROM Prog"));
}

TEST(FirmwareImages, DataSectionsHaveTheirSizesAndFillTheBlockRanges)
{
    const DataEepromSections s = firmware::dataEepromSections(0x5A);
    EXPECT_EQ(s.section1.size(), 17992u);
    EXPECT_EQ(s.section2.size(), 11340u);
    EXPECT_EQ(s.section3.size(), 12855u);
    EXPECT_EQ(s.section4.size(), 14700u);
    EXPECT_EQ(s.section5, 0x5A);
    EXPECT_EQ(s.section6.size(), 2624u);
    EXPECT_TRUE(sectionsFit(s));
    // Blocks 0-140, 141-229, 230-330, 331-445, 446, 447-467.
    EXPECT_EQ(blocksFor(s.section1.size()), 141u);
    EXPECT_EQ(blocksFor(s.section2.size()), 89u);
    EXPECT_EQ(blocksFor(s.section3.size()), 101u);
    EXPECT_EQ(blocksFor(s.section4.size()), 115u);
    EXPECT_EQ(blocksFor(s.section6.size()), 21u);

    // The notice text: 116 characters and a zero, then the build date and time texts.
    const auto first = s.section1;
    EXPECT_EQ(std::find(first.begin(), first.end(), 0) - first.begin(), 116);
    EXPECT_TRUE(std::all_of(first.begin(), first.begin() + 116, [](uint8_t c) { return c >= 0x20 && c < 0x7F; }));
    const std::string date(reinterpret_cast<const char*>(first.data()) + 117);
    EXPECT_EQ(date.size(), 11u);
    EXPECT_TRUE(std::all_of(s.section6.end() - 17, s.section6.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_NE(s.section6[s.section6.size() - 18], 0xFF);
}

TEST(FirmwareImages, ShortFlashImagesAreEmbeddedWholeAndBadOnesRefused)
{
    firmware::NamedImage main{"main", std::vector<uint8_t>(1000, 0x12)};
    std::string error;
    ASSERT_TRUE(firmware::makeEmbeddable(main, error)) << error;
    ASSERT_EQ(main.bytes.size(), kFlashImageBytes);
    EXPECT_EQ(main.bytes[999], 0x12);
    EXPECT_TRUE(std::all_of(main.bytes.begin() + 1000, main.bytes.end(), [](uint8_t b) { return b == 0xFF; }));

    const firmware::NamedImage bad[] = {
        {"eeprom_loader", std::vector<uint8_t>(999, 0x12)},
        {"main", {}},
        {"main", std::vector<uint8_t>(kFlashImageBytes + 2, 0x12)},
        {"section6", std::vector<uint8_t>(3, 0x12)},
    };
    for (auto image : bad) {
        error.clear();
        EXPECT_FALSE(firmware::makeEmbeddable(image, error)) << image.name << " " << image.bytes.size();
        EXPECT_NE(error.find(image.name), std::string::npos) << error;
    }
    firmware::NamedImage section{"section1", std::vector<uint8_t>(17, 1)};
    ASSERT_TRUE(firmware::makeEmbeddable(section, error));
    EXPECT_EQ(section.bytes.size(), 17u) << "data sections keep their own sizes";
}
