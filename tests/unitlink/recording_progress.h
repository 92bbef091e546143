#pragma once

#include <vector>

#include "unitlink/progress_sink.h"

namespace velmar::test {

// Keeps every call, for assertions on how an operation drove its bar.
struct RecordingProgress final : ProgressSink {
    void setRange(int maximum) override { ranges.push_back(maximum); }
    void setPosition(int position) override { positions.push_back(position); }
    void setVisible(bool visible) override { visibility.push_back(visible); }

    std::vector<int> ranges;
    std::vector<int> positions;
    std::vector<bool> visibility;
};

}  // namespace velmar::test
