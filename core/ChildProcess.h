#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QProcess;

namespace orvalin {

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

// Where a long wait shows its text and moves its value: the window's progress bar, or what a
// test puts in its place. The value may lie above 100.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    virtual QString progressText() const = 0;
    virtual void setProgressText(const QString& text) = 0;
    virtual double progressValue() const = 0;
    virtual void setProgressValue(double value) = 0;
};

// Work done by a child process that the runner can wait for: a whole tool's run, or one step
// of a file's conversion in a worker. It ends once, with a result that is 0 on success.
class AwaitedTask
{
public:
    virtual ~AwaitedTask() = default;
    virtual bool started() const = 0;
    virtual bool hasEnded() const = 0;
    virtual qint32 result() const = 0;
    // Calls back once, on this thread, when the task has ended; at once if it has.
    virtual void whenEnded(std::function<void()> callback) = 0;
    // Ends the task at once; its result is then a failure.
    virtual void stop() = 0;
};

// One tool started as a child process, with nothing read from or written to it. Its end
// arrives as the process's end notice; a tool still running when this goes is stopped.
class RunningTool : public AwaitedTask
{
public:
    explicit RunningTool(const ToolCommand& command);
    ~RunningTool() override;
    RunningTool(const RunningTool&) = delete;
    RunningTool& operator=(const RunningTool&) = delete;

    bool started() const override { return m_startFailure == 0; }
    // Why the tool could not start, in the platform's words; empty when it started.
    const QString& startError() const { return m_startError; }
    bool hasEnded() const override;
    // Stops the tool once it has run for the limit; its result is then a failure. A tool that
    // runs far past any real conversion (a file that never ends) must not hold a run for ever.
    void limitRunningTime(std::chrono::milliseconds limit);
    // The exit code once ended (a crash counts as a failure), or the start-failure value.
    qint32 result() const override;
    void whenEnded(std::function<void()> callback) override;
    // Ends the tool and waits until it has gone, so no process is left behind.
    void stop() override;

private:
    std::unique_ptr<QProcess> m_process;
    qint32 m_startFailure = 0;
    QString m_startError;
};

// Waits for tools on the user-interface thread while the window goes on handling its events.
// A pass lasts the pass length, counted by a timer; the wait ends on the tool's end notice,
// and the pass in which the end arrives is counted too, so every wait makes at least one.
class ChildProcessRunner
{
public:
    using PassCallback = std::function<void(int pass)>;

    explicit ChildProcessRunner(
        std::chrono::milliseconds passLength = std::chrono::milliseconds(100));

    // Runs the tool and returns its exit code, or a start-failure value.
    qint32 ShellAndWait(const ToolCommand& command, std::optional<int> windowStyle = {});

    // The same, while a tool that runs for long shows "Please wait.. " and a count on the
    // display and moves its value forward within the current file's share.
    qint32 ShellAndWaitWithProgress(const ToolCommand& command, std::optional<int> windowStyle,
                                    ProgressDisplay* bar, const QString& baseText,
                                    std::optional<qint32> currentValue,
                                    std::optional<qint32> count);

    // The waits of both, for a tool already started or a task of a worker.
    qint32 waitFor(AwaitedTask& tool, const PassCallback& onPass = {});
    qint32 waitWithProgress(AwaitedTask& tool, ProgressDisplay* bar, const QString& baseText,
                            std::optional<qint32> currentValue, std::optional<qint32> count);

    // Ends the task being waited for, if any; its wait then returns a non-zero code.
    void stopRunningTool();

    // Called at the end of every pass with the pass counter (tests act at chosen passes).
    void setPassObserver(PassCallback observer);

private:
    std::chrono::milliseconds m_passLength;
    AwaitedTask* m_waitingFor = nullptr;
    PassCallback m_passObserver;
};

} // namespace orvalin
