#include "terminal_progress.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/console.h"

namespace velmar::tools {

namespace {
constexpr int kWidth = 40;
constexpr const char* kEraseLine = "\r\033[K";

// Columns the terminal shows, less one so the cursor never wraps to a line that "\r" cannot reach.
size_t lineWidth() { return std::max<size_t>(platform::terminalColumns(), 2) - 1; }
}  // namespace

TerminalProgress::TerminalProgress() : terminal_(platform::stderrIsTerminal()) {}

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
        std::fputs(kEraseLine, stderr);
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
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kWidth - filled), '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
}

TerminalLine::TerminalLine() : terminal_(platform::stderrIsTerminal()) {}

TerminalLine::~TerminalLine() { clear(); }

void TerminalLine::show(std::string_view text)
{
    if (!terminal_)
        return;
    text = text.substr(0, lineWidth());
    std::fprintf(stderr, "%s%.*s", kEraseLine, static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
    shown_ = true;
}

void TerminalLine::clear()
{
    if (!shown_)
        return;
    std::fputs(kEraseLine, stderr);
    std::fflush(stderr);
    shown_ = false;
}

}  // namespace velmar::tools
