#pragma once

namespace velmar {

// Where a long unit operation reports its progress: a bar shown at the start, driven from 0 to
// a range, hidden at the end. The GUI adapts it to a progress bar; tools draw a bar on the
// terminal; tests record the calls.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setRange(int maximum) = 0;  // the bar runs from 0 to maximum
    virtual void setPosition(int position) = 0;
    virtual void setVisible(bool visible) = 0;
};

// For callers that show no progress.
class NoProgress final : public ProgressSink {
public:
    void setRange(int) override {}
    void setPosition(int) override {}
    void setVisible(bool) override {}
};

}  // namespace velmar
