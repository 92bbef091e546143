#include "interruptible_host.h"

#include <atomic>
#include <csignal>

namespace velmar::tools {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onTransferInterrupt(int) { interrupted = true; }

}  // namespace

void InterruptibleHost::transferUnderWay(bool underWay)
{
    if (underWay)
        interrupted = false;
    std::signal(SIGINT, underWay ? onTransferInterrupt : SIG_DFL);
}

bool InterruptibleHost::stopRequested() { return interrupted.load(); }

}  // namespace velmar::tools
