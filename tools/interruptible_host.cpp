#include "interruptible_host.h"

#include <atomic>

#include "platform/console.h"

namespace velmar::tools {

namespace {

std::atomic<bool> interrupted{false};

void onTransferInterrupt() { interrupted = true; }

}  // namespace

void InterruptibleHost::transferUnderWay(bool underWay)
{
    if (underWay)
        interrupted = false;
    platform::setInterruptHandler(underWay ? onTransferInterrupt : nullptr);
}

bool InterruptibleHost::stopRequested() { return interrupted.load(); }

}  // namespace velmar::tools
