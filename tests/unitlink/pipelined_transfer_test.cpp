// Transfers that keep commands in flight: the same bytes on the wire as one command at a time,
// less time than the wire would need for them one after another, and no write sent before the
// loader acknowledged everything earlier.
#include <gtest/gtest.h>

#include <cstring>

#include "sim_bench.h"
#include "unitlink/loader_commands.h"
#include "unitlink/loader_rules.h"
#include "unitlink/progress_sink.h"

using namespace velmar;
using namespace velmar::unitlink;
using velmar::test::SimBench;
using velmar::test::enterFast;

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

// What ProgramSettings sends for a byte when each command waits for the previous reply.
std::string oneAtATime(size_t from, size_t to, const Image& image)
{
    std::string bytes;
    for (size_t a = from; a < to; ++a) {
        if (!settingsAddressWritten(a, false))
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

TEST(PipelinedTransfer, ProgrammingSendsTheSameBytesInLessTimeThanOneCommandAtATime)
{
    SimBench b(Variant::Installer, quickUnit());
    enterFast(b);
    const Image image = patternImage();
    b.unit.clearTranscript();
    ClockedProgress progress(b.clock);
    std::string m;
    ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, false)) << m;
    const std::string expected = oneAtATime(kSettingsWriteFirst, kSettingsWriteEnd, image);
    const std::string& sent = b.unit.transcript();
    const size_t start = sent.find(std::string("a\x00\x10", 3));
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(sent.substr(start, expected.size()), expected);
    for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a) {
        if (settingsAddressWritten(a, false)) {
            ASSERT_EQ(b.unit.memory().settings[a], image[a]) << a;
        }
    }
    // 13 bytes a byte: "a" + 2, CR, "d" + 1, CR, "a" + 2, CR, "D", the byte.
    const auto [ns, addresses] = progress.span();
    EXPECT_LT(ns, 0.9 * addresses * 13.0 * static_cast<double>(kByteNs));
}

TEST(PipelinedTransfer, NoByteFollowsAWriteBeforeTheLoaderAcknowledgedIt)
{
    for (bool keep : {false, true}) {
        auto config = quickUnit();
        config.eepromWriteUs = 8500;  // a real EEPROM's write time
        SimBench b(Variant::Editor, config);
        std::string m;
        ASSERT_TRUE(b.link.DetectUnit(m)) << m;
        ASSERT_TRUE(b.link.OpenPort(m)) << m;
        ASSERT_TRUE(b.link.ConnectForTransfer(m)) << m;
        const Image image = patternImage();
        NoProgress progress;
        ASSERT_TRUE(b.link.ProgramSettings(image, m, progress, keep)) << m;
        EXPECT_EQ(b.unit.receiveOverruns(), 0u);
        for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a) {
            if (settingsAddressWritten(a, keep)) {
                ASSERT_EQ(b.unit.memory().settings[a], image[a]) << a;
            }
        }
    }
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
