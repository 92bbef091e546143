// End to end: the editor against unit_simulator on a pseudo-terminal, in real time. Limits
// are generous; nothing asserts timing.
#include <QPushButton>
#include <csignal>
#include <gtest/gtest.h>

#include "comma_locale.h"
#include "general/general_page.h"
#include "modal_script.h"
#include "platform/clock.h"
#include "platform/posix_serial_port.h"
#include "scratch_dir.h"
#include "settings/image_codec.h"
#include "settings/legacy_layout.h"
#include "settings/settings_flows.h"
#include "app/settings_editor_sheet.h"
#include "simulator_process.h"
#include "app/texts.h"
#include "three_sets_image.h"
#include "unitlink/loader_rules.h"
#include "unitlink/settings_file.h"
#include "unitlink/texts.h"

using namespace velmar;
using namespace velmar::editor;
using namespace velmar::test;

TEST(EditorOnAPty, DetectSaveAndProgramBack)
{
    const ScratchDir dir;
    const std::string eeprom = dir.file("eeprom.bin");
    const std::string settings = dir.file("unit.q20");
    writeBytes(eeprom, threeSetsImage());

    SimulatorProcess sim({"--model", "QRX 30", "--eeprom", eeprom});
    ASSERT_TRUE(sim.started()) << sim.banner();
    platform::PosixSerialPort port(platform::PortNames({sim.link()}));
    platform::RealClock clock;
    SettingsStore store;
    CSettingsEditorSheet sheet(store, port, clock);
    sheet.setActivePage(0);
    sheet.show();
    CGeneral& general = sheet.general();
    const auto click = [&](int id) { general.controlAs<QPushButton>(id)->click(); };

    click(kIdAutoDetect);
    ASSERT_EQ(general.status(), texts::kSettingsUploaded) << general.unitStatus();
    EXPECT_EQ(sheet.recordSet(kCurrentSet).inputLevels.level[0], 5);
    EXPECT_EQ(sheet.recordSet(kUserSet).inputLevels.level[0], 6);
    EXPECT_EQ(sheet.recordSet(kInstallerSet).inputLevels.level[0], 7);

    ModalScript script;
    sheet.recordSet(kWorkingSet).inputLevels.level[0] = 11;
    script.file(QString::fromStdString(settings));
    click(kIdSaveAs);
    ASSERT_EQ(general.status(), texts::kFileSaved);

    click(kIdLoadFileToUnit);
    EXPECT_EQ(script.fileRequests.size(), 1u);
    port.close();
    sim.stop(SIGTERM);  // the simulator saves its EEPROM as it ends
    const auto levels = firstInputLevels(readBytes(eeprom));
    EXPECT_EQ(levels.at(kCurrentBase), 11);
    EXPECT_EQ(levels.at(kUserBase), 6);
    EXPECT_EQ(levels.at(kInstallerBase), 7);
}

// Qt sets the user's locale; under one that writes decimals with a comma the unit's "2.20" is
// still firmware 2.20: shown so, and a settings file is rebuilt for it before programming.
TEST(EditorOnAPty, UnderACommaLocaleFirmware220IsShownAndGetsTheRebuiltImage)
{
    test::CommaLocale locale;
    SKIP_WITHOUT_COMMA_LOCALE(locale);
    const ScratchDir dir;
    const std::string eeprom = dir.file("eeprom.bin");
    const std::string file = dir.file("damaged.q20");
    // One byte of the User main block damaged: the rebuilt image has that set's defaults there.
    SettingsStore defaults;
    defaults.readImage.fill(0);
    convertImage(defaults);
    Image image = defaults.writeImage;
    constexpr size_t kDamaged = kUserBase + 0x10;
    image[kDamaged] ^= 0x5A;
    std::string message;
    ASSERT_TRUE(writeSettingsFile(file, image, message)) << message;
    SettingsStore rebuild(Variant::Editor);
    rebuild.setModelKind(ModelKind::Qrx30);
    rebuild.readImage = image;
    convertImage(rebuild);
    ASSERT_NE(rebuild.writeImage[kDamaged], image[kDamaged]);

    SimulatorProcess sim({"--model", "QRX 30", "--version", "2.20", "--eeprom", eeprom});
    ASSERT_TRUE(sim.started()) << sim.banner();
    platform::PosixSerialPort port(platform::PortNames({sim.link()}));
    platform::RealClock clock;
    SettingsStore store(Variant::Editor);
    CSettingsEditorSheet sheet(store, port, clock);
    sheet.setActivePage(0);
    sheet.show();
    CGeneral& general = sheet.general();
    const auto click = [&](int id) { general.controlAs<QPushButton>(id)->click(); };

    click(kIdAutoDetect);
    EXPECT_EQ(general.unitStatus(), "QRX30 Firmware Version: 2.20");
    ModalScript script;
    script.file(QString::fromStdString(file));
    click(kIdLoadFileToUnit);
    EXPECT_EQ(general.status(), unitlink::texts::kProgrammedSettingsOkEditor);
    port.close();
    sim.stop(SIGTERM);  // the simulator saves its EEPROM as it ends
    const auto unit = readBytes(eeprom);
    ASSERT_EQ(unit.size(), kImageSize);
    EXPECT_EQ(unit[kDamaged], rebuild.writeImage[kDamaged]);
    for (size_t a = 0; a < kImageSize; ++a) {
        if (unitlink::settingsAddressWritten(a, true)) {
            ASSERT_EQ(unit[a], rebuild.writeImage[a]) << a;
        }
    }
}
