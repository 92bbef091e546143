// End to end: the editor against unit_simulator on a pseudo-terminal, in real time. Limits
// are generous; nothing asserts timing.
#include <QPushButton>
#include <csignal>
#include <gtest/gtest.h>

#include "general_page.h"
#include "modal_script.h"
#include "platform/clock.h"
#include "platform/posix_serial_port.h"
#include "scratch_dir.h"
#include "settings/image_codec.h"
#include "settings_editor_sheet.h"
#include "simulator_process.h"
#include "texts.h"
#include "three_sets_image.h"

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
