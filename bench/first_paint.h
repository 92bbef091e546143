#pragma once
// What a user waits for at start is the window's first paint, not the teardown after it. A
// child started by a bench installs this on its application: at the first paint of a window it
// writes one byte to the descriptor named by VELMAR_FIRST_PAINT_FD and ends the process at once.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <unistd.h>

namespace velmar::bench {

class FirstPaintExit : public QObject {
public:
    FirstPaintExit()
    {
        const char* fd = std::getenv("VELMAR_FIRST_PAINT_FD");
        fd_ = fd ? std::atoi(fd) : -1;
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            qApp->removeEventFilter(this);
            // The window's children are painted and the picture flushed before this runs.
            QTimer::singleShot(0, [fd = fd_] {
                if (fd >= 0 && ::write(fd, "p", 1) != 1)
                    _exit(2);
                _exit(0);
            });
        }
        return false;
    }

private:
    int fd_ = -1;
};

}  // namespace velmar::bench
