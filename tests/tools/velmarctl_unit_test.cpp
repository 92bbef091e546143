// velmarctl's unit commands through the program itself against unit_simulator on a
// pseudo-terminal: the installer's flash and verify steps with the images velmarctl carries,
// and detect and restore for a user whose locale writes decimals with a comma. (The data
// EEPROM's eeprom step takes minutes and runs with the slow upgrade tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "comma_locale.h"
#include "installer/firmware/firmware_images.h"
#include "run_tool.h"
#include "settings/image_codec.h"
#include "settings/legacy_layout.h"
#include "settings/settings_store.h"
#include "scratch_dir.h"
#include "simulator_process.h"
#include "unitlink/loader_rules.h"
#include "unitlink/settings_file.h"
#include "unitlink/status_texts.h"
#include "unitlink/texts.h"

namespace velmar {
namespace {

bool holds(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

std::vector<std::string> unitArgs(std::vector<std::string> more)
{
    std::vector<std::string> args{"--model", "QRX 30", "--reply-delay-ms", "0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(VelmarctlUnit, FlashTheLoaderImageThenVerifyAgainstTheMainImageFails)
{
    test::ScratchDir dir;
    const auto flash = dir.file("flash.bin");
    {
        test::SimulatorProcess sim(unitArgs({"--flash", flash}));
        ASSERT_TRUE(sim.started()) << sim.banner();
        const auto run = test::runTool("flash loader --ports " + sim.link());
        EXPECT_EQ(run.status, 0) << run.out;
        EXPECT_TRUE(holds(run.out, status::kProgrammingWithEeLoader)) << run.out;
        const auto verify = test::runTool("verify --ports " + sim.link());
        EXPECT_NE(verify.status, 0) << verify.out;
        EXPECT_TRUE(holds(verify.out, status::kVerifyingFlash)) << verify.out;
        EXPECT_TRUE(holds(verify.out, unitlink::texts::kVerifyFailed) ||
                    holds(verify.out, unitlink::texts::kVerifyWordFailed))
            << verify.out;
    }
    const auto bytes = test::readBytes(flash);
    const auto loader = firmware::eepromLoaderImage();
    ASSERT_EQ(bytes.size(), unitlink::kFlashImageBytes);
    EXPECT_TRUE(std::equal(loader.begin(), loader.end(), bytes.begin())) << "the simulator saved the flashed image";
}

TEST(VelmarctlUnit, UnderACommaLocaleFirmware220IsShownAsSuchAndGetsTheRebuiltImage)
{
    test::CommaLocale locale;
    SKIP_WITHOUT_COMMA_LOCALE(locale);
    test::ScratchDir dir;
    const auto eeprom = dir.file("eeprom.bin"), file = dir.file("damaged.q20");
    // A settings file whose User main block has one byte damaged: rebuilding it for firmware
    // 2.1 and later restores that set's defaults, copying it would write the damage.
    SettingsStore store;
    store.readImage.fill(0);
    convertImage(store);
    Image image = store.writeImage;
    constexpr size_t kDamaged = kUserBase + 0x10;
    image[kDamaged] ^= 0x5A;
    std::string message;
    ASSERT_TRUE(writeSettingsFile(file, image, message)) << message;
    SettingsStore rebuild;
    rebuild.setModelKind(ModelKind::Qrx30);  // as the unit reports itself
    rebuild.readImage = image;
    convertImage(rebuild);
    ASSERT_NE(rebuild.writeImage[kDamaged], image[kDamaged]);

    test::SimulatorProcess sim(unitArgs({"--version", "2.20", "--eeprom", eeprom}));
    ASSERT_TRUE(sim.started()) << sim.banner();
    const auto detect = test::runTool("detect --ports " + sim.link());
    EXPECT_EQ(detect.status, 0) << detect.out;
    EXPECT_TRUE(holds(detect.out, "QRX30 Firmware Version: 2.20")) << detect.out;
    const auto restore = test::runTool("restore " + file + " --keep-adjustments --ports " + sim.link());
    EXPECT_EQ(restore.status, 0) << restore.out;
    sim.stop(SIGTERM);  // the simulator saves its EEPROM as it ends
    const auto unit = test::readBytes(eeprom);
    ASSERT_EQ(unit.size(), kImageSize);
    EXPECT_EQ(unit[kDamaged], rebuild.writeImage[kDamaged]);
    for (size_t a = 0; a < kImageSize; ++a) {
        if (unitlink::settingsAddressWritten(a, true)) {
            ASSERT_EQ(unit[a], rebuild.writeImage[a]) << a;
        }
    }
}

// Through a USB serial adapter with the common 16 ms latency timer: a backup, then a restore of
// that file with three settings bytes changed, which writes those three. Waiting out the
// adapter on every exchange would take over a minute for the backup alone and two for the
// restore's reads; kept in flight, the reads take seconds.
TEST(VelmarctlUnit, BackupAndRestoreThroughASixteenMillisecondAdapter)
{
    test::ScratchDir dir;
    const auto eeprom = dir.file("eeprom.bin"), backup = dir.file("unit.q20"), changed = dir.file("changed.q20");
    std::string bytes(kImageSize, '\0');
    for (size_t a = 0; a < bytes.size(); ++a)
        bytes[a] = static_cast<char>(a * 5 + 1);
    test::writeFile(eeprom, bytes);
    // Firmware 2.00 takes a file as it is, byte for byte.
    test::SimulatorProcess sim(
        unitArgs({"--version", "2.00", "--eeprom", eeprom, "--eeprom-write-us", "4000", "--adapter-latency-ms", "16"}));
    ASSERT_TRUE(sim.started()) << sim.banner();
    const auto start = std::chrono::steady_clock::now();
    const auto saved = test::runTool("backup " + backup + " --ports " + sim.link());
    ASSERT_EQ(saved.status, 0) << saved.out;
    Image image{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(backup, image, message)) << message;
    for (const size_t a : {size_t{20}, size_t{700}, size_t{3000}})
        image[a] = static_cast<uint8_t>(image[a] ^ 0xA5);
    ASSERT_TRUE(writeSettingsFile(changed, image, message)) << message;
    const auto restored = test::runTool("restore " + changed + " --ports " + sim.link());
    EXPECT_EQ(restored.status, 0) << restored.out;
    EXPECT_TRUE(holds(restored.out, "Wrote 3 of 3536 settings bytes")) << restored.out;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(90));
    sim.stop(SIGTERM);
    const auto unit = test::readBytes(eeprom);
    ASSERT_EQ(unit.size(), kImageSize);
    for (size_t a = 0; a < kImageSize; ++a) {
        const bool written = unitlink::settingsAddressWritten(a, false);
        ASSERT_EQ(unit[a], written ? image[a] : static_cast<uint8_t>(bytes[a])) << a;
    }
}

}  // namespace
}  // namespace velmar
