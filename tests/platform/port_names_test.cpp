#include "platform/port_names.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "scratch_dir.h"

using velmar::platform::PortNames;
namespace fs = std::filesystem;

TEST(PortNames, ComNumbers)
{
    EXPECT_EQ(PortNames::comNumber("COM1"), 1);
    EXPECT_EQ(PortNames::comNumber("COM12"), 12);
    EXPECT_EQ(PortNames::comNumber("COM0"), std::nullopt);
    EXPECT_EQ(PortNames::comNumber("COM"), std::nullopt);
    EXPECT_EQ(PortNames::comNumber("COMx"), std::nullopt);
    EXPECT_EQ(PortNames::comNumber("/dev/ttyS0"), std::nullopt);
}

TEST(PortNames, ListResolvesComNamesInOrder)
{
    const auto names = PortNames::fromList(" /dev/ttyUSB0, /tmp/sim ,,/dev/ttyS1");
    ASSERT_EQ(names.paths().size(), 3u);
    EXPECT_EQ(names.resolve("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(names.resolve("COM2"), "/tmp/sim");
    EXPECT_EQ(names.resolve("COM3"), "/dev/ttyS1");
    EXPECT_EQ(names.resolve("COM4"), std::nullopt);
    EXPECT_EQ(names.resolve("/dev/pts/3"), "/dev/pts/3");  // paths pass through
    EXPECT_EQ(names.resolve(""), std::nullopt);
}

TEST(PortNames, OptionThenEnvironment)
{
    ::setenv("VELMAR_PORTS", "/tmp/a,/tmp/b", 1);
    EXPECT_EQ(PortNames::select("").resolve("COM2"), "/tmp/b");
    EXPECT_EQ(PortNames::select("/tmp/c").resolve("COM1"), "/tmp/c");
    ::unsetenv("VELMAR_PORTS");
}

TEST(PortNames, DiscoverOrdersUsbThenAcmThenRealSerialPorts)
{
    const velmar::test::ScratchDir sysfs;
    const fs::path& root = sysfs.path();
    auto tty = [&](const std::string& name, bool device, int type = -1) {
        fs::create_directories(root / name);
        if (device)
            fs::create_directories(root / name / "device");
        if (type >= 0)
            std::ofstream(root / name / "type") << type << "\n";
    };
    tty("ttyUSB10", true);
    tty("ttyUSB2", true);
    tty("ttyACM0", true);
    tty("ttyS0", true, 4);
    tty("ttyS1", true, 0);  // no hardware behind it
    tty("ttyS2", true, 4);
    tty("tty0", false);
    tty("ttyUSB3", false);  // no device link
    const auto names = PortNames::discover(root.string(), "/dev");
    const std::vector<std::string> expected = {"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyS0",
                                               "/dev/ttyS2"};
    EXPECT_EQ(names.paths(), expected);
}

TEST(PortNames, DiscoverOnAMissingTreeIsEmpty)
{
    EXPECT_TRUE(PortNames::discover("/nonexistent/sys/class/tty").paths().empty());
}
