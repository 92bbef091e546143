// The editor's unit workflows against the simulated unit in virtual time.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/virtual_clock.h"
#include "scratch_dir.h"
#include "settings/image_codec.h"
#include "simulator/simulated_serial_port.h"
#include "simulator/simulated_unit.h"
#include "three_sets_image.h"
#include "unitlink/loader_rules.h"
#include "unitlink/settings_file.h"
#include "unitlink/status_texts.h"
#include "unitlink/texts.h"
#include "workflows/unit_workflow.h"

using namespace velmar;
using velmar::workflows::Shown;

namespace {

// Records what the workflow shows, and checks that it touches the unit only inside onUnit (the
// editor runs that part on its worker; anything outside would stall the window).
class RecordingHost final : public workflows::WorkflowHost {
public:
    explicit RecordingHost(const sim::SimulatedSerialPort& port) : port_(port) {}
    void show(const std::string& text, Shown kind) override
    {
        EXPECT_EQ(port_.written().size(), writtenAfterUnitWork_) << "unit touched outside onUnit before: " << text;
        shown.emplace_back(text, kind);
        if (whenShown)
            whenShown(text);
    }
    bool onUnit(const std::function<bool()>& operation) override
    {
        EXPECT_EQ(port_.written().size(), writtenAfterUnitWork_) << "unit touched outside onUnit";
        const bool ok = operation();
        writtenAfterUnitWork_ = port_.written().size();
        return ok;
    }
    std::vector<Shown> kinds() const
    {
        std::vector<Shown> k;
        for (const auto& [text, kind] : shown)
            k.push_back(kind);
        return k;
    }
    std::vector<std::string> steps() const
    {
        std::vector<std::string> s;
        for (const auto& [text, kind] : shown)
            if (kind == Shown::Step)
                s.push_back(text);
        return s;
    }

    void transferUnderWay(bool underWay) override { transferring_ = underWay; }
    bool stopRequested() override
    {
        EXPECT_TRUE(transferring_) << "asked to stop outside the transfer";
        return (stopAt >= 0 && asked++ >= stopAt) || (stopWhen && stopWhen());
    }

    std::vector<std::pair<std::string, Shown>> shown;
    std::function<void(const std::string&)> whenShown;  // what the user does on seeing a text
    int stopAt = -1;  // a transfer is asked to stop before this byte or address (counted from 0)
    int asked = 0;
    std::function<bool()> stopWhen;  // or once this holds

private:
    bool transferring_ = false;
    const sim::SimulatedSerialPort& port_;
    size_t writtenAfterUnitWork_ = 0;
};

sim::UnitConfig unitWith(const char* version, sim::Level level = sim::Level::Application)
{
    sim::UnitConfig c;
    c.version = version;
    c.level = level;
    return c;
}

class Workflow : public ::testing::Test {
protected:
    explicit Workflow(sim::UnitConfig config = unitWith("2.20"), bool unitPresent = true)
        : unit(std::move(config)), port(clock), link(Variant::Editor, port, clock), host(port)
    {
        port.addPort("COM1", unitPresent ? &unit : nullptr);
        unit.memory().settings = test::threeSetsImage();
    }

    workflows::UnitWorkflow workflow() { return workflows::UnitWorkflow(link, progress, host); }

    workflows::FileReader fileReader(const std::string& path)
    {
        return [path](Image& image, std::string& message) { return readSettingsFile(path, image, message); };
    }

    // A settings file of the three sets whose Current main block fails its check word: what
    // the file holds is programmed as it is, a rebuilt image has that set's defaults instead.
    std::string damagedFile()
    {
        Image image{};
        const auto good = test::threeSetsImage();
        std::copy(good.begin(), good.end(), image.begin());
        image[kCurrentBase + 10] ^= 0x01;
        fileImage = image;
        std::string message;
        EXPECT_TRUE(writeSettingsFile(scratch.file("damaged.q20"), image, message)) << message;
        return scratch.file("damaged.q20");
    }

    bool unitHoldsFileImage()
    {
        const auto& eeprom = unit.memory().settings;
        return std::equal(fileImage.begin() + 96, fileImage.begin() + 3584, eeprom.begin() + 96);
    }

    platform::VirtualClock clock;
    sim::SimulatedUnit unit;
    sim::SimulatedSerialPort port;
    unitlink::UnitLink link;
    NoProgress progress;
    RecordingHost host;
    SettingsStore store;
    test::ScratchDir scratch;
    Image fileImage{};
};

}  // namespace

TEST(RebuildRule, StartsAtFirmware210InWholeHundredths)
{
    EXPECT_FALSE(workflows::rebuildsImages(2.0));
    EXPECT_FALSE(workflows::rebuildsImages(2.09));
    EXPECT_TRUE(workflows::rebuildsImages(2.10));
    // A binary fraction a hair below 2.1 still counts as 2.10.
    EXPECT_TRUE(workflows::rebuildsImages(static_cast<double>(2.1f)));
    EXPECT_TRUE(workflows::rebuildsImages(3.0));
}

class FirmwareLine : public Workflow, public ::testing::WithParamInterface<std::pair<const char*, bool>> {
protected:
    FirmwareLine() : Workflow(unitWith(GetParam().first)) {}
};

TEST_P(FirmwareLine, ProgramsTheFileAsItIsOrRebuilt)
{
    const auto [version, rebuilds] = GetParam();
    const std::string path = damagedFile();
    ASSERT_TRUE(workflow().programFile(store, fileReader(path), false)) << host.shown.back().first;
    EXPECT_EQ(unitHoldsFileImage(), !rebuilds) << version;
    if (rebuilds) {
        SettingsStore check;
        const auto& eeprom = unit.memory().settings;
        std::copy(eeprom.begin(), eeprom.end(), check.readImage.begin());
        std::copy(eeprom.begin(), eeprom.end(), check.writeImage.begin());
        prepareStore(check, false);
        EXPECT_TRUE(decodeSet(check, kCurrentBase)) << "the rebuilt Current set is valid again";
    }
    EXPECT_EQ(store.modelKind(), ModelKind::Qrx30);
}

INSTANTIATE_TEST_SUITE_P(AroundTwoTen, FirmwareLine,
                         ::testing::Values(std::pair{"2.09", false}, std::pair{"2.10", true}));

TEST_F(Workflow, BackupThenRestoreGivesTheUnitItsSettingsBackWithTheEditorsTexts)
{
    const std::string path = scratch.file("backup.q20");
    const auto original = unit.memory().settings;
    ASSERT_TRUE(workflow().retrieveToFile(store, path)) << host.shown.back().first;
    EXPECT_EQ(host.steps(), (std::vector<std::string>{status::kSearchingForUnit, status::kRetrievingSettings,
                                                      status::kWritingSettingsFile}));
    EXPECT_EQ(host.kinds(),
              (std::vector<Shown>{Shown::Step, Shown::Detail, Shown::Step, Shown::Result, Shown::Step, Shown::Result}));
    EXPECT_EQ(host.shown.back().first, kSettingsSavedText);

    // The unit forgets its settings; the backup puts them back.
    std::fill(unit.memory().settings.begin(), unit.memory().settings.end(), uint8_t{0xFF});
    host.shown.clear();
    SettingsStore restoring;
    ASSERT_TRUE(workflow().programFile(restoring, fileReader(path), false)) << host.shown.back().first;
    EXPECT_EQ(host.steps(), (std::vector<std::string>{status::kSearchingForQrx20, status::kOpeningSettingsFile,
                                                      status::kProgrammingSettings}));
    EXPECT_EQ(host.kinds().back(), Shown::Result);
    EXPECT_EQ(test::firstInputLevels(unit.memory().settings), test::firstInputLevels(original));
}

TEST_F(Workflow, RestoreKeepingAdjustmentsLeavesTheUnitsOwnBytes)
{
    const std::string path = damagedFile();
    const auto before = unit.memory().settings;
    ASSERT_TRUE(workflow().programFile(store, fileReader(path), true)) << host.shown.back().first;
    const auto& after = unit.memory().settings;
    for (size_t address = unitlink::kSettingsWriteFirst; address < unitlink::kSettingsWriteEnd; ++address) {
        if (!unitlink::settingsAddressWritten(address, true)) {
            ASSERT_EQ(after[address], before[address]) << "address " << address;
        }
    }
}

TEST_F(Workflow, IdentifyReadsTheFirmwareVersionIntoTheStore)
{
    ASSERT_TRUE(workflow().identify(store));
    EXPECT_EQ(store.modelKind(), ModelKind::Qrx30);
    EXPECT_EQ(host.shown.back(), (std::pair<std::string, Shown>{"QRX30 Firmware Version: 2.20", Shown::Result}));
    EXPECT_EQ(host.steps(), std::vector<std::string>{status::kSearchingForUnits});
}

// Found, but running its EEPROM programmer rather than its main firmware.
class UnitInItsProgrammer : public Workflow {
protected:
    UnitInItsProgrammer() : Workflow(unitWith("2.20", sim::Level::EepromProgrammer)) {}
};

TEST_F(UnitInItsProgrammer, IsNeitherIdentifiedNorWorkedOn)
{
    EXPECT_FALSE(workflow().identify(store));
    EXPECT_EQ(host.shown.back(), (std::pair<std::string, Shown>{status::kNoUnitDetected, Shown::Failure}));
    EXPECT_EQ(store.modelKind(), ModelKind::Undetected);

    host.shown.clear();
    const auto before = unit.memory().settings;
    EXPECT_FALSE(workflow().programFile(store, fileReader(damagedFile()), false));
    EXPECT_EQ(host.shown.back(), (std::pair<std::string, Shown>{status::kCouldNotFindUnit, Shown::Failure}));
    EXPECT_EQ(unit.memory().settings, before);
}

class NoUnit : public Workflow {
protected:
    NoUnit() : Workflow(unitWith("2.20"), false) {}
};

TEST_F(NoUnit, EndsTheSearchWithTheWarningAndWritesNoFile)
{
    const std::string path = scratch.file("never.q20");
    EXPECT_FALSE(workflow().retrieveToFile(store, path));
    EXPECT_EQ(host.kinds(), (std::vector<Shown>{Shown::Step, Shown::Failure}));
    EXPECT_EQ(host.shown.back().first, unitlink::texts::kNoUnitEditor);
    EXPECT_EQ(scratch.entries(), 0u);
}

class ZonesStayOn : public Workflow {
protected:
    ZonesStayOn()
        : Workflow([] {
              auto c = unitWith("2.20");
              c.faults.zonesStayOn = 0x01;
              return c;
          }())
    {
    }
};

TEST_F(ZonesStayOn, EachWorkflowSaysSoInItsOwnWords)
{
    EXPECT_FALSE(workflow().retrieve(store.readImage));
    EXPECT_EQ(host.shown.back(),
              (std::pair<std::string, Shown>{std::string(unitlink::texts::kUnableToTurnOff), Shown::Failure}));
    host.shown.clear();
    const auto before = unit.memory().settings;
    EXPECT_FALSE(workflow().programFile(store, fileReader(damagedFile()), false));
    EXPECT_EQ(host.shown.back(), (std::pair<std::string, Shown>{status::kUnitFailedToTurnOff, Shown::Failure}));
    EXPECT_EQ(unit.memory().settings, before);
}

TEST_F(Workflow, AFileThatCannotBeReadIsNeverProgrammed)
{
    const auto before = unit.memory().settings;
    EXPECT_FALSE(workflow().programFile(store, fileReader(scratch.file("missing.q20")), false));
    EXPECT_EQ(host.kinds().back(), Shown::Failure);
    EXPECT_EQ(host.shown.back().first.rfind(kSettingsFileOpenErrorText, 0), 0u) << host.shown.back().first;
    EXPECT_EQ(host.steps().back(), status::kOpeningSettingsFile);
    EXPECT_EQ(unit.memory().settings, before);
}

TEST_F(Workflow, AFileThatCannotBeWrittenFailsAfterTheRetrieval)
{
    EXPECT_FALSE(workflow().retrieveToFile(store, scratch.file("no/such/folder.q20")));
    EXPECT_EQ(host.steps().back(), status::kWritingSettingsFile);
    EXPECT_EQ(host.kinds().back(), Shown::Failure);
    EXPECT_EQ(host.shown.back().first.rfind(kSettingsFileOpenErrorText, 0), 0u) << host.shown.back().first;
}

TEST_F(Workflow, AStopRequestEndsTheProgrammingBetweenBytesAndARerunCompletesIt)
{
    const std::string path = damagedFile();
    auto& eeprom = unit.memory().settings;
    std::fill(eeprom.begin(), eeprom.end(), uint8_t{0xFF});
    const auto blank = [&](size_t from, size_t to) {
        return std::all_of(eeprom.begin() + static_cast<long>(from), eeprom.begin() + static_cast<long>(to),
                           [](uint8_t b) { return b == 0xFF; });
    };
    host.stopWhen = [this] { return link.settingsBytesWritten() >= 100; };
    auto stopped = workflow();
    EXPECT_FALSE(stopped.programFile(store, fileReader(path), false));
    EXPECT_TRUE(stopped.transferStopped());
    EXPECT_EQ(link.settingsBytesWritten(), 100u);
    EXPECT_EQ(host.kinds().back(), Shown::Failure);
    EXPECT_FALSE(blank(16, 64)) << "programming began";
    EXPECT_TRUE(blank(1024, 3584)) << "and stopped long before the end";

    host.stopWhen = {};
    auto again = workflow();
    EXPECT_TRUE(again.programFile(store, fileReader(path), false)) << again.status();
    EXPECT_FALSE(again.transferStopped());
    EXPECT_EQ(test::firstInputLevels(eeprom).at(kUserBase), 6);
}

// A backup stopped part-way writes nothing, not even over an earlier file, and the unit runs
// its main firmware again; the next backup is whole.
TEST_F(Workflow, AStopRequestEndsTheRetrievalWithoutAFile)
{
    const std::string path = scratch.file("earlier.q20");
    test::writeFile(path, "earlier contents");
    host.stopAt = 500;
    auto stopped = workflow();
    EXPECT_FALSE(stopped.retrieveToFile(store, path));
    EXPECT_TRUE(stopped.transferStopped());
    EXPECT_EQ(host.shown.back(),
              (std::pair<std::string, Shown>{std::string(unitlink::texts::kRetrievalFailedEditor), Shown::Failure}));
    EXPECT_EQ(host.steps().back(), status::kRetrievingSettings);
    EXPECT_EQ(test::readFile(path), "earlier contents");
    EXPECT_EQ(scratch.entries(), 1u);
    EXPECT_EQ(unit.level(), sim::Level::Application);

    host.stopAt = -1;
    auto again = workflow();
    ASSERT_TRUE(again.retrieveToFile(store, path)) << again.status();
    EXPECT_FALSE(again.transferStopped());
    Image saved{};
    std::string message;
    ASSERT_TRUE(readSettingsFile(path, saved, message)) << message;
    const auto& eeprom = unit.memory().settings;
    EXPECT_TRUE(std::equal(saved.begin() + 16, saved.begin() + 64, eeprom.begin() + 16));
    EXPECT_TRUE(std::equal(saved.begin() + 96, saved.begin() + 3584, eeprom.begin() + 96));
}

// What a stopped transfer left behind is not taken for a stop of a later one that never got to
// its transfer.
TEST_F(Workflow, AConnectionThatFailsAfterAStoppedTransferIsNoStop)
{
    host.stopAt = 0;
    auto stopped = workflow();
    EXPECT_FALSE(stopped.retrieve(store.readImage));
    ASSERT_TRUE(stopped.transferStopped());

    host.stopAt = -1;
    host.whenShown = [this](const std::string& text) {
        if (text == status::kProgrammingSettings)
            port.unplug("COM1");
    };
    auto unplugged = workflow();
    EXPECT_FALSE(unplugged.programFile(store, fileReader(damagedFile()), false));
    EXPECT_EQ(host.steps().back(), status::kProgrammingSettings);
    EXPECT_FALSE(unplugged.transferStopped());
}
