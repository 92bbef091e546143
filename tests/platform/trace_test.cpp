#include "platform/trace.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/virtual_clock.h"

using namespace velmar::platform;

TEST(Trace, HexAndAscii)
{
    const uint8_t bytes[] = {'Q', 'R', 'X', 0x0D, 0x0A};
    const std::string line = TraceLog::formatBytes(bytes, sizeof bytes);
    EXPECT_EQ(line.substr(0, 15), "51 52 58 0D 0A ");
    EXPECT_EQ(line.substr(line.size() - 5), "QRX..");
}

TEST(Trace, TimestampsDirectionsAndNotes)
{
    VirtualClock clock;
    std::ostringstream out;
    TraceLog log(out, clock);
    const uint8_t probe[] = {'?', '\n'};
    log.bytes(TraceLog::Direction::Sent, probe, 2);
    clock.delay(1234);
    log.note("Identify begin");
    const uint8_t many[20] = {};
    log.bytes(TraceLog::Direction::Received, many, 20);
    const std::string text = out.str();
    EXPECT_NE(text.find("[       0 ms] >  3F 0A"), std::string::npos) << text;
    EXPECT_NE(text.find("[    1234 ms] -- Identify begin"), std::string::npos) << text;
    EXPECT_NE(text.find("[    1234 ms] <  00 00"), std::string::npos) << text;
    // 20 bytes: two lines of at most 16
    size_t lines = 0;
    for (char c : text)
        lines += c == '\n';
    EXPECT_EQ(lines, 4u);
}
