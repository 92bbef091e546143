// Interoperability with the srecord tools, an independent S-record implementation.

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "child_process.h"
#include "scratch_dir.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

int run(const std::string& command) { return test::runProcess(test::Command({"sh", "-c", command})).status; }

bool toolsAvailable() { return run("command -v srec_cat && command -v srec_info") == 0; }

Image randomImage(unsigned seed)
{
    std::mt19937 random(seed);
    Image image;
    for (auto& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

bool inWrittenRanges(std::size_t address)
{
    return (address >= 16 && address < 64) || (address >= 96 && address < 3584);
}

class SrecordInterop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!toolsAvailable()) {
            GTEST_SKIP() << "srec_cat/srec_info not on PATH";
        }
    }
    test::ScratchDir dir;
};

TEST_F(SrecordInterop, OurFileIsAcceptedAndReproducedByTheirTools)
{
    const Image image = randomImage(5);
    std::string message;
    ASSERT_TRUE(writeSettingsFile(dir.file("ours.q20"), image, message));
    EXPECT_EQ(run("srec_info " + dir.file("ours.q20")), 0);

    // srec_cat verifies every checksum while it reads, then writes its own S0, S2 and end records.
    ASSERT_EQ(run("srec_cat " + dir.file("ours.q20") + " -o " + dir.file("theirs.srec") + " -address-length=3"), 0);
    const auto theirs = test::readFile(dir.file("theirs.srec"));
    ASSERT_NE(theirs.find("S0"), std::string::npos);
    ASSERT_NE(theirs.find("S2"), std::string::npos);

    Image loaded;
    loaded.fill(0xA5);
    ASSERT_TRUE(readSettingsFile(dir.file("theirs.srec"), loaded, message)) << message;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        EXPECT_EQ(loaded[i], inWrittenRanges(i) ? image[i] : 0xA5) << "byte " << i;
    }
}

struct ForeignForm {
    int addressLength;
    const char* endRecord;
};

void PrintTo(const ForeignForm& form, std::ostream* out) { *out << form.addressLength << "-byte addresses"; }

class SrecordFromBinary : public SrecordInterop, public ::testing::WithParamInterface<ForeignForm> {};

// Their files carry uppercase digits, an S0 header, an S5 count and an S9 or S8 end record.
TEST_P(SrecordFromBinary, TheirWholeImageLoadsWithTheSameBytes)
{
    const Image image = randomImage(9);
    test::writeFile(dir.file("image.bin"), std::string(image.begin(), image.end()));
    ASSERT_EQ(run("srec_cat " + dir.file("image.bin") + " -binary -o " + dir.file("image.srec") +
                  " -execution-start-address=0 -address-length=" + std::to_string(GetParam().addressLength)),
              0);
    ASSERT_NE(test::readFile(dir.file("image.srec")).find(GetParam().endRecord), std::string::npos);
    Image loaded{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(dir.file("image.srec"), loaded, message)) << message;
    EXPECT_EQ(loaded, image);
}

INSTANTIATE_TEST_SUITE_P(, SrecordFromBinary, ::testing::Values(ForeignForm{2, "\nS9"}, ForeignForm{3, "\nS8"}),
                         [](const auto& info) { return "S" + std::to_string(info.param.addressLength - 1); });

}  // namespace
}  // namespace velmar
