#pragma once

#include <functional>

namespace orvalin {

// On a termination signal (SIGTERM at logout or shutdown, SIGINT, SIGHUP), the handler runs on
// the event loop's thread with the signal's number, where it may do anything a program does.
// On Windows only a console program gets signals: Ctrl+C comes as SIGINT (2), and Ctrl+Break,
// the console's closing, logging off and shutting down as SIGTERM (15); the system ends such a
// program soon after the last of these, so the handler's work must be quick. Call once, after
// the application object exists.
void OnTerminationSignals(std::function<void(int signal)> handler);

// The program's exit status once its work has ended with `status`: after a termination signal,
// 128 plus the signal's number, as for a program the signal ended, so scripts and session
// managers can tell.
int ExitStatusAfterSignals(int status);

} // namespace orvalin
