#pragma once

// Calls back when the link notes the start of a named operation in its trace, so a test can
// change the unit at an exact point of a long operation ("on the fifth EnterLoader ...").
#include <functional>
#include <ostream>
#include <streambuf>
#include <string>

#include "platform/trace.h"

namespace velmar::test {

class OperationWatch : private std::streambuf, public std::ostream {
public:
    OperationWatch(std::string operation, std::function<void(int count)> onStart)
        : std::ostream(this), needle_("-- " + std::move(operation) + " begin"), onStart_(std::move(onStart))
    {
    }

private:
    int overflow(int c) override
    {
        if (c == '\n') {
            if (line_.find(needle_) != std::string::npos)
                onStart_(++count_);
            line_.clear();
        } else if (c != std::char_traits<char>::eof()) {
            line_ += static_cast<char>(c);
        }
        return c;
    }

    std::string needle_;
    std::function<void(int)> onStart_;
    std::string line_;
    int count_ = 0;
};

}  // namespace velmar::test
