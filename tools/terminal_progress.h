#pragma once

#include <ostream>

#include "unitlink/progress_sink.h"

namespace velmar::cli {

// A progress bar drawn on one terminal line; silent when the stream is not a terminal.
class TerminalProgress final : public ProgressSink {
public:
    TerminalProgress(std::ostream& out, bool isTerminal);
    void setRange(int maximum) override;
    void setPosition(int position) override;
    void setVisible(bool visible) override;

private:
    void draw();

    std::ostream& out_;
    bool enabled_;
    bool visible_ = false;
    int maximum_ = 0;
    int position_ = 0;
    int drawnPercent_ = -1;
};

}  // namespace velmar::cli
