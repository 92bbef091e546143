#pragma once

// Loader commands sent ahead of the replies to earlier ones (internal to the unit link).
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "unitlink/unit_link.h"

namespace velmar::unitlink {

// How much a run of reads keeps on its way, in bytes of its busier direction (the commands of
// settings reads, the replies of flash reads): 44 ms of line at 115200 bit/s. Through a USB
// serial adapter replies reach the host only when 62 bytes wait or its latency timer (up to
// 16 ms) runs out; what is still on its way then keeps the unit busy while the host wakes up,
// however slowly on a busy machine, and its next commands wait for a 1 ms USB frame.
inline constexpr size_t kLineBytesInFlight = 512;

// A round trip through the port costs as much as a few bytes on the wire at 115200 bit/s, so a
// transfer that waited out every reply would spend a third of its time idle. The pipeline lets
// commands that change nothing in the unit (address sets and reads) go out before the replies to
// earlier ones have come back; replies are then taken strictly in order. It serves reads only.
// Writes go one acknowledged command at a time, since a loader busy with its EEPROM holds only a
// byte or two of what arrives.
class LoaderPipeline {
public:
    explicit LoaderPipeline(UnitLink& link) : link_(link) {}
    ~LoaderPipeline() { discard(); }
    LoaderPipeline(const LoaderPipeline&) = delete;
    LoaderPipeline& operator=(const LoaderPipeline&) = delete;

    // Queues a command answered by a CR.
    void expectAck(std::string_view command, uint32_t limitMs) { queue(command, 1, true, limitMs); }
    // Queues a command answered by `replyBytes` raw bytes.
    void expectBytes(std::string_view command, size_t replyBytes, uint32_t limitMs)
    {
        queue(command, replyBytes, false, limitMs);
    }
    // Sends what is queued and takes the oldest reply (into `reply` when given). False when it did
    // not arrive within its limit or an acknowledgement was not a CR; whatever else is
    // outstanding is then discarded.
    bool take(std::string* reply = nullptr);
    // Waits out the replies still on their way and drops them with any other pending input, and
    // forgets the commands not yet sent, so that the next exchange starts clean.
    void discard();

private:
    struct Expected {
        size_t bytes;
        bool ack;
        uint32_t limitMs;
        size_t commandBytes;
    };
    void queue(std::string_view command, size_t replyBytes, bool ack, uint32_t limitMs);
    void send();

    UnitLink& link_;
    std::string unsent_;
    std::deque<Expected> expected_;
    size_t inFlight_ = 0;  // the first entries of expected_ whose commands went out
};

}  // namespace velmar::unitlink
