#pragma once

#include <string>

#include "unitlink/unit_link.h"

namespace velmar::unitlink {

// Names an operation in the protocol trace for the duration of a call (internal).
class OperationNote {
public:
    OperationNote(UnitLink& link, std::string name) : link_(link), name_(std::move(name))
    {
        link_.note(name_ + " begin");
    }
    ~OperationNote() { link_.note(name_ + " end"); }
    OperationNote(const OperationNote&) = delete;
    OperationNote& operator=(const OperationNote&) = delete;

private:
    UnitLink& link_;
    std::string name_;
};

}  // namespace velmar::unitlink
