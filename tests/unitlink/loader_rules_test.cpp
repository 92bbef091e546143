// The pure rules of the loader, flash images and the data EEPROM layout.
#include <gtest/gtest.h>

#include <vector>

#include "unitlink/data_eeprom_layout.h"
#include "unitlink/loader_rules.h"

using namespace velmar::unitlink;

namespace {

std::vector<uint8_t> blankImage() { return std::vector<uint8_t>(kFlashImageBytes, 0xFF); }

void setWord(std::vector<uint8_t>& image, size_t word, uint16_t value)
{
    image[word * 2] = static_cast<uint8_t>(value & 0xFF);
    image[word * 2 + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace

TEST(FlashImage, WordCountRoundsUpToWholePagesAfterTheLastNonBlankWord)
{
    auto image = blankImage();
    setWord(image, 0, 0x940C);
    setWord(image, 255, 0x0000);
    EXPECT_EQ(flashWordCount(image), 256u);
    setWord(image, 256, 0x1234);
    EXPECT_EQ(flashWordCount(image), 384u);
    // A blank word inside the code does not end it; only the tail counts.
    setWord(image, 256, 0xFFFF);
    setWord(image, 65535, 0x0001);
    EXPECT_EQ(flashWordCount(image), 65536u);
    EXPECT_EQ(flashWordCount(blankImage()), 0u);
}

TEST(FlashImage, WordsAreStoredLowByteFirst)
{
    auto image = blankImage();
    image[10] = 0x34;
    image[11] = 0x12;
    EXPECT_EQ(flashWord(image, 5), 0x1234);
    EXPECT_EQ(flashWord(std::vector<uint8_t>{0x01}, 0), 0xFFFF);  // a missing high byte reads blank
}

TEST(FlashImage, ChecksumSumsEveryByteModulo65536AndTheReplyIsComparedOn16Bits)
{
    auto image = blankImage();
    EXPECT_EQ(flashChecksum(image), static_cast<uint16_t>(131072u * 0xFF));
    image[0] = 0x00;
    EXPECT_EQ(flashChecksum(image), static_cast<uint16_t>(131072u * 0xFF - 0xFF));
    // A short image leaves the rest of the flash erased, and the unit sums that too.
    const std::vector<uint8_t> shortImage(image.begin(), image.begin() + 1000);
    EXPECT_EQ(flashChecksum(shortImage), flashChecksum(image));
    EXPECT_EQ(checksumFromReply("CS\r\nChecksum: 1FE0000\r\n"), 0x1FE0000u);
    EXPECT_EQ(checksumFromReply("Checksum:beef"), 0xBEEFu);
    EXPECT_FALSE(checksumFromReply("Check sum 1234"));
    EXPECT_FALSE(checksumFromReply("Checksum: zz"));
}

TEST(FlashImage, UsableImagesHaveWholeWordsWithinTheFlashAndSomeCode)
{
    auto image = blankImage();
    EXPECT_FALSE(flashImageUsable(image));
    setWord(image, 3, 0);
    EXPECT_TRUE(flashImageUsable(image));
    image.push_back(0);
    EXPECT_FALSE(flashImageUsable(image));
    image.push_back(0);
    EXPECT_FALSE(flashImageUsable(image));  // one word more than the flash holds
    EXPECT_TRUE(flashImageUsable(std::vector<uint8_t>{0x00, 0x94}));
}

TEST(LoaderVersion, DigitsGiveTheVersionAndAnythingElseZero)
{
    EXPECT_EQ(loaderVersionFromReply("31"), 301);
    EXPECT_EQ(loaderVersionFromReply("25"), 205);
    EXPECT_EQ(loaderVersionFromReply("1x"), 100);
    EXPECT_EQ(loaderVersionFromReply("05"), 0);
    EXPECT_EQ(loaderVersionFromReply("?5"), 0);
    EXPECT_EQ(loaderVersionFromReply(""), 0);
}

TEST(LoaderVersion, DivisorsBySpan)
{
    EXPECT_EQ(loaderBaudDivisor(301, true), 0x04);
    EXPECT_EQ(loaderBaudDivisor(300, false), 0x1D);
    EXPECT_EQ(loaderBaudDivisor(299, true), 0x01);
    EXPECT_EQ(loaderBaudDivisor(200, false), 0x0B);
    EXPECT_FALSE(loaderBaudDivisor(199, true));
    EXPECT_FALSE(loaderBaudDivisor(0, false));
}

TEST(LoaderVersion, SignaturesAreSearchedAsTextPerGeneration)
{
    const std::string mega128("\x02\x97\x1E", 3);
    const std::string mega103("\x01\x97\x1E", 3);
    EXPECT_TRUE(signatureAccepted(301, mega128));
    EXPECT_FALSE(signatureAccepted(301, mega103));
    EXPECT_TRUE(signatureAccepted(205, mega103));
    EXPECT_FALSE(signatureAccepted(205, mega128));
    EXPECT_TRUE(signatureAccepted(205, std::string("\x02\x01\x55", 3)));
    EXPECT_TRUE(signatureAccepted(0, "\xFF\xFF\xFF"));
    // A zero byte ends the text: what follows it is not seen.
    EXPECT_FALSE(signatureAccepted(205, std::string("\x00\x02\x01", 3)));
}

TEST(LoaderVersion, FuseStepsByGeneration)
{
    ASSERT_EQ(fuseStepsBeforeErase(205).size(), 1u);
    EXPECT_EQ(fuseStepsBeforeErase(205)[0].letter, 'F');
    EXPECT_EQ(fuseStepsBeforeErase(205)[0].expected, 0x07);
    EXPECT_EQ(fuseStepsAfterErase(205)[0].value, 0xBE);
    ASSERT_EQ(fuseStepsBeforeErase(300).size(), 3u);
    EXPECT_EQ(std::string({fuseStepsBeforeErase(300)[0].letter, fuseStepsBeforeErase(300)[1].letter,
                           fuseStepsBeforeErase(300)[2].letter}),
              "GFJ");
    EXPECT_EQ(fuseStepsAfterErase(300)[0].value, 0xD9);
}

TEST(SettingsRanges, FullAndKeepingTheUnitsAdjustments)
{
    std::vector<size_t> full, keep;
    for (size_t a = 0; a < 4096; ++a) {
        if (settingsAddressWritten(a, false))
            full.push_back(a);
        if (settingsAddressWritten(a, true))
            keep.push_back(a);
    }
    EXPECT_EQ(full.size(), (64u - 16u) + (3584u - 96u));
    EXPECT_EQ(full.front(), 16u);
    EXPECT_EQ(full.back(), 3583u);
    EXPECT_FALSE(settingsAddressWritten(64, false));
    EXPECT_FALSE(settingsAddressWritten(95, false));
    EXPECT_TRUE(settingsAddressWritten(96, false));
    EXPECT_EQ(keep.size(), 48u + (2048u - 513u));
    EXPECT_FALSE(settingsAddressWritten(512, true));
    EXPECT_TRUE(settingsAddressWritten(513, true));
    EXPECT_TRUE(settingsAddressWritten(2047, true));
    EXPECT_FALSE(settingsAddressWritten(2048, true));
}

TEST(UnitFlagsRule, BitOneByModelAndLoader)
{
    EXPECT_EQ(unitFlagsAfterFlash(0x0C, UnitModel::QRX_20, 400), 0x0E);
    EXPECT_EQ(unitFlagsAfterFlash(0x0C, UnitModel::QRX_30, 300), 0x0E);
    EXPECT_EQ(unitFlagsAfterFlash(0x0E, UnitModel::QRX_30, 301), 0x0C);
    EXPECT_EQ(unitFlagsAfterFlash(0x0C, UnitModel::CORVALENT_D1, 303), 0x0E);
    EXPECT_EQ(unitFlagsAfterFlash(0x0F, UnitModel::CORVALENT_D1, 304), 0x0D);
    EXPECT_EQ(unitFlagsAfterFlash(0x02, UnitModel::QRX_40, 0), 0x00);
}

TEST(DataEepromLayout, DirectoryEntriesAreTwoRightAlignedLowerCaseHexFields)
{
    EXPECT_EQ(directoryEntry(141, 11340), "  8d2c4c");
    EXPECT_EQ(directoryEntry(446, 1), " 1be   1");
    EXPECT_EQ(directoryEntry(0xFFFF, 0), "ffff   0");
    EXPECT_FALSE(directoryEntry(0x10000, 1));
    EXPECT_FALSE(directoryEntry(1, 70000));

    DataBlock directory{};
    ASSERT_TRUE(putDirectoryEntry(directory, 4, 447, 2624));
    putDirectoryTag(directory);
    EXPECT_EQ(std::string(directory.begin() + 32, directory.begin() + 40), " 1bf a40");
    EXPECT_EQ(std::string(directory.begin() + 112, directory.begin() + 115), "AX6");
    EXPECT_EQ(directory[0], 0);
    EXPECT_EQ(directory[115], 0);
    EXPECT_FALSE(putDirectoryEntry(directory, 5, 0, 0));
}

TEST(DataEepromLayout, SectionBlocksWordSwapAndFit)
{
    EXPECT_EQ(blocksFor(17992), 141u);
    EXPECT_EQ(blocksFor(128), 1u);
    EXPECT_EQ(blocksFor(129), 2u);
    EXPECT_EQ(wordSwapped(std::vector<uint8_t>{1, 2, 3, 4, 5}), (std::vector<uint8_t>{2, 1, 4, 3, 5}));
    std::vector<uint8_t> big(1022 * 128);
    DataEepromSections s;
    s.section1 = big;
    EXPECT_TRUE(sectionsFit(s));  // 1022 blocks and the one-byte section end just below the directory
    big.push_back(0);
    s.section1 = big;
    EXPECT_FALSE(sectionsFit(s));
}
