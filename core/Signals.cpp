#include "core/Signals.h"

#include <QCoreApplication>

#include <atomic>

#ifndef Q_OS_WIN
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#else
#include <QThread>

#include <windows.h>
#endif

namespace orvalin {

namespace {

std::function<void(int)> signalHandler;
std::atomic<int> lastSignal = 0;

} // namespace

#ifndef Q_OS_WIN

namespace {

int signalSocket[2] = {-1, -1};

// A signal handler may do almost nothing: it passes the signal's number on to the event loop.
void passOnSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const auto written = ::write(signalSocket[0], &byte, 1);
}

} // namespace

void OnTerminationSignals(std::function<void(int)> handler)
{
    if (signalSocket[0] >= 0
        || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    signalHandler = std::move(handler);
    auto* notifier =
        new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte;
        if (::read(signalSocket[1], &byte, 1) != 1)
            return;
        lastSignal = byte;
        signalHandler(byte);
    });
    struct sigaction action = {};
    action.sa_handler = passOnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

#else

namespace {

std::atomic<bool> handled = false;

// Runs on a thread of its own: the event loop's thread is asked to handle the signal. For a
// closing console the system ends the program once this returns, so it waits, a few seconds
// at most, for that handling to be done.
BOOL WINAPI passOnConsoleEvent(DWORD event)
{
    const int number = event == CTRL_C_EVENT ? 2 : 15;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [number] {
            lastSignal = number;
            signalHandler(number);
            handled = true;
        },
        Qt::QueuedConnection);
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        for (int waited = 0; !handled && waited < 4000; waited += 50)
            QThread::msleep(50);
    return TRUE;
}

} // namespace

void OnTerminationSignals(std::function<void(int)> handler)
{
    signalHandler = std::move(handler);
    ::SetConsoleCtrlHandler(passOnConsoleEvent, TRUE);
}

#endif

int ExitStatusAfterSignals(int status)
{
    return lastSignal ? 128 + lastSignal : status;
}

} // namespace orvalin
