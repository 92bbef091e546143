#pragma once

// The link's operations show their progress bar through this: shown from 0 over a range when
// made, hidden however the operation ends.
#include "unitlink/progress_sink.h"

namespace velmar::unitlink {

class ShownProgress {
public:
    ShownProgress(ProgressSink& sink, int range) : sink_(sink)
    {
        sink_.setRange(range);
        sink_.setPosition(0);
        sink_.setVisible(true);
    }
    ~ShownProgress() { hide(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    void at(int position) { sink_.setPosition(position); }
    // Hides the bar before the operation ends (it stays hidden).
    void hide() { sink_.setVisible(false); }

private:
    ProgressSink& sink_;
};

}  // namespace velmar::unitlink
