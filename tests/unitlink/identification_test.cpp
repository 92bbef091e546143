#include "unitlink/identification.h"

#include <gtest/gtest.h>

#include "unitlink/unit_link.h"

using namespace velmar;
using namespace velmar::unitlink;

TEST(Identification, HdRepliesAreQrx30ForTheInstallerOnly)
{
    const auto* row = classifyReply(Variant::Installer, "?\nQRX 20-HD v1.10\r\n");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->kind, ReplyKind::Application);
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 20-HD v1.10"), UnitModel::QRX_30);
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 30-HD v1.10"), UnitModel::QRX_30);
    EXPECT_EQ(classifyReply(Variant::Editor, "QRX 20-HD v1.10\r\n"), nullptr);
}

TEST(Identification, ModelTagsEndInABlank)
{
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 20 Version 2.00"), UnitModel::QRX_20);
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 2 Version 1.00"), UnitModel::QRX_2);
    EXPECT_EQ(modelFromReply(Variant::Editor, "QRX 20 Version 2.00"), UnitModel::QRX_20);
    EXPECT_EQ(modelFromReply(Variant::Editor, "QRX 2 Version 1.00"), UnitModel::QRX_2);
    EXPECT_EQ(modelFromReply(Variant::Editor, "QRX 30 Version 2.20"), UnitModel::QRX_30);
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 40 v1.0"), UnitModel::QRX_40);
    EXPECT_EQ(modelFromReply(Variant::Installer, "QRX 50 v1.0"), UnitModel::QRX_50);
    EXPECT_EQ(modelFromReply(Variant::Installer, "Corvalent D1 v1.0"), UnitModel::CORVALENT_D1);
    EXPECT_EQ(modelFromReply(Variant::Installer, "Corvalent D1HD v1.0"), UnitModel::CORVALENT_D2);
    EXPECT_EQ(modelFromReply(Variant::Installer, "Corvalent D2 v1.0"), UnitModel::CORVALENT_D2);
    EXPECT_EQ(modelFromReply(Variant::Installer, "something else"), std::nullopt);
    EXPECT_EQ(modelFromReply(Variant::Installer, "CORVALENT D2 ISP"), std::nullopt);
    EXPECT_EQ(modelFromReply(Variant::Installer, "CORVALENT D2 ISP", true), UnitModel::CORVALENT_D2);
    EXPECT_EQ(modelFromReply(Variant::Installer, "CORVALENT D1 ISP", true), UnitModel::CORVALENT_D1);
}

TEST(Identification, EepromProgrammerRowsByProgram)
{
    const auto* row = classifyReply(Variant::Installer, "QRX 40 EEPROM Prog v1.00\r\n");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->kind, ReplyKind::EepromProgrammer);
    EXPECT_EQ(row->model, UnitModel::QRX_40);
    EXPECT_EQ(classifyReply(Variant::Editor, "QRX 40 EEPROM Prog v1.00\r\n"), nullptr);
    EXPECT_EQ(classifyReply(Variant::Editor, "QRX 30 EEPROM Prog")->model, UnitModel::QRX_30);
    EXPECT_EQ(classifyReply(Variant::Editor, "QRX 20-HD EEPROM Prog"), nullptr);
    EXPECT_EQ(classifyReply(Variant::Installer, "QRX 20-HD EEPROM Prog")->model, UnitModel::QRX_30);
    EXPECT_EQ(classifyReply(Variant::Installer, "Corvalent D1HD EEPROM Prog")->model, UnitModel::CORVALENT_D2);
    EXPECT_EQ(classifyReply(Variant::Editor, "Corvalent D1 EEPROM Prog")->model, UnitModel::CORVALENT_D1);
}

TEST(Identification, LoaderAndMonitorReplies)
{
    EXPECT_EQ(classifyReply(Variant::Installer, "CORVALENT D1 ISP\r\n")->kind, ReplyKind::CorvalentLoader);
    EXPECT_EQ(classifyReply(Variant::Editor, "CORVALENT D1 ISP\r\n"), nullptr);
    EXPECT_EQ(classifyReply(Variant::Editor, "Invalid Command\r\n")->kind, ReplyKind::InvalidCommand);
    EXPECT_TRUE(isQrxLoaderReply("??"));
    // Its "?" for the wake-up LF, held back by a USB adapter, may come first.
    EXPECT_TRUE(isQrxLoaderReply("???"));
    EXPECT_FALSE(isQrxLoaderReply("?"));
    EXPECT_FALSE(isQrxLoaderReply("??\r\n"));
    EXPECT_TRUE(isAcceptedLoaderBanner(Variant::Installer, "QRX 40 ISP"));
    EXPECT_FALSE(isAcceptedLoaderBanner(Variant::Editor, "QRX 40 ISP"));
}

TEST(Identification, FirstMatchDecides)
{
    // Every application row the editor knows is also known to the installer, in the same order.
    int last = -1;
    const auto table = identificationTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].editor) {
            EXPECT_TRUE(table[i].installer) << table[i].text;
            EXPECT_GT(static_cast<int>(i), last);
            last = static_cast<int>(i);
        }
    }
}

TEST(Identification, RateCodesAndTexts)
{
    EXPECT_EQ(ssbRateCode(1200), 0u);
    EXPECT_EQ(ssbRateCode(19200), 4u);
    EXPECT_EQ(ssbRateCode(115200), 7u);
    EXPECT_EQ(ssbRateCode(300), std::nullopt);
    EXPECT_EQ(foundText(Variant::Editor, UnitModel::QRX_30), "QRX 30 found");
    EXPECT_EQ(foundText(Variant::Installer, UnitModel::CORVALENT_D2), "Corvalent D2 found");
    EXPECT_EQ(foundText(Variant::Editor, UnitModel::CORVALENT_D2), std::nullopt);
    EXPECT_EQ(foundText(Variant::Installer, UnitModel::QRX_40), std::nullopt);
    EXPECT_EQ(UnitLink::firmwareVersionText(ModelKind::Qrx30, 2.2, '\r'), "QRX30 Firmware Version: 2.20");
    EXPECT_EQ(UnitLink::firmwareVersionText(ModelKind::CorvalentD1, 1.05, 'a'), "D1 Firmware Version: 1.05a");
}
