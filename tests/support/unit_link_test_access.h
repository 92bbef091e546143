#pragma once

// Puts a unit link into states it otherwise reaches only by talking to a unit, so a test can
// start an operation from there: a port chosen without detection, a rate, the streaming
// timeouts, the unit's flags.
#include <cstdint>
#include <string>
#include <utility>

#include "unitlink/unit_link.h"

namespace velmar::unitlink {

class UnitLinkTestAccess {
public:
    static void setPortName(UnitLink& link, std::string name) { link.portName_ = std::move(name); }
    static void setBaudIndex(UnitLink& link, int index) { link.baudIndex_ = index; }
    static void setStreaming(UnitLink& link, bool on) { link.streaming_ = on; }
    static void setUnitFlags(UnitLink& link, uint8_t flags) { link.unitFlags_ = flags; }
};

}  // namespace velmar::unitlink
