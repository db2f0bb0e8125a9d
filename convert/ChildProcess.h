#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

class QProcess;

namespace orvalin {

class ProgressBarWithText;

// A tool to run: the program and its arguments, each passed as it is, never through a shell
// or a parsed command line, so blanks, quotes, leading dashes and line breaks arrive intact.
struct ToolCommand
{
    QString program;
    QStringList arguments;
};

// The result when a tool cannot be started: the platform's error number plus this base, a
// negative number that is never 0.
inline constexpr qint32 StartFailureBase = -2147221504;
// The exit status of a child that has not ended yet.
inline constexpr qint32 StillActive = 259;
// The text the progress bar shows when it has nothing else to show.
inline const QString ProgressBarIdleText = QStringLiteral("Progress Bar");

// How a child's window would be shown: 0 to 6, anything else 6. Console tools have no window
// here, so the value is accepted and has no further effect.
int windowStyleOrDefault(std::optional<int> windowStyle);

// The bar's step and limit while a long tool runs, each rounded half to even.
struct WaitProgress
{
    qint32 step;
    qint32 limit;
};
WaitProgress waitProgress(qint32 currentValue, std::optional<qint32> count);

// Runs tools one at a time and waits for each on the user-interface thread, letting the window
// handle its events at every pass of the wait. A pass waits at most the pass length and ends
// at once when the child ends.
class ChildProcessRunner
{
public:
    explicit ChildProcessRunner(std::chrono::milliseconds passLength = std::chrono::milliseconds(100));
    ~ChildProcessRunner();

    // Runs the tool and returns its exit code, or a start-failure value.
    qint32 ShellAndWait(const ToolCommand& command, std::optional<int> windowStyle = {});

    // The same, while a tool that runs for long shows "Please wait.. " and a count on the bar
    // and moves the bar forward within the current file's share.
    qint32 ShellAndWaitWithProgress(const ToolCommand& command, std::optional<int> windowStyle,
                                    ProgressBarWithText* bar, const QString& baseText,
                                    std::optional<qint32> currentValue, std::optional<qint32> count);

    // Ends the running tool, if any; its wait then returns a non-zero code.
    void stopRunningTool();

    // Called at the end of every pass with the pass counter (tests watch the passes with it).
    void setPassObserver(std::function<void(int pass)> observer);

private:
    qint32 run(const ToolCommand& command, ProgressBarWithText* bar, const QString& baseText,
               std::optional<qint32> currentValue, std::optional<qint32> count);

    std::chrono::milliseconds m_passLength;
    QProcess* m_running = nullptr;
    std::function<void(int)> m_passObserver;
};

} // namespace orvalin
