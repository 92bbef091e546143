#pragma once

#include <functional>

class QWidget;

namespace velmar::ui {

// Runs job on a worker thread while this thread keeps the windows painting: user input and
// close requests are dropped and the wait cursor is shown until the job has ended. The
// caller's data is touched by the job alone until this returns.
void runKeepingWindowAlive(const std::function<void()>& job);

// Wait cursor for the life of the object.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace velmar::ui
