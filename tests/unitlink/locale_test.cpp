// The unit's texts under a locale that writes decimals with a comma, as every program runs once
// Qt has called setlocale(LC_ALL, ""): versions, clock and checksums are read and written as the
// unit writes them.
#include <gtest/gtest.h>

#include "comma_locale.h"
#include "sim_bench.h"
#include "unitlink/identification.h"
#include "unitlink/loader_rules.h"
#include "unitlink/unit_numbers.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::CommaLocale;
using velmar::test::SimBench;

namespace {

sim::UnitConfig unit(const std::string& model, const std::string& version)
{
    sim::UnitConfig c;
    c.model = model;
    c.version = version;
    return c;
}

void connect(SimBench& b)
{
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m)) << m;
    ASSERT_TRUE(b.link.OpenPort(m)) << m;
}

std::function<std::tm()> at(int hour, int minute)
{
    return [hour, minute] {
        std::tm t{};
        t.tm_year = 126;
        t.tm_mday = 1;
        t.tm_hour = hour;
        t.tm_min = minute;
        return t;
    };
}

}  // namespace

TEST(CommaLocale, FirmwareVersionsAreReadAndShownWithAPoint)
{
    CommaLocale locale;
    SKIP_WITHOUT_COMMA_LOCALE(locale);
    const struct {
        const char* model;
        const char* version;
        double number;
        const char* text;
    } cases[] = {
        {"QRX 30", "2.20", 2.20, "QRX30 Firmware Version: 2.20"},
        {"QRX 20", "2.10", 2.10, "QRX20 Firmware Version: 2.10"},
        {"Corvalent D1", "1.05a", 1.05, "D1 Firmware Version: 1.05a"},
    };
    for (const auto& c : cases) {
        SimBench b(Variant::Editor, unit(c.model, c.version));
        connect(b);
        ModelKind kind = ModelKind::Undetected;
        b.link.ReadFirmwareVersion(kind);
        // Exactly the decimal the unit wrote, so that "2.10" is not a hair below 2.1.
        EXPECT_EQ(b.link.firmwareVersion(), c.number) << c.model;
        EXPECT_EQ(UnitLink::firmwareVersionText(kind, b.link.firmwareVersion(), b.link.firmwareSuffix()), c.text);
        EXPECT_EQ(b.link.ReadFirmwareVersionNumber(kind), c.number) << c.model;
    }
}

TEST(CommaLocale, TwelveHourClockKeepsItsAmAndPm)
{
    CommaLocale locale;
    SKIP_WITHOUT_COMMA_LOCALE(locale);
    auto config = unit("QRX 30", "2.20");
    config.clock24h = false;
    const struct {
        int hour, minute;
        const char* text;
    } cases[] = {{14, 5, "02:05PM"}, {9, 30, "09:30AM"}, {0, 7, "12:07AM"}, {12, 0, "12:00PM"}, {23, 59, "11:59PM"}};
    for (const auto& c : cases) {
        SimBench b(Variant::Installer, config);
        b.link.setLocalTimeSource(at(c.hour, c.minute));
        connect(b);
        EXPECT_TRUE(b.link.SetUnitClock());
        EXPECT_EQ(b.unit.clockText(), c.text);
    }
}

TEST(CommaLocale, ChecksumRepliesAreHexadecimal)
{
    CommaLocale locale;
    SKIP_WITHOUT_COMMA_LOCALE(locale);
    EXPECT_EQ(checksumFromReply("Checksum: 1FE0000\r\n"), 0x1FE0000u);
    EXPECT_EQ(checksumFromReply("junk Checksum:abc"), 0xABCu);
    EXPECT_EQ(checksumFromReply("Checksum: 0x12"), 0x12u);
    EXPECT_FALSE(checksumFromReply("Checksum: \r\n"));
    EXPECT_FALSE(checksumFromReply("Checksum: 123456789"));  // more than the 32 bits a sum has
    EXPECT_FALSE(checksumFromReply("checksum: 12"));
}

TEST(UnitNumbers, TakeWhatTheUnitWritesAndLeaveTheRest)
{
    std::string_view text = "  2.20b rest";
    EXPECT_EQ(takeDecimal(text), 2.20);
    EXPECT_EQ(text, "b rest");
    EXPECT_EQ(takeWord(text), "b");
    EXPECT_EQ(takeWord(text), "rest");
    EXPECT_EQ(takeWord(text), "");
    for (std::string_view bad : {"", " ", "v2.20", "inf", "nan", "1,5"}) {
        std::string_view rest = bad;
        const auto number = takeDecimal(rest);
        if (bad == "1,5") {
            EXPECT_EQ(number, 1.0);  // the comma is no decimal mark for the unit
            EXPECT_EQ(rest, ",5");
        } else {
            EXPECT_FALSE(number) << bad;
            EXPECT_EQ(rest, bad);
        }
    }
    text = "+1.5-";
    EXPECT_EQ(takeDecimal(text), 1.5);
    EXPECT_EQ(fixedTwoDecimals(2.2), "2.20");
    EXPECT_EQ(fixedTwoDecimals(1.005), "1.00");  // the double below 1.005, rounded as printf rounds
    EXPECT_EQ(fixedTwoDecimals(-0.5), "-0.50");
}

TEST(UnitNumbers, FirmwareRepliesByTag)
{
    const auto qrx30 = firmwareFromReply("junk QRX 30 Version 2.20 240V\r\n");
    ASSERT_TRUE(qrx30);
    EXPECT_EQ(qrx30->kind, ModelKind::Qrx30);
    EXPECT_EQ(qrx30->version, 2.20);
    EXPECT_EQ(qrx30->suffix, ' ');
    const auto d1 = firmwareFromReply("Corvalent D1 v3.01c");
    ASSERT_TRUE(d1);
    EXPECT_EQ(d1->kind, ModelKind::CorvalentD1);
    EXPECT_EQ(d1->version, 3.01);
    EXPECT_EQ(d1->suffix, 'c');
    // A tag without a number names the kind only.
    for (const char* reply : {"QRX 20 Version", "QRX 20 Version x1.00", "Corvalent D1 v", "Corvalent D1 v "}) {
        const auto firmware = firmwareFromReply(reply);
        ASSERT_TRUE(firmware) << reply;
        EXPECT_EQ(firmware->version, 0.0) << reply;
        EXPECT_EQ(firmware->suffix, 0) << reply;
    }
    EXPECT_FALSE(firmwareFromReply("QRX 2 Version 1.00"));
    EXPECT_FALSE(firmwareFromReply(""));
}
