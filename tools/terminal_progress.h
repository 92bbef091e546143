#pragma once

#include <cstdio>
#include <string_view>

#include "unitlink/progress_sink.h"

namespace velmar::tools {

// A progress bar on stderr, drawn only when stderr is a terminal (redrawn when the percentage
// changes, so a long transfer writes a few hundred bytes, not one line per step).
class TerminalProgress final : public ProgressSink {
public:
    TerminalProgress();
    void setRange(int maximum) override;
    void setPosition(int position) override;
    void setVisible(bool visible) override;

private:
    void draw();

    bool terminal_;
    bool visible_ = false;
    int maximum_ = 100;
    int position_ = 0;
    int drawnPercent_ = -1;
};

// One line on stderr that every show() rewrites in place, for where a long search has got to;
// drawn only when stderr is a terminal. clear() (and the destructor) wipes it, so what the
// program prints next starts on a clean line.
class TerminalLine {
public:
    TerminalLine();
    ~TerminalLine();
    TerminalLine(const TerminalLine&) = delete;
    TerminalLine& operator=(const TerminalLine&) = delete;
    void show(std::string_view text);
    void clear();

private:
    bool terminal_;
    bool shown_ = false;
};

}  // namespace velmar::tools
