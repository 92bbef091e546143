// velmarctl against files that are not what they claim to be, and against output that cannot be
// written, run as a user runs it. Every command runs under a time limit: a read that blocks on a
// FIFO or never ends on a device fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
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

using test::ToolResult;

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// velmarctl with stderr into the result and stdout wherever `stdoutTo` sends it ("" keeps it).
test::Command command(const std::string& arguments, const std::string& stdoutTo = "")
{
    auto command = test::toolCommand(arguments);
    command.outputTo = stdoutTo;
    command.timeLimit = std::chrono::seconds(60);
    return command;
}

ToolResult run(const std::string& arguments, const std::string& stdoutTo = "")
{
    return test::runProcess(command(arguments, stdoutTo));
}

mode_t typeOf(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

std::string refusedSave(const std::string& path, std::string_view reason)
{
    return fileMessage(kSettingsFileOpenErrorText, path, reason);
}

void bindSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
    ::close(fd);
}

TEST(VelmarctlTargets, SavingOntoAFifoSocketOrLinkToOneIsRefusedAndLeavesItAlone)
{
    test::ScratchDir dir;
    const auto fifo = dir.file("fifo.q20"), socket = dir.file("socket.q20"), link = dir.file("link.q20");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    bindSocket(socket);
    std::filesystem::create_symlink(fifo, link);

    for (const auto& [target, type] :
         {std::pair{fifo, S_IFIFO}, std::pair{socket, S_IFSOCK}, std::pair{link, S_IFLNK}}) {
        SCOPED_TRACE(target);
        const auto saved = run("defaults " + target);
        EXPECT_EQ(saved.status, 1);
        EXPECT_TRUE(holds(saved.out, refusedSave(target, "not a regular file"))) << saved.out;
        EXPECT_EQ(typeOf(target), static_cast<mode_t>(type)) << "the target is still what it was";
    }
    EXPECT_EQ(typeOf(fifo), static_cast<mode_t>(S_IFIFO));
}

TEST(VelmarctlTargets, ADeviceNodeIsNeitherReplacedNorRead)
{
    test::ScratchDir dir;
    const auto node = dir.file("full.q20");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make a device node here (" << std::strerror(errno) << "; mknod needs root)";
    const auto saved = run("defaults " + node);
    EXPECT_NE(saved.status, 0);
    EXPECT_TRUE(holds(saved.out, refusedSave(node, "not a regular file"))) << saved.out;
    EXPECT_EQ(typeOf(node), static_cast<mode_t>(S_IFCHR));

    const auto read = run("dump " + node);
    EXPECT_NE(read.status, 0);
    EXPECT_TRUE(holds(read.out, refusedSave(node, "not a regular file"))) << read.out;
}

// Renaming over a file needs only the directory's permission; the user's right to the file
// itself must decide. Root may write anything, so as root the tool runs as nobody.
TEST(VelmarctlTargets, AWriteProtectedFileIsRefusedAndKept)
{
    test::ScratchDir dir;
    const auto file = dir.file("kept.q20");
    ASSERT_EQ(run("defaults " + file).status, 0);
    const std::string before = test::readFile(file);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    auto save = command("defaults --model qrx30 " + file);
    if (::geteuid() == 0) {
        if (test::runProcess(test::Command({"setpriv", "--version"})).status != 0)
            GTEST_SKIP() << "running as root without setpriv: cannot drop privileges to test this";
        // nobody may enter the directory and create files in it, but not write the file.
        ASSERT_EQ(::chmod(std::filesystem::path(file).parent_path().c_str(), 0777), 0);
        save.args.insert(save.args.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    const auto saved = test::runProcess(save);
    EXPECT_NE(saved.status, 0);
    EXPECT_TRUE(holds(saved.out, refusedSave(file, std::strerror(EACCES)))) << saved.out;
    EXPECT_EQ(test::readFile(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(file).parent_path()),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST(VelmarctlReading, OnlyRegularFilesAndNeverMoreThanNeeded)
{
    test::ScratchDir dir;
    const auto fifo = dir.file("fifo.q20");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    for (const auto& source : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(source);
        const auto settings = run("dump " + source);
        EXPECT_EQ(settings.status, 1) << settings.out;
        EXPECT_TRUE(holds(settings.out, refusedSave(source, "not a regular file"))) << settings.out;
        const auto image = run("dump --image " + source);
        EXPECT_EQ(image.status, 1) << image.out;
        EXPECT_TRUE(holds(image.out, "not a regular file")) << image.out;
    }
    const auto directory = run("dump --image " + dir.file(""));
    EXPECT_EQ(directory.status, 1) << directory.out;
    EXPECT_TRUE(holds(directory.out, std::strerror(EISDIR))) << directory.out;

    // A sparse 256 MB file costs no disk; read whole, it would not fit under the memory limit.
    const auto huge = dir.file("huge.bin");
    {
        std::ofstream(huge, std::ios::binary);
    }
    std::filesystem::resize_file(huge, 256u << 20);
    for (const std::string dump : {"dump --image ", "dump "}) {
        auto limited = command(dump + huge);
        if (test::kOurProgramsTakeMemoryLimits)
            limited.memoryLimit = std::size_t{128} << 20;
        const auto big = test::runProcess(limited);
        EXPECT_EQ(big.status, 1) << dump << big.out;
        EXPECT_TRUE(holds(big.out, "larger than")) << dump << big.out;
    }
}

TEST(VelmarctlReading, AFileWithoutADataRecordIsNotASettingsFile)
{
    test::ScratchDir dir;
    const auto good = dir.file("good.q20");
    ASSERT_EQ(run("defaults " + good).status, 0);
    // The same records as UTF-16: every other byte a NUL, so no record can be read.
    std::string wide = "\xFF\xFE";
    for (const char c : test::readFile(good))
        wide += std::string{c, '\0'};
    const auto utf16 = dir.file("utf16.q20"), text = dir.file("notes.txt"), empty = dir.file("empty.q20");
    std::ofstream(utf16, std::ios::binary) << wide;
    std::ofstream(text) << "S0 header only\nsome notes\n";
    {
        std::ofstream create(empty);
    }

    for (const auto& file : {utf16, text, empty}) {
        SCOPED_TRACE(file);
        const std::string refusal = fileMessage(kSettingsFileNoRecordsText, file);
        const auto dump = run("dump " + file);
        EXPECT_EQ(dump.status, 1);
        EXPECT_TRUE(holds(dump.out, refusal)) << dump.out;
        // Refused before any port is looked at, so nothing reaches a unit.
        const auto restore = run("restore " + file + " --ports " + dir.file("no-such-tty"));
        EXPECT_EQ(restore.status, 1);
        EXPECT_TRUE(holds(restore.out, refusal)) << restore.out;
        EXPECT_FALSE(holds(restore.out, "Searching")) << restore.out;
        EXPECT_FALSE(holds(restore.out, "no-such-tty")) << restore.out;
    }
    const auto diff = run("diff " + good + " " + text);
    EXPECT_EQ(diff.status, 2) << "trouble, not a difference";
    EXPECT_TRUE(holds(diff.out, fileMessage(kSettingsFileNoRecordsText, text))) << "names the file that failed";
}

// A copy of a settings file with the name of the User set's fourth source changed.
void writeWithSourceName(const std::string& from, const std::string& to, const std::string& name)
{
    SettingsStore store;
    std::string message;
    ASSERT_TRUE(readSettingsFile(from, store.readImage, message)) << message;
    copyReadToWrite(store);
    prepareStore(store, false);
    ASSERT_TRUE(decodeSet(store, kUserBase));
    store.setSourceName(3, name);
    encodeSet(store, kUserBase);
    ASSERT_TRUE(writeSettingsFile(to, store.writeImage, message)) << message;
}

// The names a unit holds are bytes: here a Latin-1 letter and a terminal escape sequence.
TEST(VelmarctlOutput, NamesWithLatin1AndControlBytesGiveValidJsonAndEscapedText)
{
    test::ScratchDir dir;
    const auto plain = dir.file("plain.q20"), named = dir.file("named.q20");
    ASSERT_EQ(run("defaults " + plain).status, 0);
    writeWithSourceName(plain, named, "\xE9t\x1B[2J");

    const auto json = run("dump --json " + named);
    ASSERT_EQ(json.status, 0) << json.out;
    const auto document = nlohmann::json::parse(json.out, nullptr, false);
    ASSERT_FALSE(document.is_discarded()) << json.out;
    EXPECT_EQ(document["sets"]["User"]["sourceName"][3], "\xC3\xA9t\x1B[2J") << "Latin-1 decoded to UTF-8";

    const auto text = run("dump " + named);
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(holds(text.out, "\\xE9t\\x1B[2J")) << text.out;
    EXPECT_FALSE(holds(text.out, "\x1B")) << "no raw escape reaches the terminal";

    const auto differences = run("diff --json " + plain + " " + named);
    EXPECT_EQ(differences.status, 1) << differences.out;
    const auto list = nlohmann::json::parse(differences.out, nullptr, false);
    ASSERT_FALSE(list.is_discarded()) << differences.out;
    EXPECT_TRUE(holds(list.dump(), "\\u001b[2J")) << differences.out;

    const auto diffText = run("diff " + plain + " " + named);
    EXPECT_EQ(diffText.status, 1);
    EXPECT_FALSE(holds(diffText.out, "\x1B")) << diffText.out;
    EXPECT_TRUE(holds(diffText.out, "\\x1B")) << diffText.out;
}

TEST(VelmarctlOutput, AFailedWriteToStdoutFails)
{
    test::ScratchDir dir;
    const auto a = dir.file("a.q20"), b = dir.file("b.q20");
    ASSERT_EQ(run("defaults " + a).status, 0);
    writeWithSourceName(a, b, "VCR 2 ");
    const auto dump = run("dump " + a, "/dev/full");
    EXPECT_EQ(dump.status, 1);
    EXPECT_TRUE(holds(dump.out, "cannot write to standard output")) << dump.out;
    EXPECT_EQ(run("dump --json " + a, "/dev/full").status, 1);
    EXPECT_EQ(run("diff " + a + " " + b, "/dev/full").status, 2) << "diff's trouble is 2, not 'different'";
    EXPECT_EQ(run("diff " + a + " " + b, "/dev/null").status, 1);
}

TEST(VelmarctlOutput, WrongCommandLinesExitTwoAndEveryCommandListsItsExitStatuses)
{
    EXPECT_EQ(run("diff only-one.q20").status, 2);
    EXPECT_EQ(run("dump").status, 2);
    EXPECT_EQ(run("no-such-command").status, 2);
    for (const char* command : {"defaults", "dump", "convert", "diff", "detect", "backup", "restore", "flash", "verify",
                                "eeprom", "upgrade"}) {
        const auto help = run(std::string(command) + " --help");
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(holds(help.out, "Exit status: 0 ")) << command << help.out;
    }
}

TEST(VelmarctlPorts, APortPathThatIsMissingOrNotATerminalIsNamed)
{
    test::ScratchDir dir;
    const auto missing = dir.file("ttyMISSING"), plain = dir.file("plain");
    {
        std::ofstream(plain) << "x";
    }
    const auto absent = run("detect --ports " + missing);
    EXPECT_EQ(absent.status, 1);
    EXPECT_TRUE(holds(absent.out, missing + " (COM1): " + std::strerror(ENOENT))) << absent.out;
    const auto notTerminal = run("backup " + dir.file("out.q20") + " --ports " + plain);
    EXPECT_EQ(notTerminal.status, 1);
    EXPECT_TRUE(holds(notTerminal.out, plain + " (COM1) is not a terminal")) << notTerminal.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.q20")));
}

}  // namespace
}  // namespace velmar
