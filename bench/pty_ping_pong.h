#pragma once
#include <cstdint>

namespace velmar::bench {

// What a lockstep exchange with a second process through a pseudo-terminal costs beyond its
// wire time, with nothing else done: one byte there and back, `trips` times, the far end
// holding each byte `delayUs` in ppoll before it answers (as unit_simulator holds a reply until
// its wire time is due). Returns the mean time of a round trip beyond the delay, in
// microseconds: the kernel's hand-overs and the wake-ups on both sides. Negative when the
// pseudo-terminal or the second process could not be set up.
double ptyRoundTripOverheadUs(int trips, uint32_t delayUs);

}  // namespace velmar::bench
