#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "run_tool.h"
#include "scratch_dir.h"
#include "settings/image_codec.h"
#include "settings/settings_store.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

using test::runTool;

nlohmann::json dumpJson(const std::string& arguments)
{
    const auto result = runTool("dump --json " + arguments);
    EXPECT_EQ(result.status, 0) << result.out;
    return nlohmann::json::parse(result.out, nullptr, false);
}

TEST(VelmarctlDefaults, WritesFactorySettingsForEverySet)
{
    test::ScratchDir dir;
    const auto path = dir.file("factory.q20");
    ASSERT_EQ(runTool("defaults " + path).status, 0);
    const auto dump = dumpJson(path);
    ASSERT_FALSE(dump.is_discarded());
    EXPECT_EQ(dump["refused"], nlohmann::json::array());
    EXPECT_EQ(dump["layout"], "current");

    for (const char* set : {"Current", "User", "Installer"}) {
        SCOPED_TRACE(set);
        const auto& s = dump["sets"][set];
        EXPECT_EQ(s["sourceName"][3], "FM/AM ");
        EXPECT_EQ(s["zoneName"][4], "RECORD");
        EXPECT_EQ(s["inputLevel"][3], -10);
        EXPECT_EQ(s["audioOutFlags"], 3);
        EXPECT_EQ(s["speakerConfig"], nlohmann::json({0x65, 0x55, 0x5D, 0x5D, 0x21}));
        EXPECT_EQ(s["speakerOptions"], 0x80);
        EXPECT_EQ(s["speakerDistance"], nlohmann::json({120, 120, 120, 80, 60, 60, 80, 120}));
        EXPECT_EQ(s["onVolume"], nlohmann::json({-70, -28, -28, -28}));
        EXPECT_EQ(s["maxVolume"], nlohmann::json({20, 0, 0, 8}));
        EXPECT_EQ(s["muteLevel"], 0x80);
        EXPECT_EQ(s["timerVolume"][0], nlohmann::json({250, 250}));
        EXPECT_EQ(s["timerTimes"][1][0], 8 << 8);
        EXPECT_EQ(s["rs232Options"], 0x40);
        EXPECT_EQ(s["irInputs"], nlohmann::json({7, 7, 7, 7}));
        EXPECT_EQ(s["displayOptions"], nlohmann::json({5, 0x33, 0x22, 0, 31, 2, 1}));
        EXPECT_EQ(s["roomTestToneFreq"], 21);
        EXPECT_EQ(s["roomFilterCenter"], 60);
        EXPECT_EQ(s["sourceRecord"][8][12], 27);
        EXPECT_EQ(s["presetOffset"].size(), 24u);
    }
    EXPECT_EQ(dump["unit"]["tunerFrequency"], nlohmann::json({53, 875, 875, 875}));
    EXPECT_EQ(dump["unit"]["tunerFlags"], 15);
}

TEST(VelmarctlDefaults, ModelSelectsTheDisplayDefaults)
{
    test::ScratchDir dir;
    const auto path = dir.file("d1.q20");
    ASSERT_EQ(runTool("defaults --model corvalent-d1 " + path).status, 0);
    const auto dump = dumpJson("--model corvalent-d1 " + path);
    EXPECT_EQ(dump["sets"]["User"]["displayOptions"][6], 0);
    EXPECT_EQ(dump["sets"]["User"]["displayTail"], nlohmann::json({15, 10, 5}));
}

TEST(VelmarctlDump, RawImageAndRefusedSections)
{
    test::ScratchDir dir;
    const auto q20 = dir.file("a.q20");
    ASSERT_EQ(runTool("defaults " + q20).status, 0);
    Image image{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(q20, image, message));
    image[0x200] = 14;         // a User main block from the future
    image[0xC00 + 7] ^= 0x01;  // a damaged Current source block
    const auto raw = dir.file("a.bin");
    std::ofstream(raw, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());

    const auto dump = dumpJson("--image " + raw);
    EXPECT_EQ(dump["refused"], nlohmann::json({"User main block", "Current source block"}));

    const auto text = runTool("dump --image " + raw);
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Refused sections: User main block, Current source block"), std::string::npos);
    EXPECT_NE(text.out.find("Installer settings"), std::string::npos);
}

TEST(VelmarctlBadInput, ClearMessagesAndNothingWritten)
{
    test::ScratchDir dir;
    auto missing = runTool("dump " + dir.file("missing.q20"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.out.find(kSettingsFileOpenErrorText), std::string::npos);

    const auto bad = dir.file("bad.q20");
    std::ofstream(bad) << "S1130010000000000000000000000000000000000dd\n";
    auto checksum = runTool("dump " + bad);
    EXPECT_NE(checksum.status, 0);
    EXPECT_NE(checksum.out.find(kSettingsFileChecksumErrorText), std::string::npos);

    const auto shortImage = dir.file("short.bin");
    std::ofstream(shortImage, std::ios::binary) << "tiny";
    auto wrongSize = runTool("dump --image " + shortImage);
    EXPECT_NE(wrongSize.status, 0);
    EXPECT_NE(wrongSize.out.find("4096 bytes"), std::string::npos);

    const auto nowhere = dir.file("no-such-dir/out.q20");
    EXPECT_NE(runTool("defaults " + nowhere).status, 0);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

}  // namespace
}  // namespace velmar

namespace velmar {
namespace {

// A copy of a settings file with one User setting changed through the store.
void writeWithUserInputLevel(const std::string& from, const std::string& to, int level)
{
    SettingsStore store;
    std::string message;
    ASSERT_TRUE(readSettingsFile(from, store.readImage, message));
    copyReadToWrite(store);
    prepareStore(store, false);
    ASSERT_TRUE(decodeSet(store, kUserBase));
    store.setInputLevel(2, level);
    encodeSet(store, kUserBase);
    ASSERT_TRUE(writeSettingsFile(to, store.writeImage, message));
}

TEST(VelmarctlConvertAndDiff, ConvertKeepsEverySettingAndDiffFindsOneChange)
{
    test::ScratchDir dir;
    const auto a = dir.file("a.q20"), b = dir.file("b.q20"), c = dir.file("c.q20");
    ASSERT_EQ(runTool("defaults " + a).status, 0);
    ASSERT_EQ(runTool("convert " + a + " " + b).status, 0);
    const auto same = runTool("diff " + a + " " + b);
    EXPECT_EQ(same.status, 0) << same.out;
    EXPECT_EQ(same.out, "");

    writeWithUserInputLevel(a, c, 7);
    const auto differ = runTool("diff --json " + a + " " + c);
    EXPECT_EQ(differ.status, 1);
    const auto list = nlohmann::json::parse(differ.out, nullptr, false);
    ASSERT_EQ(list.size(), 1u) << differ.out;
    EXPECT_EQ(list[0]["set"], "User");
    EXPECT_NE(list[0]["field"].get<std::string>().find("[2]"), std::string::npos);
    EXPECT_EQ(list[0]["b"], "7");

    const auto missing = runTool("diff " + a + " " + dir.file("none.q20"));
    EXPECT_EQ(missing.status, 2) << "trouble, not a difference";
    EXPECT_NE(missing.out.find(fileMessage(kSettingsFileOpenErrorText, dir.file("none.q20"))), std::string::npos)
        << missing.out;
}

}  // namespace
}  // namespace velmar
