#include "platform/port_names.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "environment.h"

using velmar::platform::PortNames;

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
    velmar::test::setEnvironment("VELMAR_PORTS", "/tmp/a,/tmp/b");
    EXPECT_EQ(PortNames::select("").resolve("COM2"), "/tmp/b");
    EXPECT_EQ(PortNames::select("/tmp/c").resolve("COM1"), "/tmp/c");
    velmar::test::unsetEnvironment("VELMAR_PORTS");
}

// Windows lists its ports in no useful order; the link's COM1 is the lowest-numbered one.
TEST(PortNames, SystemPortNamesInNumberOrder)
{
    const auto names = PortNames::fromComNames({"COM10", "COM3", "COM9", "COM4"});
    const std::vector<std::string> expected = {"COM3", "COM4", "COM9", "COM10"};
    EXPECT_EQ(names.paths(), expected);
    EXPECT_EQ(names.resolve("COM1"), "COM3");
}
