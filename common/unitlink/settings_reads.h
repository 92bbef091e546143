#pragma once

// Reads of the settings EEPROM kept in flight across addresses (internal to the unit link).
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

#include "unitlink/loader_pipeline.h"
#include "unitlink/loader_rules.h"

namespace velmar::unitlink {

// One progress range covers both phases of a settings programming: its reads take the first
// eighth of the bar, its writes, which take far longer a byte, the rest.
inline int programmingPosition(bool reading, size_t address)
{
    constexpr size_t kReadShare = kSettingsReadRequired / 8;
    return static_cast<int>(reading ? address / 8 : kReadShare + address * 7 / 8);
}

// Each read is "set address, then D", as a lone read is: the loader is not relied on to move
// its address on after "D". Reads go out ahead of the replies to earlier ones, as many as keep
// kLineBytesInFlight bytes of commands on their way, and their replies are taken strictly in
// order. A read changes nothing in the unit and the loader receives twice the bytes it sends
// back, so reads sent ahead never pile up in its receiver.
//
// A reply byte lost on the way shifts every later one: the byte of a "D" is then taken from the
// next acknowledgement (a CR), until a byte taken as an acknowledgement is not one. So a byte
// that reads as a CR is handed on only once a later read's byte proves the replies in step (it
// is not a CR, or the last reply on its way arrived); should a reply fail first, it is read again.
class SettingsReads {
public:
    explicit SettingsReads(UnitLink& link) : pipeline_(link) {}

    // Plans a read of `address` after those already planned.
    void read(size_t address) { planned_.push_back(address); }
    // Plans a read of `address` before every other one not yet sent.
    void readNext(size_t address) { planned_.push_front(address); }

    struct Reply {
        size_t address;
        std::optional<uint8_t> value;  // none: the reply was lost or wrong
    };
    // Sends what the window allows and takes the oldest reply (a read must be planned or on its
    // way). After a lost one, what was in flight behind it has been waited out and dropped;
    // those reads are planned again, first.
    Reply next();

    // Waits out the replies on their way, drops them and forgets every plan.
    void clear();
    bool empty() const { return planned_.empty() && queued_.empty() && unproven_.empty() && proven_.empty(); }

private:
    void topUp();

    LoaderPipeline pipeline_;
    std::deque<size_t> planned_;  // not yet handed to the pipeline
    std::deque<size_t> queued_;   // handed to the pipeline, replies not yet taken
    std::deque<Reply> unproven_;  // taken, reading as a CR, not yet shown to be in step
    std::deque<Reply> proven_;    // taken and in step, not yet handed on
};

}  // namespace velmar::unitlink
