#include "core/ChildProcess.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include <cerrno>
#include <cmath>
#include <utility>

namespace orvalin {

namespace {

qint32 roundHalfToEven(double value)
{
    return qint32(std::nearbyint(value));
}

// The platform error behind a failed start, as far as it can be told.
qint32 startFailure(const QString& program)
{
    const QFileInfo info(program);
    const int error = info.exists() ? EACCES : ENOENT;
    return qint32(quint32(StartFailureBase) + quint32(error));
}

QString waitingText(const QString& baseText, int waited)
{
    return baseText + (baseText.isEmpty() ? QString() : QStringLiteral(", "))
           + QStringLiteral("Please wait.. ") + QString::number(waited);
}

} // namespace

int windowStyleOrDefault(std::optional<int> windowStyle)
{
    if (!windowStyle || *windowStyle < 0 || *windowStyle > 6)
        return 6;
    return *windowStyle;
}

WaitProgress waitProgress(qint32 currentValue, std::optional<qint32> count)
{
    if (!count) {
        const qint32 step = roundHalfToEven((100.0 - currentValue) / 10.0);
        return {step, roundHalfToEven(100.0 - step)};
    }
    const qint32 step = roundHalfToEven(100.0 / *count / 10.0);
    return {step, roundHalfToEven(100.0 / *count + currentValue - step)};
}

RunningTool::RunningTool(const ToolCommand& command) : m_process(std::make_unique<QProcess>())
{
    // Nothing reads a tool's output, so none of it is kept in memory.
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    // The tools are console programs: without this, each would open a console window of its
    // own whenever the program itself has none to share.
    m_process->setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* arguments) { arguments->flags |= CREATE_NO_WINDOW; });
#endif
    m_process->start(command.program, command.arguments, QIODevice::NotOpen);
    if (!m_process->waitForStarted()) {
        m_startFailure = startFailure(command.program);
        m_startError = QStringLiteral("Cannot start %1 (%2)")
                           .arg(QFileInfo(command.program).fileName(), m_process->errorString());
    }
}

RunningTool::~RunningTool()
{
    stop();
}

bool RunningTool::hasEnded() const
{
    return !started() || m_process->state() == QProcess::NotRunning;
}

qint32 RunningTool::result() const
{
    if (!started())
        return m_startFailure;
    const qint32 code = m_process->exitCode();
    return m_process->exitStatus() == QProcess::CrashExit && code == 0 ? 1 : code;
}

void RunningTool::limitRunningTime(std::chrono::milliseconds limit)
{
    if (hasEnded())
        return;
    auto* timer = new QTimer(m_process.get());
    timer->setSingleShot(true);
    // Its end then arrives as any end does, as a crash.
    QObject::connect(timer, &QTimer::timeout, m_process.get(), &QProcess::kill);
    timer->start(limit);
}

void RunningTool::whenEnded(std::function<void()> callback)
{
    if (hasEnded()) {
        callback();
        return;
    }
    QObject::connect(m_process.get(), &QProcess::finished, m_process.get(), std::move(callback),
                     Qt::SingleShotConnection);
}

void RunningTool::stop()
{
    if (!started() || m_process->state() == QProcess::NotRunning)
        return;
    m_process->kill();
    m_process->waitForFinished(-1);
}

ChildProcessRunner::ChildProcessRunner(std::chrono::milliseconds passLength)
    : m_passLength(passLength)
{
}

void ChildProcessRunner::setPassObserver(PassCallback observer)
{
    m_passObserver = std::move(observer);
}

qint32 ChildProcessRunner::ShellAndWait(const ToolCommand& command, std::optional<int> windowStyle)
{
    windowStyleOrDefault(windowStyle);
    RunningTool tool(command);
    return waitFor(tool);
}

qint32 ChildProcessRunner::ShellAndWaitWithProgress(const ToolCommand& command,
                                                    std::optional<int> windowStyle,
                                                    ProgressDisplay* bar, const QString& baseText,
                                                    std::optional<qint32> currentValue,
                                                    std::optional<qint32> count)
{
    windowStyleOrDefault(windowStyle);
    RunningTool tool(command);
    return waitWithProgress(tool, bar, baseText, currentValue, count);
}

qint32 ChildProcessRunner::waitFor(AwaitedTask& tool, const PassCallback& onPass)
{
    if (!tool.started())
        return tool.result();
    AwaitedTask* const outer = std::exchange(m_waitingFor, &tool);
    int passes = 0;
    const auto pass = [&] {
        ++passes;
        if (onPass)
            onPass(passes);
        if (m_passObserver)
            m_passObserver(passes);
    };
    if (!tool.hasEnded()) {
        QEventLoop loop;
        QTimer passTimer;
        QObject::connect(&passTimer, &QTimer::timeout, &loop, pass);
        // The loop may be gone when the task ends: an application that quits ends every loop.
        tool.whenEnded([ending = QPointer<QEventLoop>(&loop)] {
            if (ending)
                ending->quit();
        });
        passTimer.start(m_passLength);
        if (!tool.hasEnded())
            loop.exec();
    }
    pass(); // the pass in which the end arrived
    m_waitingFor = outer;
    return tool.result();
}

qint32 ChildProcessRunner::waitWithProgress(AwaitedTask& tool, ProgressDisplay* bar,
                                            const QString& baseText,
                                            std::optional<qint32> currentValue,
                                            std::optional<qint32> count)
{
    if (!bar)
        return waitFor(tool);
    // After 50 passes (about five seconds) the wait counts on; every 150 passes after that the
    // value moves a step, never past the file's share.
    const auto showWaiting = [&](int pass) {
        if (pass < 50)
            return;
        const int waited = pass - 50;
        bar->setProgressText(waitingText(baseText, waited));
        if (currentValue && waited % 150 == 0) {
            const WaitProgress progress = waitProgress(*currentValue, count);
            const double value = double(waited) / 150.0 * progress.step + *currentValue;
            bar->setProgressValue(value >= progress.limit ? double(progress.limit) : value);
        }
    };
    const qint32 result = waitFor(tool, showWaiting);
    if (tool.started())
        bar->setProgressText(baseText.isEmpty() ? ProgressBarIdleText : baseText);
    return result;
}

void ChildProcessRunner::stopRunningTool()
{
    if (m_waitingFor)
        m_waitingFor->stop();
}

} // namespace orvalin
