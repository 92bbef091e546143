// velmarctl as a Windows user runs it: names outside the ANSI code page, device names where a
// file is expected, ports by their system names, output the same bytes as elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/regular_file.h"
#include "run_tool.h"
#include "scratch_dir.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

using test::runTool;

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

TEST(VelmarctlOnWindows, UnicodeFileNamesOnTheCommandLineReachTheFile)
{
    test::ScratchDir dir;
    const std::string name = "\xE8\xA8\xAD\xE5\xAE\x9A-\xCE\xA1\xCF\x8D\xCE\xB8\xCE\xBC\xCE\xB9\xCF\x83\xCE\xB7.q20";
    const std::string path = dir.path().string() + "\\" + name;  // the folder's name is ASCII
    const auto made = runTool("defaults " + path);
    ASSERT_EQ(made.status, 0) << made.out;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / std::filesystem::u8path(name)));
    const auto dump = runTool("dump " + path);
    EXPECT_EQ(dump.status, 0) << dump.out;
    EXPECT_TRUE(holds(dump.out, "Installer settings")) << dump.out;
}

TEST(VelmarctlOnWindows, OutputAndFilesHaveTheSameLineEndsAsElsewhere)
{
    test::ScratchDir dir;
    const auto path = dir.file("a.q20");
    ASSERT_EQ(runTool("defaults " + path).status, 0);
    const auto dump = runTool("dump --json " + path);
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out.find('\r'), std::string::npos);
    const std::string file = test::readFile(path);
    EXPECT_EQ(file.find('\r'), std::string::npos);
    EXPECT_EQ(file.substr(0, 8), "S1130010");
}

TEST(VelmarctlOnWindows, DeviceNamesAreRefusedAsFilesAndLeftClosed)
{
    test::ScratchDir dir;
    for (const std::string& target : {std::string("NUL"), std::string("CON"), dir.file("com1.q20")}) {
        SCOPED_TRACE(target);
        const auto saved = runTool("defaults " + target);
        EXPECT_EQ(saved.status, 1);
        EXPECT_TRUE(holds(saved.out, fileMessage(kSettingsFileOpenErrorText, target, platform::kNotRegularFileText)))
            << saved.out;
        const auto read = runTool("dump " + target);
        EXPECT_EQ(read.status, 1);
    }
    EXPECT_EQ(dir.entries(), 0u);
}

// A named port that the system does not have is reported with the device and the link's name
// for it, and the scan ends without a unit.
TEST(VelmarctlOnWindows, APortThatDoesNotExistIsNamed)
{
    const auto result = runTool("detect --ports COM199");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(holds(result.out, "cannot open \\\\.\\COM199 (COM1): ")) << result.out;
}

}  // namespace
}  // namespace velmar
