#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// What is at path, read only when it is a regular file (a FIFO would block the reader).
std::string whatIsAt(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return "nothing";
    if (!S_ISREG(st.st_mode))
        return "type " + std::to_string(st.st_mode & S_IFMT);
    return "file: " + test::readFile(path);
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

// The check before a save answers as the save would, with its message, and leaves nothing of
// its own behind: neither its trial file nor any change to what was there.
TEST_F(SettingsFileOnDisk, CheckBeforeSavingAnswersAsTheSaveWouldAndLeavesNothing)
{
    struct Target {
        std::string name;
        std::function<void(const std::string&)> make;
        bool writable;
    };
    const std::vector<Target> targets{
        {"missing.q20", [](const std::string&) {}, true},
        {"old.q20", [](const std::string& path) { test::writeFile(path, "previous contents"); }, true},
        {"fifo.q20", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, false},
        {"folder.q20", [](const std::string& path) { std::filesystem::create_directory(path); }, false},
        {"no/such/dir.q20", [](const std::string&) {}, false},
    };
    for (const auto& target : targets) {
        SCOPED_TRACE(target.name);
        const std::string path = dir.file(target.name);
        target.make(path);
        const auto entries = dir.entries();
        const auto before = whatIsAt(path);
        std::string checked = "untouched";
        EXPECT_EQ(checkSettingsFileWritable(path, checked), target.writable) << checked;
        EXPECT_EQ(dir.entries(), entries);
        EXPECT_EQ(whatIsAt(path), before);
        if (target.writable) {
            EXPECT_EQ(checked, "untouched");
            continue;
        }
        std::string saved;
        EXPECT_FALSE(writeSettingsFile(path, patterned(), saved));
        EXPECT_EQ(checked, saved);
    }
}

// A file the user may write in a directory the user may not: only the trial file finds out.
// Root may write anywhere, so as root the check runs in a child as nobody.
TEST_F(SettingsFileOnDisk, CheckFindsADirectoryThatRefusesTheNewFile)
{
    const std::string folder = dir.file("read-only"), file = folder + "/kept.q20";
    std::filesystem::create_directory(folder);
    test::writeFile(file, "previous contents");
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::string checked, saved;
        const bool writable = checkSettingsFileWritable(file, checked);
        const bool wrote = writeSettingsFile(file, patterned(), saved);
        const std::string report = checked + "\n" + saved;
        (void)!::write(out[1], report.data(), report.size());
        ::_exit(writable || wrote ? 1 : 0);
    }
    ::close(out[1]);
    std::string report;
    char buf[512];
    for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;)
        report.append(buf, static_cast<size_t>(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(folder.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot drop privileges here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << report;
    const std::string refused = fileMessage(kSettingsFileOpenErrorText, file, std::strerror(EACCES));
    EXPECT_EQ(report, refused + "\n" + refused);
    EXPECT_EQ(test::readFile(file), "previous contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
}

}  // namespace
}  // namespace velmar
