// The General page's transfers on a simulated unit in virtual time.
#include <QCheckBox>
#include <QProgressBar>
#include <fstream>

#include "editor_fixture.h"
#include "settings/image_codec.h"
#include "settings/settings_flows.h"
#include "app/texts.h"
#include "three_sets_image.h"
#include "unitlink/settings_file.h"

using namespace velmar;
using namespace velmar::editor;
using velmar::test::EditorFixture;
using velmar::test::firstInputLevels;
using velmar::test::ModalScript;
using velmar::test::threeSetsImage;

namespace {

// A settings file whose Current main block fails its check word.
Image damagedFileImage(const std::string& path)
{
    Image image{};
    const auto good = threeSetsImage();
    std::copy(good.begin(), good.end(), image.begin());
    image[kCurrentBase + 10] ^= 0x01;
    std::string message;
    EXPECT_TRUE(writeSettingsFile(path, image, message)) << message;
    return image;
}

sim::UnitConfig unitWithVersion(const char* version)
{
    sim::UnitConfig c;
    c.version = version;
    return c;
}

class Transfer : public EditorFixture {
protected:
    explicit Transfer(const char* version = "2.20") : EditorFixture(unitWithVersion(version))
    {
        unit.memory().settings = threeSetsImage();
    }
};

class OldFirmware : public Transfer {
protected:
    OldFirmware() : Transfer("2.05") {}
};

class NewFirmware : public Transfer {
protected:
    NewFirmware() : Transfer("2.10") {}
};

}  // namespace

TEST_F(Transfer, AutoDetectReadsTheThreeSetsFromTheUnit)
{
    QProgressBar* bar = general().progressBar();
    bool grabbedMidway = false;
    bool visibleMidway = false;
    std::string statusMidway;
    QObject::connect(bar, &QProgressBar::valueChanged, bar, [&](int value) {
        if (!grabbedMidway && bar->maximum() > 0 && value >= bar->maximum() / 2) {
            grabbedMidway = true;
            visibleMidway = bar->isVisible();
            statusMidway = label(kIdStatus);
            saveScreenshot("general_transfer.png");
        }
    });
    click(kIdAutoDetect);
    EXPECT_EQ(label(kIdUnitStatus), "QRX30 Firmware Version: 2.20");
    EXPECT_EQ(general().status(), texts::kSettingsUploaded);
    EXPECT_EQ(set(kCurrentSet).inputLevels.level[0], 5);
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 6);
    EXPECT_EQ(set(kInstallerSet).inputLevels.level[0], 7);
    EXPECT_TRUE(set(kWorkingSet).equals(set(kCurrentSet)));
    EXPECT_EQ(title(), "Velmar Settings Editor , Editing: Current Settings");
    // The window was alive during the transfer: the bar moved and showed, the status said so.
    EXPECT_TRUE(grabbedMidway);
    EXPECT_TRUE(visibleMidway);
    EXPECT_EQ(statusMidway, texts::kRetrieving);
    EXPECT_FALSE(bar->isVisible());
    saveScreenshot("general_uploaded.png");
}

TEST_F(Transfer, SaveFromUnitToFileAsksForANameAndLoadsTheSetsFromIt)
{
    ModalScript script;
    script.file(q(file("fromunit.q20")));
    click(kIdSaveUnitToFile);
    EXPECT_EQ(script.fileRequests.size(), 1u);
    EXPECT_EQ(general().status(), kSettingsSavedText);
    EXPECT_EQ(title(), "Velmar Settings Editor fromunit.q20, Editing: Current Settings");
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 6);
    Image saved{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(file("fromunit.q20"), saved, message));
    // The file is the unit's image as it came, its own adjustments included.
    const auto image = threeSetsImage();
    EXPECT_TRUE(std::equal(saved.begin() + 96, saved.begin() + 3584, image.begin() + 96));
}

TEST_F(Transfer, ATypedPathIsUsedWithoutADialogButOneInCapitalsIsNot)
{
    ModalScript script;
    set(kWorkingSet).inputLevels.level[0] = 9;
    script.file(q(file("typed.q20")));
    click(kIdSaveAs);
    ASSERT_EQ(script.fileRequests.size(), 1u);

    typePath(file("typed.Q20"));
    script.file(std::nullopt);
    click(kIdLoadFileToUnit);
    ASSERT_EQ(script.fileRequests.size(), 2u);
    EXPECT_TRUE(script.fileRequests[1].open);
    EXPECT_EQ(firstInputLevels(unit.memory().settings).at(kCurrentBase), 5);

    typePath(file("typed.q20"));
    click(kIdLoadFileToUnit);
    EXPECT_EQ(script.fileRequests.size(), 2u);
    EXPECT_EQ(firstInputLevels(unit.memory().settings).at(kCurrentBase), 9);
    // The sets shown are not changed by programming.
    EXPECT_EQ(set(kUserSet).inputLevels.level[0], 0);
}

TEST_F(Transfer, AnEmptyFileIsNotProgrammedInPlaceOfTheSettingsHeldBefore)
{
    {
        std::ofstream create(file("empty.q20"));
    }
    const auto before = unit.memory().settings;
    typePath(file("empty.q20"));
    click(kIdLoadFileToUnit);
    EXPECT_EQ(general().status(), fileMessage(kSettingsFileNoRecordsText, file("empty.q20")));
    EXPECT_TRUE(unit.memory().settings == before);
}

TEST_F(OldFirmware, GetsTheFilesImageUnchanged)
{
    const Image image = damagedFileImage(file("damaged.q20"));
    typePath(file("damaged.q20"));
    click(kIdLoadFileToUnit);
    const auto& eeprom = unit.memory().settings;
    EXPECT_TRUE(std::equal(image.begin() + 96, image.begin() + 3584, eeprom.begin() + 96));
}

TEST_F(NewFirmware, GetsARebuiltImage)
{
    const Image image = damagedFileImage(file("damaged.q20"));
    typePath(file("damaged.q20"));
    click(kIdLoadFileToUnit);
    const auto& eeprom = unit.memory().settings;
    EXPECT_FALSE(std::equal(image.begin() + 96, image.begin() + 3584, eeprom.begin() + 96));
    SettingsStore check;
    std::copy(eeprom.begin(), eeprom.end(), check.writeImage.begin());
    std::copy(eeprom.begin(), eeprom.end(), check.readImage.begin());
    prepareStore(check, false);
    EXPECT_TRUE(decodeSet(check, kCurrentBase));  // valid again
}
