#include "app/progress_bar_sink.h"

#include <QProgressBar>

namespace velmar::editor {

void ProgressBarSink::setRange(int maximum)
{
    QMetaObject::invokeMethod(
        bar_,
        [bar = bar_, maximum] {
            if (bar)
                bar->setRange(0, maximum);
        },
        Qt::QueuedConnection);
}

void ProgressBarSink::setPosition(int position)
{
    QMetaObject::invokeMethod(
        bar_,
        [bar = bar_, position] {
            if (bar)
                bar->setValue(position);
        },
        Qt::QueuedConnection);
}

void ProgressBarSink::setVisible(bool visible)
{
    QMetaObject::invokeMethod(
        bar_,
        [bar = bar_, visible] {
            if (bar)
                bar->setVisible(visible);
        },
        Qt::QueuedConnection);
}

}  // namespace velmar::editor
