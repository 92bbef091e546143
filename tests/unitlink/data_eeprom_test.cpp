// The data EEPROM through the debug monitor, against the simulated unit on the virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "recording_progress.h"
#include "sim_bench.h"
#include "unitlink/texts.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::RecordingProgress;
using velmar::test::SimBench;

namespace {

std::vector<uint8_t> bytes(size_t size, uint8_t seed)
{
    std::vector<uint8_t> out(size);
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<uint8_t>(i * 13 + seed);
    return out;
}

// The installer's section sizes, so the block ranges are the real ones.
struct Sections {
    std::vector<uint8_t> s1 = bytes(17992, 1), s2 = bytes(11340, 2), s3 = bytes(12855, 3), s4 = bytes(14700, 4),
                         s6 = bytes(2624, 6);
    DataEepromSections view() const { return {s1, s2, s3, s4, 0x42, s6}; }
};

std::vector<uint8_t> block(const SimBench& b, size_t n)
{
    const auto& data = const_cast<SimBench&>(b).unit.memory().dataEeprom;
    return {data.begin() + static_cast<std::ptrdiff_t>(n * 128),
            data.begin() + static_cast<std::ptrdiff_t>((n + 1) * 128)};
}

std::vector<std::string> writeLines(const SimBench& b)
{
    std::vector<std::string> dew;
    for (const auto& line : b.unit.receivedLines()) {
        if (line.rfind("dew", 0) == 0)
            dew.push_back(line.substr(0, 8));
    }
    return dew;
}

void connect(SimBench& b)
{
    std::string m;
    ASSERT_TRUE(b.link.DetectUnit(m)) << m;
}

// Notes, with every position, the virtual time and the last block the unit was asked to read.
struct BlockWatch final : ProgressSink {
    explicit BlockWatch(const SimBench& bench) : b(bench) {}
    void setRange(int) override {}
    void setVisible(bool) override {}
    void setPosition(int position) override
    {
        positions.push_back(position);
        atMs.push_back(b.elapsedMs());
        const std::string& heard = b.unit.transcript();
        const size_t at = heard.rfind("det");  // never inside a write line: those carry hex digits
        lastRead.push_back(at == std::string::npos ? "" : heard.substr(at, 7));
    }

    const SimBench& b;
    std::vector<int> positions;
    std::vector<double> atMs;
    std::vector<std::string> lastRead;
};

}  // namespace

TEST(ProgramEepromImage, WritesTheSectionsFromBlockZeroAndTheDirectoryLast)
{
    SimBench b(Variant::Installer, sim::UnitConfig{});
    connect(b);
    const Sections s;
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramEepromImage(m, progress, s.view())) << m;
    EXPECT_EQ(m, texts::kEepromDone);

    const auto& data = b.unit.memory().dataEeprom;
    EXPECT_TRUE(std::equal(s.s1.begin(), s.s1.end(), data.begin()));
    EXPECT_EQ(data[17992], 0);  // the last block of a section is padded with zeros
    EXPECT_TRUE(std::equal(s.s2.begin(), s.s2.end(), data.begin() + 141 * 128));
    EXPECT_TRUE(std::equal(s.s3.begin(), s.s3.end(), data.begin() + 230 * 128));
    EXPECT_TRUE(std::equal(s.s4.begin(), s.s4.end(), data.begin() + 331 * 128));
    EXPECT_EQ(data[446 * 128], 0x42);
    EXPECT_EQ(data[446 * 128 + 1], 0);
    EXPECT_EQ(data[447 * 128], s.s6[1]);  // word-swapped
    EXPECT_EQ(data[447 * 128 + 1], s.s6[0]);
    EXPECT_EQ(data[468 * 128], 0xFF);  // nothing beyond the last section

    const auto directory = block(b, 1023);
    EXPECT_EQ(std::string(directory.begin(), directory.begin() + 40), "  8d2c4c  e63237 14b396c 1be   1 1bf a40");
    EXPECT_TRUE(std::all_of(directory.begin() + 40, directory.begin() + 112, [](uint8_t c) { return c == 0; }));
    EXPECT_EQ(std::string(directory.begin() + 112, directory.begin() + 115), "AX6");

    EXPECT_EQ(progress.ranges, std::vector<int>{466});
    EXPECT_EQ(progress.positions.back(), 466);
    EXPECT_EQ(progress.visibility, (std::vector<bool>{true, false}));
    EXPECT_EQ(b.unit.level(), sim::Level::Application);
    EXPECT_EQ(b.unit.lineRate(), 19200u);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(ProgramEepromImage, ADataEepromThatHoldsTheSectionsIsOnlyReadApartFromTheDirectory)
{
    SimBench b(Variant::Installer, sim::UnitConfig{});
    connect(b);
    const Sections s;
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramEepromImage(m, progress, s.view())) << m;
    b.unit.clearTranscript();
    ASSERT_TRUE(b.link.DetectUnit(m));
    ASSERT_TRUE(b.link.ProgramEepromImage(m, progress, s.view())) << m;
    const std::vector<std::string> expected = {"dew03ff0", "dew03ff1", "dew03ff2", "dew03ff3",
                                               "dew03ff0", "dew03ff1", "dew03ff2", "dew03ff3"};
    EXPECT_EQ(writeLines(b), expected);
    EXPECT_EQ(b.linesReceived("det0000"), 1u);
    EXPECT_EQ(b.linesReceived("det01d3"), 1u);  // block 467, the last of section 6
    const auto directory = block(b, 1023);
    EXPECT_EQ(std::string(directory.begin() + 112, directory.begin() + 115), "AX6");
}

TEST(ProgramEepromImage, AnUnknownDataEepromIsNotWritten)
{
    sim::UnitConfig config;
    config.dataEepromId = "0000";
    SimBench b(Variant::Installer, config);
    connect(b);
    const Sections s;
    RecordingProgress progress;
    std::string m;
    EXPECT_FALSE(b.link.ProgramEepromImage(m, progress, s.view()));
    EXPECT_EQ(m, texts::kEepromFailed);
    EXPECT_TRUE(writeLines(b).empty());
    EXPECT_EQ(b.unit.level(), sim::Level::Application);  // left in the main firmware at its rate
    EXPECT_EQ(b.unit.lineRate(), 19200u);
    EXPECT_EQ(progress.visibility.back(), false);
    EXPECT_FALSE(b.port.isOpen());
}

TEST(ProgramEepromImage, TheEepromProgrammerServesTheLinesItselfAndSectionsTooLargeAreRefused)
{
    sim::UnitConfig config;
    config.level = sim::Level::EepromProgrammer;
    config.installed = sim::Installed::EepromProgrammer;
    SimBench b(Variant::Installer, config);
    connect(b);
    ASSERT_EQ(b.link.mode(), UnitMode::EepromProgrammer);
    Sections s;
    RecordingProgress progress;
    std::string m;
    ASSERT_TRUE(b.link.ProgramEepromImage(m, progress, s.view())) << m;
    EXPECT_EQ(b.linesReceived("D8056.3"), 0u);
    EXPECT_EQ(b.unit.level(), sim::Level::EepromProgrammer);
    EXPECT_EQ(b.unit.lineRate(), 19200u);

    s.s1.resize(1023 * 128);
    b.unit.clearTranscript();
    EXPECT_FALSE(b.link.ProgramEepromImage(m, progress, s.view()));
    EXPECT_EQ(m, texts::kEepromFailed);
    EXPECT_EQ(b.unit.transcript(), "");
}

TEST(ProgramEepromImage, TheBarFollowsTheBlockCounterAfterEveryBlock)
{
    SimBench b(Variant::Installer, sim::UnitConfig{});
    connect(b);
    const Sections s;
    BlockWatch watch(b);
    std::string m;
    const double startMs = b.elapsedMs();
    ASSERT_TRUE(b.link.ProgramEepromImage(m, watch, s.view())) << m;
    const double totalMs = b.elapsedMs() - startMs;

    std::vector<int> expected(467);
    std::iota(expected.begin(), expected.end(), 0);
    ASSERT_EQ(watch.positions, expected);
    for (size_t p = 1; p < watch.positions.size(); ++p) {
        char read[16];
        std::snprintf(read, sizeof read, "det%4.4zx", p - 1);
        ASSERT_EQ(watch.lastRead[p], read) << "position " << p << " is set as soon as its block is done";
    }
    // No stretch of the run leaves the bar standing: before, the first section alone took a
    // third of it.
    double longestMs = 0;
    for (size_t p = 1; p < watch.atMs.size(); ++p)
        longestMs = std::max(longestMs, watch.atMs[p] - watch.atMs[p - 1]);
    EXPECT_LT(longestMs, totalMs / 100);
}
