// The floor under every lockstep exchange with unit_simulator: one byte to a second process
// through a pseudo-terminal and back, nothing else. With a DELAY_US argument the far end holds
// each byte that long (as the simulator holds a reply until its wire time is due) before it
// answers. Prints
//   round_trips=N delay_us=D per_trip_us=T overhead_us=O
// where overhead_us is what a round trip costs beyond the delay: the kernel's hand-overs and
// the wake-ups on both sides.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "pty_ping_pong.h"

namespace {

constexpr int kRoundTrips = 3000;
constexpr uint32_t kLongestDelayUs = 100'000;

}  // namespace

int main(int argc, char** argv)
{
    uint32_t delayUs = 0;
    const std::string_view text(argc == 2 ? argv[1] : "0");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), delayUs);
    if (argc > 2 || error != std::errc() || end != text.data() + text.size() || delayUs > kLongestDelayUs) {
        std::fprintf(stderr, "usage: bench_pty_round_trip [DELAY_US]   (0 to %u)\n", kLongestDelayUs);
        return 2;
    }
    const double overheadUs = velmar::bench::ptyRoundTripOverheadUs(kRoundTrips, delayUs);
    if (overheadUs < 0)
        return 1;
    std::printf("round_trips=%d delay_us=%u per_trip_us=%.1f overhead_us=%.1f\n", kRoundTrips, delayUs,
                overheadUs + delayUs, overheadUs);
    return 0;
}
