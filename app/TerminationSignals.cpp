#include "app/TerminationSignals.h"

#include <QApplication>
#include <QSocketNotifier>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#else
#include <QAbstractNativeEventFilter>

#include <windows.h>
#endif

namespace orvalin {

#ifndef Q_OS_WIN

namespace {

int signalSocket[2] = {-1, -1};
int lastSignal = 0; // set on the window's thread

// A signal handler may do almost nothing: it passes the signal's number on to the event loop.
void passOnSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const auto written = ::write(signalSocket[0], &byte, 1);
}

} // namespace

void CloseWindowsOnTerminationSignals()
{
    if (signalSocket[0] >= 0
        || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char byte;
        if (::read(signalSocket[1], &byte, 1) == 1)
            lastSignal = byte;
        QApplication::closeAllWindows();
    });
    struct sigaction action = {};
    action.sa_handler = passOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

int ExitStatusAfterSignals(int status)
{
    return lastSignal ? 128 + lastSignal : status;
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

int ExitStatusAfterSignals(int status)
{
    return status;
}

#endif

} // namespace orvalin
