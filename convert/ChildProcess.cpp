#include "ChildProcess.h"

#include "ProgressBarWithText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <cmath>

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

void yieldToEvents()
{
    QCoreApplication::processEvents();
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

ChildProcessRunner::ChildProcessRunner(std::chrono::milliseconds passLength)
    : m_passLength(passLength)
{
}

ChildProcessRunner::~ChildProcessRunner()
{
    stopRunningTool();
}

void ChildProcessRunner::setPassObserver(std::function<void(int)> observer)
{
    m_passObserver = std::move(observer);
}

qint32 ChildProcessRunner::ShellAndWait(const ToolCommand& command, std::optional<int> windowStyle)
{
    windowStyleOrDefault(windowStyle);
    return run(command, nullptr, QString(), std::nullopt, std::nullopt);
}

qint32 ChildProcessRunner::ShellAndWaitWithProgress(const ToolCommand& command,
                                                    std::optional<int> windowStyle,
                                                    ProgressBarWithText* bar, const QString& baseText,
                                                    std::optional<qint32> currentValue,
                                                    std::optional<qint32> count)
{
    windowStyleOrDefault(windowStyle);
    return run(command, bar, baseText, currentValue, count);
}

void ChildProcessRunner::stopRunningTool()
{
    if (m_running && m_running->state() != QProcess::NotRunning)
        m_running->kill();
}

qint32 ChildProcessRunner::run(const ToolCommand& command, ProgressBarWithText* bar,
                               const QString& baseText, std::optional<qint32> currentValue,
                               std::optional<qint32> count)
{
    QProcess process;
    // Nothing reads a tool's output, so none of it is kept in memory.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(command.program, command.arguments, QIODevice::NotOpen);
    if (!process.waitForStarted())
        return startFailure(command.program);

    m_running = &process;
    qint32 exitCode = 0;
    int passes = 0;
    bool ended = false;
    while (!ended) {
        // The end of the child is read at the start of a pass and acted on at its end.
        ended = process.state() == QProcess::NotRunning;
        if (ended) {
            exitCode = process.exitCode();
            if (process.exitStatus() == QProcess::CrashExit && exitCode == 0)
                exitCode = 1;
        }
        yieldToEvents();
        if (!ended)
            process.waitForFinished(int(m_passLength.count()));

        ++passes;
        if (bar) {
            yieldToEvents();
            if (passes >= 50) {
                yieldToEvents();
                const int waited = passes - 50;
                bar->setText(baseText + (baseText.isEmpty() ? QString() : QStringLiteral(", "))
                             + QStringLiteral("Please wait.. ") + QString::number(waited));
                if (currentValue && waited % 150 == 0) {
                    const WaitProgress progress = waitProgress(*currentValue, count);
                    const double value = double(waited) / 150.0 * progress.step + *currentValue;
                    bar->setExactValue(value >= progress.limit ? double(progress.limit) : value);
                }
                yieldToEvents();
            }
            yieldToEvents();
        }
        yieldToEvents();
        if (m_passObserver)
            m_passObserver(passes);
    }
    m_running = nullptr;

    if (bar)
        bar->setText(baseText.isEmpty() ? ProgressBarIdleText : baseText);
    return exitCode;
}

} // namespace orvalin
