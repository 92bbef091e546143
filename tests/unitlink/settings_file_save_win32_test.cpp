// Saving and loading settings files on Windows: the same guarantees as elsewhere, in its terms.
#include <windows.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/regular_file.h"
#include "platform/win32_text.h"
#include "scratch_dir.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

using platform::win32::errorText;

Image patterned()
{
    Image image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return image;
}

class SettingsFileOnWindows : public ::testing::Test {
protected:
    test::ScratchDir dir;
};

// A name outside the ANSI code page reaches the file system whole, and the file holds "\n"
// line ends as on every system (the settings file is the same bytes everywhere).
TEST_F(SettingsFileOnWindows, SaveThenLoadUnderAUnicodeName)
{
    const std::string name = "\xCE\xA1\xCF\x8D\xCE\xB8\xCE\xBC\xCE\xB9\xCF\x83\xCE\xB7-\xE8\xA8\xAD\xE5\xAE\x9A.q20";
    const std::string path = dir.path().string() + "\\" + name;  // the folder's name is ASCII
    std::string message;
    ASSERT_TRUE(writeSettingsFile(path, patterned(), message)) << message;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / std::filesystem::u8path(name)));
    EXPECT_EQ(dir.entries(), 1u) << "no temporary file is left beside the saved one";

    Image loaded{};
    ASSERT_TRUE(readSettingsFile(path, loaded, message)) << message;
    EXPECT_EQ(loaded[16], patterned()[16]);
    EXPECT_EQ(loaded[3583], patterned()[3583]);
    std::string bytes, reason;
    ASSERT_TRUE(platform::readRegularFile(path, 1 << 20, bytes, reason));
    EXPECT_EQ(bytes, formatSettingsRecords(patterned()));
}

// What cannot take a settings file is refused by the check before a save and by the save alike,
// with one message, and nothing is left behind or changed. Device names are refused by name: a
// serial port or the console is never opened to find out.
TEST_F(SettingsFileOnWindows, DirectoriesDevicesAndReadOnlyFilesAreRefused)
{
    const std::string folder = dir.file("folder.q20"), readOnly = dir.file("kept.q20");
    std::filesystem::create_directory(folder);
    test::writeFile(readOnly, "previous contents");
    ASSERT_TRUE(SetFileAttributesW(platform::win32::widen(readOnly).c_str(), FILE_ATTRIBUTE_READONLY));

    struct Target {
        std::string path;
        std::string reason;
    };
    const std::string device(platform::kNotRegularFileText);
    const std::vector<Target> targets{
        {folder, std::strerror(EISDIR)},
        {readOnly, errorText(ERROR_ACCESS_DENIED)},
        {"NUL", device},
        {dir.file("con.q20"), device},
        {dir.file("Com1"), device},
        {"\\\\.\\COM1", device},
        {dir.file("LPT9.txt.q20"), device},
    };
    for (const auto& target : targets) {
        SCOPED_TRACE(target.path);
        const std::string expected = fileMessage(kSettingsFileOpenErrorText, target.path, target.reason);
        std::string checked, saved;
        EXPECT_FALSE(checkSettingsFileWritable(target.path, checked));
        EXPECT_EQ(checked, expected);
        EXPECT_FALSE(writeSettingsFile(target.path, patterned(), saved));
        EXPECT_EQ(saved, expected);
    }
    EXPECT_EQ(test::readFile(readOnly), "previous contents");
    EXPECT_EQ(dir.entries(), 2u);

    Image image{};
    std::string message;
    EXPECT_FALSE(readSettingsFile("COM1", image, message));
    EXPECT_EQ(message, fileMessage(kSettingsFileOpenErrorText, "COM1", device));
    SetFileAttributesW(platform::win32::widen(readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Names that only look like devices are ordinary files.
TEST_F(SettingsFileOnWindows, NamesThatOnlyResembleDevicesAreFiles)
{
    for (const char* name : {"COM10.q20", "console.q20", "nullity", "COM0x.q20"}) {
        SCOPED_TRACE(name);
        std::string message;
        EXPECT_TRUE(writeSettingsFile(dir.file(name), patterned(), message)) << message;
    }
}

TEST_F(SettingsFileOnWindows, MissingFileOrFolderIsNamedWithTheSystemsReason)
{
    Image image = patterned();
    std::string message;
    EXPECT_FALSE(readSettingsFile(dir.file("missing.q20"), image, message));
    EXPECT_EQ(message,
              fileMessage(kSettingsFileOpenErrorText, dir.file("missing.q20"), errorText(ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(image, patterned());

    const std::string nowhere = dir.file("no\\such\\dir.q20");
    EXPECT_FALSE(writeSettingsFile(nowhere, patterned(), message));
    EXPECT_EQ(message, fileMessage(kSettingsFileOpenErrorText, nowhere, errorText(ERROR_PATH_NOT_FOUND)));
    EXPECT_EQ(dir.entries(), 0u);
}

// Another program holding the file without letting it be deleted stops the replacement at its
// last step: the old contents stay and the new file beside it is removed.
TEST_F(SettingsFileOnWindows, AReplacementThatFailsKeepsTheOldFile)
{
    const std::string path = dir.file("held.q20");
    test::writeFile(path, "previous contents");
    const HANDLE held = CreateFileW(platform::win32::widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string message;
    const bool saved = writeSettingsFile(path, patterned(), message);
    CloseHandle(held);
    EXPECT_FALSE(saved);
    EXPECT_EQ(message.rfind(fileMessage(kSettingsFileOpenErrorText, path), 0), 0u) << message;
    EXPECT_EQ(test::readFile(path), "previous contents");
    EXPECT_EQ(dir.entries(), 1u);
}

}  // namespace
}  // namespace velmar
