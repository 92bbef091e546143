#include "unitlink/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velmar {
namespace {

// Builds a record the way any S-record writer would, so the reader is tested against input
// that does not come from our own writer.
std::string makeRecord(char type, std::uint32_t address, const std::vector<std::uint8_t>& data, bool uppercase = true)
{
    const int addressBytes = type == '1' ? 2 : 3;
    const unsigned count = static_cast<unsigned>(data.size()) + addressBytes + 1;
    unsigned sum = count;
    const char* format = uppercase ? "%02X" : "%02x";
    char hex[3];
    std::string out = std::string("S") + type;
    std::snprintf(hex, sizeof hex, format, count);
    out += hex;
    for (int i = addressBytes - 1; i >= 0; --i) {
        const unsigned byte = (address >> (8 * i)) & 0xFF;
        std::snprintf(hex, sizeof hex, format, byte);
        out += hex;
        sum += byte;
    }
    for (auto byte : data) {
        std::snprintf(hex, sizeof hex, format, byte);
        out += hex;
        sum += byte;
    }
    std::snprintf(hex, sizeof hex, format, 0xFF - (sum & 0xFF));
    return out + hex;
}

std::vector<std::uint8_t> sequence(std::size_t length, std::uint8_t first)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

Image filled(std::uint8_t value)
{
    Image image;
    image.fill(value);
    return image;
}

Image randomImage(unsigned seed)
{
    std::mt19937 random(seed);
    Image image;
    for (auto& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

bool parse(const std::string& text, Image& image, std::string& message)
{
    std::istringstream in(text);
    return parseSettingsRecords(in, image, message);
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        result.push_back(line);
    }
    return result;
}

TEST(SettingsFileWriter, LowercaseDigitsAndOnesComplementChecksum)
{
    Image image = filled(0);
    for (std::size_t i = 0; i < 16; ++i) {
        image[16 + i] = static_cast<std::uint8_t>(i);
    }
    image[63] = 0xAB;
    const auto records = lines(formatSettingsRecords(image));
    EXPECT_EQ(lines(formatSettingsRecords(filled(0))).front(), "S1130010" + std::string(32, '0') + "dc");
    EXPECT_EQ(records[0], "S1130010000102030405060708090a0b0c0d0e0f64");
    EXPECT_EQ(records[2], "S1130030" + std::string(30, '0') + "ab11");
}

TEST(SettingsFileWriter, SixteenByteRecordsOverBothRangesInOrder)
{
    const auto records = lines(formatSettingsRecords(randomImage(1)));
    ASSERT_EQ(records.size(), 221u);
    std::vector<unsigned> expected;
    for (unsigned a = 16; a < 64; a += 16) {
        expected.push_back(a);
    }
    for (unsigned a = 96; a < 3584; a += 16) {
        expected.push_back(a);
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        ASSERT_EQ(records[i].size(), 42u) << records[i];
        EXPECT_EQ(records[i].substr(0, 4), "S113");
        EXPECT_EQ(std::stoul(records[i].substr(4, 4), nullptr, 16), expected[i]);
    }
}

TEST(SettingsFileRoundTrip, WrittenRangesComeBackAndTheRestIsUntouched)
{
    const Image source = randomImage(7);
    Image target = filled(0xA5);
    std::string message;
    ASSERT_TRUE(parse(formatSettingsRecords(source), target, message)) << message;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const bool written = (i >= 16 && i < 64) || (i >= 96 && i < 3584);
        EXPECT_EQ(target[i], written ? source[i] : 0xA5) << "byte " << i;
    }
}

TEST(SettingsFileReader, EmptyOrBlankInputSucceedsAndChangesNothing)
{
    for (const std::string text : {"", " \n\r\n\t "}) {
        Image image = randomImage(3);
        const Image before = image;
        std::string message = "unchanged";
        EXPECT_TRUE(parse(text, image, message));
        EXPECT_EQ(image, before);
        EXPECT_EQ(message, "unchanged");
    }
}

TEST(SettingsFileReader, AcceptsForeignRecordForms)
{
    const std::string text = "S00600004844521B\r\n"                                    // header, skipped
                             + makeRecord('2', 0x000100, sequence(16, 0x10)) + "\r\n"  // 24-bit, uppercase, CR LF
                             + makeRecord('1', 0x0200, sequence(4, 0xF0), false) + "\n" + "x" +
                             makeRecord('1', 0x0300, {0x5A}).substr(1) + "\n"  // first character is free
                             + "S5030003F9 S9030000FC\n"                       // count and end records, skipped
                             + "not-a-record ; #\n";
    Image image = filled(0);
    std::string message;
    ASSERT_TRUE(parse(text, image, message)) << message;
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(image[0x100 + i], 0x10 + i);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(image[0x200 + i], 0xF0 + i);
    }
    EXPECT_EQ(image[0x300], 0x5A);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0), static_cast<long>(kImageSize - 21));
}

TEST(SettingsFileReader, AlteredDigitStopsAtThatRecord)
{
    std::string bad = makeRecord('1', 0x0020, sequence(16, 0x40));
    bad[12] = bad[12] == '0' ? '1' : '0';
    const std::string text = makeRecord('1', 0x0010, sequence(16, 0x20)) + "\n" + bad + "\n" +
                             makeRecord('1', 0x0030, sequence(16, 0x60)) + "\n";
    Image image = filled(0);
    std::string message;
    EXPECT_FALSE(parse(text, image, message));
    EXPECT_EQ(message, kSettingsFileChecksumErrorText);
    EXPECT_EQ(image[0x10], 0x20);
    EXPECT_EQ(image[0x1F], 0x2F);
    EXPECT_EQ(image[0x20], 0x00) << "a bad record stores none of its bytes";
    EXPECT_EQ(image[0x30], 0x00) << "reading stops at the bad record";
}

TEST(SettingsFileReader, RecordsEndingAtTheImageEndAreAccepted)
{
    Image image = filled(0);
    std::string message;
    ASSERT_TRUE(parse(makeRecord('2', 0x000FF0, sequence(16, 1)), image, message)) << message;
    EXPECT_EQ(image[0xFF0], 1);
    EXPECT_EQ(image[0xFFF], 16);
}

TEST(SettingsFileReader, LongestAllowedRecordIsAccepted)
{
    const std::string record = makeRecord('1', 0x0100, sequence(122, 0));
    ASSERT_EQ(record.size(), 254u);
    Image image = filled(0xFF);
    std::string message;
    ASSERT_TRUE(parse(record, image, message)) << message;
    EXPECT_EQ(image[0x100 + 121], 121);
}

struct RefusedCase {
    const char* name;
    std::string text;
};

void PrintTo(const RefusedCase& refused, std::ostream* out) { *out << refused.name; }

class SettingsFileRefusedRecord : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(SettingsFileRefusedRecord, ChecksumErrorAndImageUntouched)
{
    Image image = randomImage(11);
    const Image before = image;
    std::string message;
    EXPECT_FALSE(parse(GetParam().text + "\n" + makeRecord('1', 0x0010, {1, 2}), image, message));
    EXPECT_EQ(message, kSettingsFileChecksumErrorText);
    EXPECT_EQ(image, before);
}

std::string withDigit(std::string record, std::size_t index, char digit)
{
    record[index] = digit;
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    , SettingsFileRefusedRecord,
    ::testing::Values(RefusedCase{"CrossesImageEnd", makeRecord('2', 0x000FF8, sequence(16, 0))},
                      RefusedCase{"StartsAtImageEnd", makeRecord('2', 0x001000, {1})},
                      RefusedCase{"WouldWrapIntoImage", makeRecord('2', 0x011010, {1})},
                      RefusedCase{"SixteenBitAddressBeyondImage", makeRecord('1', 0xFFF0, sequence(16, 0))},
                      RefusedCase{"ShorterThanCount", makeRecord('1', 0x0010, sequence(16, 0)).substr(0, 30)},
                      RefusedCase{"LongerThanCount", makeRecord('1', 0x0010, sequence(4, 0)) + "00"},
                      RefusedCase{"HeadOnly", "S1"}, RefusedCase{"CountBelowAddressAndChecksum", "S1020010"},
                      RefusedCase{"NonHexDataDigit", withDigit(makeRecord('1', 0x0010, {0, 0}), 9, 'G')},
                      RefusedCase{"NonHexCount", withDigit(makeRecord('1', 0x0010, {0}), 2, 'z')},
                      RefusedCase{"RecordLongerThanATokenMayBe", makeRecord('1', 0x0100, sequence(123, 0))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsFileReader, OverlongNonRecordTokenIsSkipped)
{
    const std::string text = std::string(1 << 20, 'x') + "\n" + makeRecord('1', 0x0040, {0x77});
    Image image = filled(0);
    std::string message;
    ASSERT_TRUE(parse(text, image, message)) << message;
    EXPECT_EQ(image[0x40], 0x77);
}

}  // namespace
}  // namespace velmar
