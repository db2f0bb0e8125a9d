#pragma once

namespace orvalin {

// On a termination signal (SIGTERM at logout or shutdown, SIGINT, SIGHUP), or on Windows when
// the session ends (WM_ENDSESSION), every window of the program is closed as if the user had
// closed it, on the window's thread: a run still working stops its tools and removes its
// working folder, and the program ends. Call once, after the application object exists.
void CloseWindowsOnTerminationSignals();

// The program's exit status once its event loop has returned `status`: after a termination
// signal, 128 plus the signal's number, as for a program the signal ended, so scripts and
// session managers can tell.
int ExitStatusAfterSignals(int status);

} // namespace orvalin
