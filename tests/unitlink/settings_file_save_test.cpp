#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "scratch_dir.h"
#include "unitlink/settings_file.h"

namespace velmar {
namespace {

Image patterned()
{
    Image image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return image;
}

class SettingsFileOnDisk : public ::testing::Test {
protected:
    test::ScratchDir dir;
};

TEST_F(SettingsFileOnDisk, SaveThenLoad)
{
    const Image image = patterned();
    std::string message;
    ASSERT_TRUE(writeSettingsFile(dir.file("default.q20"), image, message));
    EXPECT_EQ(message, kSettingsSavedText);
    const auto text = test::readFile(dir.file("default.q20"));
    EXPECT_EQ(text, formatSettingsRecords(image));
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(dir.entries(), 1u) << "no temporary file is left beside the saved one";

    Image loaded{};
    ASSERT_TRUE(readSettingsFile(dir.file("default.q20"), loaded, message)) << message;
    EXPECT_EQ(loaded[16], image[16]);
    EXPECT_EQ(loaded[3583], image[3583]);
}

TEST_F(SettingsFileOnDisk, LoadFailsToOpenMissingFileOrDirectory)
{
    for (const auto& [name, error] :
         {std::pair{std::string("missing.q20"), ENOENT}, std::pair{std::string(), EISDIR}}) {
        Image image = patterned();
        std::string message;
        EXPECT_FALSE(readSettingsFile(dir.file(name), image, message)) << name;
        EXPECT_EQ(message, fileMessage(kSettingsFileOpenErrorText, dir.file(name), std::strerror(error)));
        EXPECT_EQ(image, patterned());
    }
}

TEST_F(SettingsFileOnDisk, SaveIntoMissingDirectoryCreatesNothing)
{
    std::string message;
    EXPECT_FALSE(writeSettingsFile(dir.file("no/such/dir.q20"), patterned(), message));
    EXPECT_EQ(message, fileMessage(kSettingsFileOpenErrorText, dir.file("no/such/dir.q20"), std::strerror(ENOENT)));
    EXPECT_EQ(dir.entries(), 0u);
}

// A file size limit makes the save fail after part of the file has been written, the way a
// full disk would.
TEST_F(SettingsFileOnDisk, SaveFailingPartWayKeepsTheOldFile)
{
    test::writeFile(dir.file("old.q20"), "previous contents");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    std::string message;
    const bool saved_ok = writeSettingsFile(dir.file("old.q20"), patterned(), message);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(message, fileMessage(kSettingsFileOpenErrorText, dir.file("old.q20"), std::strerror(EFBIG)));
    EXPECT_EQ(test::readFile(dir.file("old.q20")), "previous contents");
    EXPECT_EQ(dir.entries(), 1u);
}

TEST_F(SettingsFileOnDisk, SaveThroughLinkReplacesTargetAndKeepsItsPermissions)
{
    test::writeFile(dir.file("real.q20"), "old");
    ::chmod(dir.file("real.q20").c_str(), 0640);
    std::filesystem::create_symlink("real.q20", dir.file("link.q20"));
    std::string message;
    ASSERT_TRUE(writeSettingsFile(dir.file("link.q20"), patterned(), message));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.q20")));
    EXPECT_EQ(test::readFile(dir.file("real.q20")), formatSettingsRecords(patterned()));
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("real.q20").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace velmar
