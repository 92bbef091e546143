// Reads keep commands in flight and take less time than the wire would need for them one after
// another; writes go one acknowledged command at a time, whenever the loader acknowledges them.
#include <gtest/gtest.h>

#include <cstring>

#include "sim_bench.h"
#include "unitlink/loader_commands.h"
#include "unitlink/loader_rules.h"
#include "unitlink/progress_sink.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::enterFast;
using velmar::test::SimBench;

namespace {

const uint64_t kByteNs = sim::UnitWire::byteTimeNs(115200);

// Notes the virtual time of every progress position.
struct ClockedProgress final : ProgressSink {
    explicit ClockedProgress(platform::VirtualClock& c) : clock(c) {}
    void setRange(int) override {}
    void setPosition(int position) override { at.emplace_back(position, clock.nowNs()); }
    void setVisible(bool) override {}
    // Virtual time from the first position to the last, and the positions covered.
    std::pair<double, int> span() const
    {
        return {static_cast<double>(at.back().second - at.front().second), at.back().first - at.front().first};
    }
    platform::VirtualClock& clock;
    std::vector<std::pair<int, uint64_t>> at;
};

sim::UnitConfig quickUnit()
{
    sim::UnitConfig c;
    c.model = "QRX 30";
    c.replyDelayMs = 0;  // only the wire's time
    return c;
}

Image patternImage()
{
    Image image{};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 13 + 5);
    return image;
}

// What ProgramSettings sends to write the bytes of `image` that `unit` does not hold, each
// command once the previous one was answered.
std::string oneAtATime(const Image& image, const std::vector<uint8_t>& unit, bool keep)
{
    std::string bytes;
    for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a) {
        if (!settingsAddressWritten(a, keep) || unit[a] == image[a])
            continue;
        const std::string setAddress = loader::withAddress('a', static_cast<uint32_t>(a));
        bytes += setAddress + loader::withByte('d', image[a]) + setAddress + "D";
    }
    return bytes;
}

}  // namespace

TEST(PipelinedTransfer, RetrievalOverlapsRequestsAndRepliesOnTheWire)
{
    SimBench b(Variant::Installer, quickUnit());
    const Image unit = patternImage();
    std::copy(unit.begin() + 3, unit.end(), b.unit.memory().settings.begin() + 3);
    enterFast(b);
    Image image{};
    ClockedProgress progress(b.clock);
    std::string m;
    ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
    EXPECT_TRUE(std::equal(image.begin() + 3, image.end(), unit.begin() + 3));
    // Each address costs two tries of "a" + 2 bytes, "D" and their replies: 12 bytes, which one
    // command at a time would need 12 byte times for.
    const auto [ns, addresses] = progress.span();
    EXPECT_LT(ns, 0.8 * addresses * 12.0 * static_cast<double>(kByteNs));
}

// Loaders that acknowledge "d" once the byte is written and loaders that acknowledge it as the
// write starts, with one byte (loader 25) or two (loader 31) in their receiver.
TEST(PipelinedTransfer, ProgrammingSendsEachCommandOnlyOnceTheLastWasAcknowledged)
{
    for (const auto ack : {sim::EepromAck::AfterWrite, sim::EepromAck::AtStart}) {
        for (const char* loader : {"25", "31"}) {
            for (bool keep : {false, true}) {
                SCOPED_TRACE(testing::Message() << "early " << (ack == sim::EepromAck::AtStart) << " loader " << loader
                                                << " keep " << keep);
                auto config = quickUnit();
                config.eepromWriteUs = 4000;
                config.eepromAck = ack;
                config.loaderVersion = loader;
                SimBench b(Variant::Editor, config);
                std::string m;
                ASSERT_TRUE(b.link.DetectUnit(m)) << m;
                ASSERT_TRUE(b.link.OpenPort(m)) << m;
                ASSERT_TRUE(b.link.ConnectForTransfer(m)) << m;
                const Image image = patternImage();
                const std::vector<uint8_t> before = b.unit.memory().settings;
                b.unit.clearTranscript();
                NoProgress progress;
                ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, keep)) << m;
                EXPECT_EQ(b.unit.receiveOverruns(), 0u);
                // The writes follow the reads: "a", address, "d" starts the first of them, and
                // never occurs among reads ("D" follows their address).
                const std::string expected = oneAtATime(image, before, keep);
                const std::string& sent = b.unit.transcript();
                const size_t start = sent.find(expected.substr(0, 5));
                ASSERT_NE(start, std::string::npos);
                EXPECT_EQ(sent.substr(start, expected.size()), expected);
                for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a) {
                    if (settingsAddressWritten(a, keep)) {
                        ASSERT_EQ(b.unit.memory().settings[a], image[a]) << a;
                    }
                }
            }
        }
    }
}

// Why the read-back and the next address may not travel together: a loader that acknowledged
// "d" early reads nothing while the read waits for the write, and loses the address bytes.
TEST(PipelinedTransfer, ABurstAfterAnEarlyWriteAcknowledgementLosesBytes)
{
    auto config = quickUnit();
    config.eepromWriteUs = 4000;
    config.eepromAck = sim::EepromAck::AtStart;
    SimBench b(Variant::Installer, config);
    enterFast(b);
    b.link.SetStreamingReads(true);
    ASSERT_TRUE(b.link.QueryCr(loader::withAddress('a', 0x10), 65));
    ASSERT_TRUE(b.link.QueryCr(loader::withByte('d', 0x64), 65));
    // Sent once, as a pipeline would: the link's own query would repeat it.
    const std::string burst = loader::withAddress('a', 0x10) + "D" + loader::withAddress('a', 0x11);
    ASSERT_EQ(b.port.write(reinterpret_cast<const uint8_t*>(burst.data()), burst.size()),
              static_cast<int>(burst.size()));
    b.clock.delay(20);  // well past the write
    uint8_t reply[8];
    const int n = b.port.read(reply, sizeof reply);
    ASSERT_GE(n, 0);
    EXPECT_EQ(std::string(reply, reply + n), "\rd");  // the next address was never acknowledged
    EXPECT_EQ(b.unit.receiveOverruns(), 2u);
}

TEST(PipelinedTransfer, VerificationKeepsReadsInFlight)
{
    SimBench b(Variant::Installer, quickUnit());
    enterFast(b);
    std::vector<uint8_t> flash(kFlashImageBytes, 0xFF);
    for (size_t i = 0; i < 2 * 4096; ++i)
        flash[i] = static_cast<uint8_t>(i * 7 + 1);
    const char banner[] = "QRX 30 Version 1.00";
    std::memcpy(flash.data() + 64, banner, sizeof banner);
    b.unit.memory().setFlashBytes(flash);
    ClockedProgress progress(b.clock);
    std::string m;
    ASSERT_TRUE(b.link.VerifyFlash(m, progress, flash)) << m;
    // "R" and the two bytes of its word: three byte times a word one read at a time.
    const auto [ns, words] = progress.span();
    EXPECT_LT(ns, 0.8 * words * 3.0 * static_cast<double>(kByteNs));
}

namespace {

// A unit reached through a USB serial adapter with the given latency (0: a direct line).
struct AdapterBench : SimBench {
    explicit AdapterBench(uint32_t latencyMs, sim::UnitConfig config = quickUnit())
        : SimBench(Variant::Installer, std::move(config), 1, 1, 0, latencyMs)
    {
    }
};

}  // namespace

// An adapter holds the unit's replies until 62 bytes wait or 16 ms have passed: runs of reads
// keep enough on their way that it hands over full packets and the line never waits for it.
TEST(PipelinedTransfer, ThroughA16MillisecondAdapterRunsOfReadsKeepTheLineBusy)
{
    std::vector<uint8_t> flash(kFlashImageBytes, 0xFF);
    for (size_t i = 0; i < 2 * 8192; ++i)
        flash[i] = static_cast<uint8_t>(i * 7 + 1);
    const char banner[] = "QRX 30 Version 1.00";
    std::memcpy(flash.data() + 64, banner, sizeof banner);
    double retrieveNs[2] = {};
    double verifyNs[2] = {};
    for (const uint32_t latency : {0u, 16u}) {
        AdapterBench b(latency);
        enterFast(b);
        Image image{};
        ClockedProgress retrieval(b.clock);
        std::string m;
        ASSERT_TRUE(b.link.RetrieveSettings(image, m, retrieval)) << m;
        retrieveNs[latency > 0] = retrieval.span().first;

        b.unit.memory().setFlashBytes(flash);
        ClockedProgress verification(b.clock);
        ASSERT_TRUE(b.link.OpenPort(m)) << m;
        ASSERT_TRUE(b.link.VerifyFlash(m, verification, flash)) << m;
        verifyNs[latency > 0] = verification.span().first;
    }
    EXPECT_LT(retrieveNs[1], 1.1 * retrieveNs[0]);
    EXPECT_LT(verifyNs[1], 1.1 * verifyNs[0]);
}

// Programming an image the unit already holds reads every address twice and writes nothing:
// no longer than retrieving the image, through an adapter or not.
TEST(PipelinedTransfer, ProgrammingWhatTheUnitHoldsTakesAboutAsLongAsRetrievingIt)
{
    for (const uint32_t latency : {0u, 1u, 16u}) {
        SCOPED_TRACE(latency);
        AdapterBench b(latency);
        const Image unit = patternImage();
        std::copy(unit.begin() + 3, unit.end(), b.unit.memory().settings.begin() + 3);
        enterFast(b);
        NoProgress progress;
        std::string m;
        Image image{};
        const double start = b.elapsedMs();
        ASSERT_TRUE(b.link.RetrieveSettings(image, m, progress)) << m;
        const double retrieved = b.elapsedMs();
        ASSERT_TRUE(b.link.EnterLoaderFast(m)) << m;
        const double programStart = b.elapsedMs();
        ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
        EXPECT_EQ(b.link.settingsBytesWritten(), 0u);
        EXPECT_LT(b.elapsedMs() - programStart, 1.15 * (retrieved - start));
    }
}
