#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/port_names.h"
#include "scratch_dir.h"

using velmar::platform::PortNames;
namespace fs = std::filesystem;

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
