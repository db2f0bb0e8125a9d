#include "app/TerminationSignals.h"

#include "core/Signals.h"

#include <QApplication>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>

#include <windows.h>
#endif

namespace orvalin {

#ifndef Q_OS_WIN

void CloseWindowsOnTerminationSignals()
{
    OnTerminationSignals([](int) { QApplication::closeAllWindows(); });
}

#else

namespace {

// Windows ends a program soon after its windows have answered WM_ENDSESSION, however far its
// work has got: the windows are closed while the message is handled, which stops a run's tools
// and removes its working folder, as a termination signal does on Linux.
class SessionEndFilter : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        const auto* windowsMessage = static_cast<const MSG*>(message);
        if (type == "windows_generic_MSG" && windowsMessage->message == WM_ENDSESSION
            && windowsMessage->wParam && !m_ended) {
            m_ended = true;
            QApplication::closeAllWindows();
        }
        return false; // Qt's own handling follows
    }

private:
    bool m_ended = false;
};

} // namespace

void CloseWindowsOnTerminationSignals()
{
    static SessionEndFilter filter;
    qApp->installNativeEventFilter(&filter);
}

#endif

} // namespace orvalin
