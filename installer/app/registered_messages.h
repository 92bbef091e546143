#pragma once

#include <QEvent>
#include <QString>

namespace velmar::installer {

// The messages the dialog and its worker exchange, registered by name once per process so
// that both sides agree on their numbers.
inline constexpr const char* UM_START_PROCESSING = "UM_START_PROCESSING_guigenstringhere";
inline constexpr const char* UM_UPDATE_DATA_MSG = "UM_UPDATE_DATA_MSG_guigenstringhere";
inline constexpr const char* UM_THREAD_CLOSING_MSG = "UM_THREAD_CLOSING_MSG_guigenstringhere";
inline constexpr const char* UM_FORCED_ABORT_MSG = "UM_FORCED_ABORT_MSG_guigenstringhere";

// The same name always gives the same number.
QEvent::Type RegisterWindowMessage(const char* name);

// A registered message with its two parameters.
class RegisteredMessage : public QEvent {
public:
    RegisteredMessage(const char* name, qintptr wParam, qintptr lParam)
        : QEvent(RegisterWindowMessage(name)), wParam(wParam), lParam(lParam)
    {
    }
    const qintptr wParam;
    const qintptr lParam;
};

}  // namespace velmar::installer
