// The simulated unit as a state machine: bytes in, bytes out.
#include "simulator/simulated_unit.h"

#include <gtest/gtest.h>

using namespace velmar::sim;

namespace {

constexpr uint64_t kMs = 1'000'000;

// Feeds bytes at time `at` and returns everything the unit produced (regardless of timing).
std::string say(SimulatedUnit& unit, std::string_view bytes, uint64_t at = 1000 * kMs)
{
    for (char c : bytes)
        unit.receive(static_cast<uint8_t>(c), at);
    std::string out;
    while (unit.hasOutput()) {
        out += static_cast<char>(unit.peekOutput().byte);
        unit.popOutput();
    }
    return out;
}

UnitConfig at(Level level, const std::string& model = "QRX 30")
{
    UnitConfig c;
    c.model = model;
    c.level = level;
    return c;
}

}  // namespace

TEST(SimulatedUnit, MainFirmwareIdentifiesEveryModel)
{
    const std::pair<const char*, const char*> cases[] = {
        {"QRX 2", "QRX 2 Version 2.20\r\n"},
        {"QRX 20", "QRX 20 Version 2.20\r\n"},
        {"QRX 30", "QRX 30 Version 2.20\r\n"},
        {"QRX 20-HD", "QRX 20-HD v2.20\r\n"},
        {"QRX 30-HD", "QRX 30-HD v2.20\r\n"},
        {"QRX 40", "QRX 40 v2.20\r\n"},
        {"QRX 50", "QRX 50 v2.20\r\n"},
        {"Corvalent D1", "Corvalent D1 v2.20\r\n"},
        {"Corvalent D1HD", "Corvalent D1HD v2.20\r\n"},
        {"Corvalent D2", "Corvalent D2 v2.20\r\n"},
    };
    for (const auto& [model, reply] : cases) {
        SimulatedUnit unit(at(Level::Application, model));
        EXPECT_EQ(say(unit, "\n?\n"), reply) << model;
    }
}

TEST(SimulatedUnit, VersionAnd240V)
{
    auto c = at(Level::Application);
    c.version = "3.01b";
    c.v240 = true;
    SimulatedUnit unit(c);
    EXPECT_EQ(say(unit, "?\n"), "QRX 30 Version 3.01b 240V\r\n");
}

TEST(SimulatedUnit, ZonesClockAndChecksum)
{
    auto config = at(Level::Application);
    config.installed = Installed::Nothing;
    SimulatedUnit unit(config);
    EXPECT_EQ(say(unit, "P1P?\n"), "P1P1\n");
    EXPECT_EQ(say(unit, "P1P0\n"), "\n");
    EXPECT_EQ(say(unit, "P1P?\n"), "P1P0\n");
    EXPECT_FALSE(unit.zoneOn(1));
    EXPECT_EQ(say(unit, "STF?\n"), "STF1\n");
    EXPECT_EQ(say(unit, "STD2\nSTC09:30\n"), "\n\n");
    EXPECT_EQ(unit.dayOfWeek(), 2);
    EXPECT_EQ(unit.clockText(), "09:30");
    EXPECT_EQ(say(unit, "CS\n"), "Checksum: 1FE0000\r\n");  // erased flash: 131072 x 0xFF
    EXPECT_EQ(say(unit, "unknown\n"), "");
}

TEST(SimulatedUnit, ZoneThatStaysOn)
{
    auto c = at(Level::Application);
    ASSERT_TRUE(applyFault(c, "zone2-stays-on"));
    SimulatedUnit unit(c);
    EXPECT_EQ(say(unit, "P2P0\n"), "\n");
    EXPECT_EQ(say(unit, "P2P?\n"), "P2P1\n");
}

TEST(SimulatedUnit, SsbChangesTheRateAtOnce)
{
    SimulatedUnit unit(at(Level::Application));
    EXPECT_EQ(unit.lineRate(), 19200u);
    EXPECT_EQ(say(unit, "SSB7\n"), "");
    EXPECT_EQ(unit.lineRate(), 115200u);
}

TEST(SimulatedUnit, DebugMonitor)
{
    SimulatedUnit unit(at(Level::Application));
    EXPECT_EQ(say(unit, "D8056.3\n"), "\n");
    EXPECT_EQ(unit.level(), Level::DebugMonitor);
    EXPECT_EQ(say(unit, "?\n"), "Invalid Command\r\n");
    EXPECT_EQ(say(unit, "dei\n"), "d51f\n");
    EXPECT_EQ(say(unit, "dx\n"), "\n");
    EXPECT_EQ(unit.level(), Level::Application);
    say(unit, "D8056.3\n");
    EXPECT_EQ(say(unit, "dlaf00\n"), "\n");
    EXPECT_EQ(unit.level(), Level::Loader);
}

TEST(SimulatedUnit, LoaderAnswersQuestionMarksBannerAndVersion)
{
    auto c = at(Level::Loader);
    c.loaderVersion = "31";
    SimulatedUnit unit(c);
    EXPECT_EQ(say(unit, "?\n"), "??");
    EXPECT_EQ(say(unit, "S"), "QRX 30 ISP");
    EXPECT_EQ(say(unit, "V"), "31");
    EXPECT_EQ(say(unit, "s"), std::string("\x02\x97\x1E", 3));
    EXPECT_EQ(say(unit, "h\x04"), "");
    EXPECT_EQ(unit.lineRate(), 115200u);
    EXPECT_EQ(say(unit, std::string("h\x1D", 2)), "");
    EXPECT_EQ(unit.lineRate(), 19200u);
    EXPECT_EQ(say(unit, "y"), "\r");
    EXPECT_EQ(say(unit, "X"), "\r");
    EXPECT_EQ(unit.level(), Level::Application);
}

TEST(SimulatedUnit, LoaderEepromAndFlashFollowTheDeviceRules)
{
    SimulatedUnit unit(at(Level::Loader));
    EXPECT_EQ(say(unit, std::string("a\x00\x10", 3)), "\r");
    EXPECT_EQ(say(unit, "dv"), "\r");
    EXPECT_EQ(say(unit, std::string("a\x00\x10", 3) + "D"), "\rv");
    // One chunk of 16 words, then the page write; bits only clear without an erase.
    std::string chunk = "C\x10";
    for (int i = 0; i < 16; ++i)
        chunk += std::string("\x12\x34", 2);
    EXPECT_EQ(say(unit, chunk), "\r");
    EXPECT_EQ(say(unit, std::string("m\x00\x80", 3)), "\r");
    EXPECT_EQ(unit.memory().flash[128], 0x1234);
    EXPECT_EQ(unit.memory().flash[143], 0x1234);
    EXPECT_EQ(unit.memory().flash[144], 0xFFFF);
    chunk = "C\x10";
    for (int i = 0; i < 16; ++i)
        chunk += std::string("\xFF\x0F", 2);
    say(unit, chunk);
    say(unit, std::string("m\x00\x80", 3));
    EXPECT_EQ(unit.memory().flash[128], 0x1204);
    EXPECT_EQ(say(unit, std::string("a\x00\x80", 3) + "R"), std::string("\r\x12\x04", 3));
    EXPECT_EQ(say(unit, "e"), "\r");
    EXPECT_EQ(unit.memory().flash[128], 0xFFFF);
}

TEST(SimulatedUnit, WhileTheEepromIsWrittenTheLoaderHoldsTwoBytesAndLosesTheRest)
{
    auto c = at(Level::Loader);
    c.loaderVersion = "31";  // an ATmega128: two bytes in its receiver
    c.eepromWriteUs = 8500;
    SimulatedUnit unit(c);
    const uint64_t t = 1000 * kMs;
    EXPECT_EQ(say(unit, std::string("a\x00\x10", 3), t), "\r");
    unit.receive('d', t);
    unit.receive('v', t);
    ASSERT_TRUE(unit.hasOutput());
    EXPECT_GE(unit.peekOutput().notBeforeNs, t + 8'500'000);  // acknowledged once written
    // A host that does not wait for that acknowledgement: "a", 0x00 are held, the rest is lost.
    say(unit, std::string("a\x00\x10", 3) + "D", t + 1 * kMs);
    EXPECT_EQ(unit.receiveOverruns(), 2u);
    // Once the write is over the loader keeps up again.
    EXPECT_EQ(say(unit, std::string("\x10", 1), t + 10 * kMs), "\r");
    EXPECT_EQ(say(unit, "D", t + 10 * kMs), "v");
    EXPECT_EQ(unit.receiveOverruns(), 2u);
}

TEST(SimulatedUnit, AnEarlyAcknowledgedWriteStallsTheNextEepromAccess)
{
    auto c = at(Level::Loader);  // loader 25: an ATmega103, one byte in its receiver
    c.eepromWriteUs = 4000;
    c.eepromAck = EepromAck::AtStart;
    SimulatedUnit unit(c);
    const uint64_t t = 1000 * kMs;
    say(unit, std::string("a\x00\x10", 3), t);
    unit.receive('d', t);
    unit.receive('v', t);
    ASSERT_TRUE(unit.hasOutput());
    EXPECT_LT(unit.peekOutput().notBeforeNs, t + 4 * kMs);  // acknowledged as the write starts
    say(unit, "", t);
    // The address is taken at once, the read waits for the write; of the next command only "a"
    // fits in the receiver meanwhile.
    unit.receive('a', t + kMs);
    unit.receive(0, t + kMs);
    unit.receive(0x10, t + kMs);
    unit.receive('D', t + kMs);
    for (char b : std::string("a\x00\x11", 3))
        unit.receive(static_cast<uint8_t>(b), t + 2 * kMs);
    EXPECT_EQ(unit.receiveOverruns(), 2u);
    std::string out;
    while (unit.hasOutput()) {
        if (out.size() == 1) {
            EXPECT_GE(unit.peekOutput().notBeforeNs, t + 4 * kMs) << "read before the write ended";
        }
        out += static_cast<char>(unit.peekOutput().byte);
        unit.popOutput();
    }
    EXPECT_EQ(out, "\rv");  // the second address was never completed
    EXPECT_EQ(parseEepromAck("early"), EepromAck::AtStart);
    EXPECT_EQ(parseEepromAck("after-write"), EepromAck::AfterWrite);
    EXPECT_FALSE(parseEepromAck("soon"));
}

TEST(SimulatedUnit, CorvalentLoaderAnswersTheProbeWithItsBanner)
{
    SimulatedUnit unit(at(Level::Loader, "Corvalent D2"));
    EXPECT_EQ(say(unit, "\n?\n"), "CORVALENT D2 ISP\r\n");
}

TEST(SimulatedUnit, ErasedFlashStaysInTheLoader)
{
    auto c = at(Level::Loader);
    ASSERT_TRUE(applyFault(c, "erased-flash"));
    SimulatedUnit unit(c);
    EXPECT_EQ(say(unit, "X"), "\r");
    EXPECT_EQ(unit.level(), Level::Loader);
}

TEST(SimulatedUnit, ZRestartsIntoTheLoaderWhichIgnoresBytesWhileBooting)
{
    SimulatedUnit unit(at(Level::Application));
    EXPECT_EQ(say(unit, "Z\n", 1000 * kMs), "");
    EXPECT_EQ(unit.level(), Level::Loader);
    EXPECT_EQ(say(unit, "S", 1050 * kMs), "");  // still booting
    EXPECT_EQ(say(unit, "S", 1200 * kMs), "QRX 30 ISP");
}

TEST(SimulatedUnit, EepromProgrammerBanner)
{
    SimulatedUnit unit(at(Level::EepromProgrammer, "QRX 40"));
    EXPECT_EQ(say(unit, "?\n"), "QRX 40 EEPROM Prog v2.20\r\n");
    say(unit, "Z\n");
    EXPECT_EQ(unit.level(), Level::Loader);
}

TEST(SimulatedUnit, FaultsAndTranscript)
{
    auto c = at(Level::Application);
    c.faults.silent = true;
    SimulatedUnit silent(c);
    EXPECT_EQ(say(silent, "?\nP1P0\n"), "");
    EXPECT_EQ(silent.transcript(), "?\nP1P0\n");
    EXPECT_EQ(silent.receivedLines(), (std::vector<std::string>{"?", "P1P0"}));

    auto g = at(Level::Application);
    g.faults.garbage = true;
    SimulatedUnit garbage(g);
    const std::string noise = say(garbage, "?\n");
    EXPECT_EQ(noise.size(), 12u);
    EXPECT_EQ(noise.find("QRX"), std::string::npos);

    auto e = at(Level::Application);
    e.echo = true;
    SimulatedUnit echo(e);
    EXPECT_EQ(say(echo, "P1P0\n"), "P1P0\n\n");

    auto m = at(Level::DebugMonitor);
    m.faults.monitorInvalid = true;
    SimulatedUnit monitor(m);
    EXPECT_EQ(say(monitor, "dx\n"), "Invalid Command\r\n");

    EXPECT_FALSE(applyFault(c, "no-such-fault"));
    for (auto name : faultNames()) {
        UnitConfig any;
        EXPECT_TRUE(applyFault(any, name)) << name;
    }
}

TEST(SimulatedUnit, EndlessTalkerRefillsAndAnswersNothing)
{
    auto c = at(Level::Application);
    c.faults.endless = true;
    SimulatedUnit unit(c);
    EXPECT_EQ(say(unit, "?\n"), "");
    unit.refill(0);
    EXPECT_TRUE(unit.hasOutput());
}

TEST(SimulatedUnit, LevelNames)
{
    for (auto name : {"application", "loader", "debug", "eeprom-programmer"})
        EXPECT_EQ(levelName(*parseLevel(name)), name);
    EXPECT_EQ(parseLevel("boot"), std::nullopt);
    EXPECT_EQ(modelNames().size(), 10u);
}
