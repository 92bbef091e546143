#pragma once

#include <QPointer>
#include <QProgressBar>

#include "unitlink/progress_sink.h"

namespace velmar::editor {

// Drives a progress bar from the thread a unit operation runs on: every call is queued to
// the bar's own thread, in order.
class ProgressBarSink final : public ProgressSink {
public:
    explicit ProgressBarSink(QProgressBar* bar) : bar_(bar) {}
    void setRange(int maximum) override;
    void setPosition(int position) override;
    void setVisible(bool visible) override;
    QProgressBar* bar() const { return bar_; }

private:
    QPointer<QProgressBar> bar_;
};

}  // namespace velmar::editor
