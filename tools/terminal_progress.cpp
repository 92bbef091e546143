#include "terminal_progress.h"

#include <unistd.h>

#include <algorithm>
#include <string>

namespace velmar::tools {

namespace {
constexpr int kWidth = 40;
}

TerminalProgress::TerminalProgress() : terminal_(isatty(STDERR_FILENO) == 1) {}

void TerminalProgress::setRange(int maximum)
{
    maximum_ = std::max(maximum, 1);
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::setPosition(int position)
{
    position_ = std::clamp(position, 0, maximum_);
    draw();
}

void TerminalProgress::setVisible(bool visible)
{
    if (visible_ && !visible && terminal_)
        std::fputs("\r\033[K", stderr);
    visible_ = visible;
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::draw()
{
    if (!terminal_ || !visible_)
        return;
    const int percent = static_cast<int>(static_cast<long long>(position_) * 100 / maximum_);
    if (percent == drawnPercent_)
        return;
    drawnPercent_ = percent;
    const int filled = percent * kWidth / 100;
    const std::string bar = std::string(static_cast<size_t>(filled), '#') + std::string(static_cast<size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}

}  // namespace velmar::tools
