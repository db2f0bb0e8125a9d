#pragma once

#include "tools/convert-worker/WorkerProtocol.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QProcess;
class QTimer;

namespace orvalin {

// How long a worker may spend on one file before it is stopped and the file listed as not
// converted: far past any real conversion, and longer for larger data, up to a ceiling that
// the largest picture a worker takes stays far below (a file of gigabytes of anything else
// would otherwise be given hours). The reading and decoding are limited by the size of the
// source file, the encoding by that of the decoded pixels.
struct ToolTimeLimit
{
    std::chrono::milliseconds base{std::chrono::seconds(60)};
    std::chrono::milliseconds perMegabyte{std::chrono::seconds(5)};
    std::chrono::milliseconds most{std::chrono::minutes(10)};

    std::chrono::milliseconds forInput(const QString& path) const;
    std::chrono::milliseconds forBytes(quint64 bytes) const;
};

// Why a worker lost its file, in the words of the final message.
inline QString ConverterStoppedReason()
{
    return QCoreApplication::translate("ConversionRun", "the converter stopped");
}
inline QString TookTooLongReason()
{
    return QCoreApplication::translate("ConversionRun", "took too long");
}

// What converting the largest picture a worker takes needs at most, 16383 x 16383 pixels with
// alpha stored lossless: the file, which holds about as many bytes as the pixels at worst,
// libwebp's own pixels while it decodes and ours, with room for the program and its buffers.
inline constexpr quint64 LargestPictureBytes = quint64(16383) * 16383 * 4;
inline constexpr quint64 LargestPictureNeeds = 3 * LargestPictureBytes + (quint64(512) << 20);

// The memory each of a run's workers may take: an equal share of three quarters of the
// machine's memory, never less than the largest picture needs. 0 (no ceiling) in a sanitizer
// build, whose run-time reserves terabytes of address space.
quint64 WorkerMemoryCeiling(int jobs);

// The bounds a run's workers live in. Each may take at most the memory ceiling (address space
// on Linux; committed memory on Windows, through a job object), so a picture no machine could
// hold fails alone, as "not enough memory", rather than bringing the desktop down. And none
// outlives the program, however the program ends: on Linux a worker is killed when the
// program does; on Windows the workers belong to a job that ends with the program's handle.
class WorkerConfinement
{
public:
    explicit WorkerConfinement(quint64 memoryCeiling); // 0: no ceiling
    ~WorkerConfinement();
    WorkerConfinement(const WorkerConfinement&) = delete;
    WorkerConfinement& operator=(const WorkerConfinement&) = delete;

    quint64 memoryCeiling() const { return m_memoryCeiling; }
    // Before a worker starts, and once it has.
    void prepare(QProcess& process) const;
    void enter(const QProcess& process) const;

private:
    quint64 m_memoryCeiling;
    void* m_job = nullptr; // Windows' job object
};

// How a worker's conversion of one file ended.
// A reason the worker gave, in the language now in use when it is one of its known ones.
QString TranslatedWorkerReason(const QString& reason);

enum class WorkerOutcome {
    Converted,  // the output is written whole
    NotDecoded, // the source could not be read or decoded as WebP; nothing was written
    Failed,     // decoded, but the output could not be written
    Lost,       // the worker crashed, was stopped or ran past its time limit
    NotBegun,   // the worker ended before it came to this file: ask another one
};

// One converter worker process (tools/convert-worker), which converts file after file: one
// request per file on its standard input, the answers on its standard output. Requests may
// queue: the worker takes the next as soon as it has answered one, without waiting for this
// side to notice. The process starts here and ends when this goes; a worker that crashed or
// was stopped stays ended, and its owner starts another. Everything runs on the thread that
// made it.
//
// The handlers are called from the worker's own signals, as its answers and its end arrive:
// they note what happened and return, and never end or remove a worker or its pool.
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

    ConverterWorker(const QString& program, const WorkerConfinement& confinement);
    ~ConverterWorker();
    ConverterWorker(const ConverterWorker&) = delete;
    ConverterWorker& operator=(const ConverterWorker&) = delete;

    bool started() const { return m_startError.isEmpty(); }
    // Why the worker could not start, in the platform's words; empty when it started.
    const QString& startError() const { return m_startError; }
    // Running and able to take a file.
    bool alive() const;
    // The worker's process, for a test that looks at it from outside.
    qint64 processId() const;
    // Files asked for whose end has not arrived; the first is the one being converted.
    int pending() const { return int(m_requests.size()); }
    bool busy() const { return !m_requests.empty(); }
    // Encoding the one file it has: a file asked for now waits no longer than that encoding.
    bool encodingItsLastFile() const
    {
        return m_requests.size() == 1 && m_requests.front().decoded;
    }

    // Asks for one file: the source decoded and written as a JPG with the choices at the output
    // path, after the files asked for before it. The time limit counts from when the worker
    // comes to the file.
    void convert(const QString& source, const QString& output, const protocol::Choices& choices,
                 const ToolTimeLimit& limit, Handlers handlers);

    // Ends the worker at once and waits until it has gone. The files it had are dropped
    // without a call: whoever stops a worker knows what it had.
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
    void forgetRequests();

    struct Request
    {
        Handlers handlers;
        ToolTimeLimit limit;
        std::chrono::milliseconds readingLimit;
        bool decoded = false;
    };

    std::unique_ptr<QProcess> m_process;
    std::unique_ptr<QTimer> m_limit;
    QString m_startError;
    QByteArray m_received;
    std::deque<Request> m_requests;
    bool m_timedOut = false;
};

// The workers of one run, as many as files convert at once. A file goes to an idle worker, to
// one started for it while there are fewer, or to one that is encoding its only file: it has
// its next file at hand when it ends, yet no file waits behind a whole conversion while
// another worker could take it, which at the end of a list of large pictures would leave one
// worker converting two of them while the other waits.
class WorkerPool
{
public:
    WorkerPool(QString program, int jobs)
        : WorkerPool(std::move(program), jobs, WorkerMemoryCeiling(jobs))
    {
    }
    WorkerPool(QString program, int jobs, quint64 memoryCeiling)
        : m_program(std::move(program)), m_jobs(jobs), m_confinement(memoryCeiling)
    {
    }
    // Every worker ends before the pool is gone, so its program file may be removed.
    ~WorkerPool();

    // The worker the next file goes to now, or none while every worker is busier than that. One
    // started for it may have failed to start. Not from within a worker's handler: workers
    // that have ended are removed here.
    ConverterWorker* take();
    // Ends every worker at once; what they had is dropped without a call.
    void stopAll();

private:
    QString m_program;
    int m_jobs;
    WorkerConfinement m_confinement; // outlives the workers
    std::vector<std::unique_ptr<ConverterWorker>> m_workers;
};

} // namespace orvalin
