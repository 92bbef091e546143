#include "terminal_progress.h"

#include <algorithm>
#include <string>

namespace velmar::cli {

namespace {
constexpr int kBarWidth = 40;
}

TerminalProgress::TerminalProgress(std::ostream& out, bool isTerminal) : out_(out), enabled_(isTerminal) {}

void TerminalProgress::setRange(int maximum) {
    maximum_ = std::max(maximum, 0);
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::setPosition(int position) {
    position_ = position;
    draw();
}

void TerminalProgress::setVisible(bool visible) {
    if (visible_ && !visible && enabled_) out_ << "\r\033[K" << std::flush;
    visible_ = visible;
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::draw() {
    if (!enabled_ || !visible_) return;
    const int percent = maximum_ > 0 ? std::clamp(position_ * 100 / maximum_, 0, 100) : 0;
    // Redrawing only when the figure changes keeps a fast transfer from flooding the terminal.
    if (percent == drawnPercent_) return;
    drawnPercent_ = percent;
    const int filled = percent * kBarWidth / 100;
    out_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << percent << '%'
         << std::flush;
}

}  // namespace velmar::cli
