#pragma once

namespace orvalin {

// On a termination signal (SIGTERM at logout or shutdown, SIGINT, SIGHUP), or on Windows when
// the session ends (WM_ENDSESSION), every window of the program is closed as if the user had
// closed it, on the window's thread: a run still working stops its tools and removes its
// working folder, and the program ends; ExitStatusAfterSignals (core/Signals.h) tells its exit
// status. Call once, after the application object exists.
void CloseWindowsOnTerminationSignals();

} // namespace orvalin
