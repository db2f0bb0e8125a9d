#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QProcess;
class QTimer;

namespace orvalin {

// How long a worker may spend on one file before it is stopped and the file listed as not
// converted: far past any real conversion, and longer for larger data. The reading and
// decoding are limited by the size of the source file, the encoding by that of the decoded
// pixels.
struct ToolTimeLimit
{
    std::chrono::milliseconds base{std::chrono::seconds(60)};
    std::chrono::milliseconds perMegabyte{std::chrono::seconds(5)};

    std::chrono::milliseconds forInput(const QString& path) const;
    std::chrono::milliseconds forBytes(quint64 bytes) const;
};

// How a worker's conversion of one file ended.
enum class WorkerOutcome {
    Converted,  // the output is written whole
    NotDecoded, // the source could not be read or decoded as WebP; nothing was written
    Failed,     // decoded, but the output could not be written
    Lost,       // the worker crashed, was stopped or ran past its time limit
};

// One converter worker process (tools/convert-worker), which converts file after file: one
// request per file on its standard input, the answers on its standard output. The process
// starts here and ends when this goes; a worker that crashed or was stopped stays ended, and
// its owner starts another. Everything runs on the thread that made it.
class ConverterWorker
{
public:
    struct Handlers
    {
        // The source decoded; the encoding has begun.
        std::function<void(quint64 pixelBytes)> decoded;
        // The file's conversion ended, in whatever way.
        std::function<void(WorkerOutcome outcome, const QString& reason)> finished;
    };

    explicit ConverterWorker(const QString& program);
    ~ConverterWorker();
    ConverterWorker(const ConverterWorker&) = delete;
    ConverterWorker& operator=(const ConverterWorker&) = delete;

    bool started() const { return m_startError.isEmpty(); }
    // Why the worker could not start, in the platform's words; empty when it started.
    const QString& startError() const { return m_startError; }
    // Running and able to take a file.
    bool alive() const;
    // Working on a file whose end has not arrived.
    bool busy() const { return m_busy; }
    // Calls or answers of this worker are being handled: it must not go now.
    bool handling() const { return m_handling > 0; }

    // Asks for one file: the source decoded and written as a JPG of the quality at the output
    // path. The handlers are called on this thread as the answers arrive.
    void convert(const QString& source, const QString& output, int quality,
                 const ToolTimeLimit& limit, Handlers handlers);

    // Ends the worker at once and waits until it has gone; a file it was converting is Lost.
    void stop();
    // Closes the worker's input, the sign to end once idle (see finish()).
    void closeInput();
    // Waits a moment for a worker whose input is closed to end, then ends it outright.
    void finish();

private:
    void readAnswers();
    void ended();
    bool takeAnswer();
    void conclude(WorkerOutcome outcome, const QString& reason);

    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTimer> m_limit;
    QString m_startError;
    QByteArray m_received;
    ToolTimeLimit m_timeLimit;
    Handlers m_handlers;
    bool m_busy = false;
    int m_handling = 0;
};

// The workers of one run: a file is given to an idle one, or to one started for it. At most as
// many run as files are converted at once.
class WorkerPool
{
public:
    explicit WorkerPool(QString program) : m_program(std::move(program)) {}
    // Every worker ends before the pool is gone, so its program file may be removed.
    ~WorkerPool();

    // An idle worker, started now when none is idle. It may have failed to start.
    ConverterWorker& take();
    // Ends every worker at once.
    void stopAll();

private:
    QString m_program;
    std::vector<std::unique_ptr<ConverterWorker>> m_workers;
};

} // namespace orvalin
