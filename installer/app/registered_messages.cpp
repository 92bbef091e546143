#include "registered_messages.h"

#include <QHash>
#include <QMutex>

namespace velmar::installer {

QEvent::Type RegisterWindowMessage(const char* name)
{
    static QMutex lock;
    static QHash<QString, QEvent::Type> registered;
    QMutexLocker guard(&lock);
    const QString key = QString::fromLatin1(name);
    auto it = registered.find(key);
    if (it == registered.end())
        it = registered.insert(key, static_cast<QEvent::Type>(QEvent::registerEventType()));
    return *it;
}

}  // namespace velmar::installer
