#include <sys/ioctl.h>
#include <unistd.h>

#include <atomic>
#include <csignal>

#include "platform/console.h"

namespace velmar::platform {

namespace {

std::atomic<InterruptHandler> installed{nullptr};

extern "C" void onSigint(int)
{
    if (const InterruptHandler handler = installed.load())
        handler();
}

}  // namespace

void prepareCommandLineProgram(int&, char**&) {}

bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::size_t terminalColumns()
{
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

void writeUnbuffered(StandardStream stream, std::string_view text)
{
    (void)!::write(stream == StandardStream::Out ? STDOUT_FILENO : STDERR_FILENO, text.data(), text.size());
}

void setInterruptHandler(InterruptHandler handler)
{
    installed = handler;
    std::signal(SIGINT, handler ? onSigint : SIG_DFL);
}

}  // namespace velmar::platform
