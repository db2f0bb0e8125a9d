#include "core/ConverterWorker.h"

#include "tools/convert-worker/WorkerProtocol.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <csignal>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace orvalin {

namespace {

// The reasons the worker gives in its own words (tools/common/ErrorText.cpp and the decoder's),
// for the translation system to find.
const char* const WorkerReasons[] = {
    QT_TRANSLATE_NOOP("WorkerReason", "no space left on the device"),
    QT_TRANSLATE_NOOP("WorkerReason", "the disk quota is used up"),
    QT_TRANSLATE_NOOP("WorkerReason", "the path is too long"),
    QT_TRANSLATE_NOOP("WorkerReason", "no such file or folder"),
    QT_TRANSLATE_NOOP("WorkerReason", "permission denied"),
    QT_TRANSLATE_NOOP("WorkerReason", "the file system is read-only"),
    QT_TRANSLATE_NOOP("WorkerReason", "not enough memory"),
    QT_TRANSLATE_NOOP("WorkerReason", "a read or write error on the device"),
    QT_TRANSLATE_NOOP("WorkerReason", "too many open files"),
    QT_TRANSLATE_NOOP("WorkerReason", "the file is too large for its file system"),
    QT_TRANSLATE_NOOP("WorkerReason", "not a WebP file"),
    QT_TRANSLATE_NOOP("WorkerReason", "the source path holds a zero byte"),
    QT_TRANSLATE_NOOP("WorkerReason", "the output path holds a zero byte"),
};

} // namespace

QString TranslatedWorkerReason(const QString& reason)
{
    static const QRegularExpression tooLarge(
        QStringLiteral("^the picture is too large \\((\\d+) \u00d7 (\\d+)\\)$"));
    if (const QRegularExpressionMatch size = tooLarge.match(reason); size.hasMatch())
        return QCoreApplication::translate("WorkerReason", "the picture is too large (%1 × %2)")
            .arg(size.captured(1), size.captured(2));
    for (const char* const known : WorkerReasons)
        if (reason == QLatin1String(known))
            return QCoreApplication::translate("WorkerReason", known);
    return reason; // the system's own words, as the worker had them
}

namespace {

// A path as the worker opens it: the file system's own bytes here, UTF-8 on Windows, whose
// names are UTF-16 and which the worker turns back into UTF-16.
QByteArray pathBytes(const QString& path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

} // namespace

std::chrono::milliseconds ToolTimeLimit::forInput(const QString& path) const
{
    return forBytes(quint64(std::max<qint64>(0, QFileInfo(path).size())));
}

std::chrono::milliseconds ToolTimeLimit::forBytes(quint64 bytes) const
{
    // Counted in megabytes first, so no file is large enough to overflow the product.
    const quint64 megabytes = bytes / (1024 * 1024);
    const quint64 mostMegabytes =
        perMegabyte.count() > 0 ? quint64(std::max<qint64>(0, (most - base) / perMegabyte)) : 0;
    const std::chrono::milliseconds limit =
        base + perMegabyte * qint64(std::min(megabytes, mostMegabytes));
    return std::min(most, limit);
}

namespace {

quint64 physicalMemory()
{
#ifdef Q_OS_WIN
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? quint64(pages) * quint64(pageSize) : 0;
#endif
}

} // namespace

quint64 WorkerMemoryCeiling(int jobs)
{
#ifdef ORVALIN_SANITIZED_WORKER
    Q_UNUSED(jobs);
    return 0;
#else
    const quint64 share = physicalMemory() / 4 * 3 / quint64(std::max(1, jobs));
    return std::max(share, LargestPictureNeeds);
#endif
}

WorkerConfinement::WorkerConfinement(quint64 memoryCeiling) : m_memoryCeiling(memoryCeiling)
{
#ifdef Q_OS_WIN
    // Not inheritable: a worker holding the handle would keep its own job alive.
    HANDLE job = ::CreateJobObjectW(nullptr, nullptr);
    if (!job)
        return;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    // A worker that crashes ends without the system's error dialog.
    limits.BasicLimitInformation.LimitFlags =
        JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    if (memoryCeiling > 0) {
        limits.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = SIZE_T(memoryCeiling);
    }
    ::SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    m_job = job;
#endif
}

WorkerConfinement::~WorkerConfinement()
{
#ifdef Q_OS_WIN
    if (m_job)
        ::CloseHandle(HANDLE(m_job)); // ends any worker still in the job
#endif
}

void WorkerConfinement::prepare([[maybe_unused]] QProcess& process) const
{
#ifndef Q_OS_WIN
    const rlim_t ceiling = m_memoryCeiling;
    const pid_t program = ::getpid();
    // Runs in the child between fork and exec: system calls only.
    process.setChildProcessModifier([ceiling, program] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != program) // the program ended before the request was made
            ::_exit(127);
        if (ceiling > 0) {
            const rlimit limit = {ceiling, ceiling};
            ::setrlimit(RLIMIT_AS, &limit);
        }
    });
#endif
}

void WorkerConfinement::enter([[maybe_unused]] const QProcess& process) const
{
#ifdef Q_OS_WIN
    if (!m_job)
        return;
    // The worker is not in the job for the moment after its start: it only waits for its
    // first request then, and its input ends with the program anyway.
    const HANDLE worker =
        ::OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(process.processId()));
    if (worker) {
        ::AssignProcessToJobObject(HANDLE(m_job), worker);
        ::CloseHandle(worker);
    }
#endif
}

ConverterWorker::ConverterWorker(const QString& program, const WorkerConfinement& confinement)
    : m_process(std::make_unique<QProcess>()), m_limit(std::make_unique<QTimer>())
{
    // Nothing reads the worker's remarks, so none of them are kept in memory.
    m_process->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_WIN
    // A console program: without this it would open a console window of its own whenever the
    // program itself has none to share.
    m_process->setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* arguments) { arguments->flags |= CREATE_NO_WINDOW; });
#endif
    m_limit->setSingleShot(true);
    // The end of a worker stopped at its limit arrives as any end does.
    QObject::connect(m_limit.get(), &QTimer::timeout, m_process.get(), [this] {
        m_timedOut = true;
        m_process->kill();
    });
    QObject::connect(m_process.get(), &QProcess::readyReadStandardOutput, m_process.get(),
                     [this] { readAnswers(); });
    QObject::connect(m_process.get(), &QProcess::finished, m_process.get(), [this] { ended(); });
    confinement.prepare(*m_process);
    m_process->start(program, {}, QIODevice::ReadWrite);
    if (!m_process->waitForStarted())
        m_startError = QCoreApplication::translate("FailureReport", "Cannot start %1 (%2)")
                           .arg(QFileInfo(program).fileName(), m_process->errorString());
    else
        confinement.enter(*m_process);
}

qint64 ConverterWorker::processId() const
{
    return m_process->processId();
}

ConverterWorker::~ConverterWorker()
{
    stop();
}

bool ConverterWorker::alive() const
{
    return started() && m_process->state() == QProcess::Running;
}

void ConverterWorker::convert(const QString& source, const QString& output,
                              const protocol::Choices& choices, const ToolTimeLimit& limit,
                              Handlers handlers)
{
    m_requests.push_back({std::move(handlers), limit, limit.forInput(source)});
    const QByteArray sourceBytes = pathBytes(source);
    const QByteArray outputBytes = pathBytes(output);
    const std::string request = protocol::encodeRequest(
        {sourceBytes.constData(), std::size_t(sourceBytes.size())},
        {outputBytes.constData(), std::size_t(outputBytes.size())}, choices);
    m_process->write(request.data(), qint64(request.size()));
    if (m_requests.size() == 1)
        m_limit->start(m_requests.front().readingLimit);
}

void ConverterWorker::readAnswers()
{
    m_received += m_process->readAllStandardOutput();
    while (takeAnswer()) {
    }
}

// Acts on the first whole answer received; false when none is whole yet. An answer that makes
// no sense, or one with nothing asked, ends the worker, whose end then arrives as a lost file.
bool ConverterWorker::takeAnswer()
{
    protocol::Frame frame;
    const protocol::Decoding decoding =
        protocol::decodeFrame({m_received.constData(), std::size_t(m_received.size())}, frame);
    if (decoding == protocol::Decoding::NeedMore)
        return false;
    if (decoding == protocol::Decoding::Malformed || !busy()) {
        m_received.clear();
        m_process->kill();
        return false;
    }
    const QString text = QString::fromUtf8(frame.payload.data(), qsizetype(frame.payload.size()));
    const quint64 pixelBytes =
        frame.kind == protocol::Answer::Decoded ? protocol::decodedPixelBytes(frame) : 0;
    m_received.remove(0, qsizetype(frame.size));
    switch (frame.kind) {
    case protocol::Answer::Decoded: {
        Request& request = m_requests.front();
        request.decoded = true;
        m_limit->start(request.limit.forBytes(pixelBytes));
        if (request.handlers.decoded)
            request.handlers.decoded(pixelBytes);
        return true;
    }
    case protocol::Answer::Warning: return true;
    case protocol::Answer::Converted: conclude(WorkerOutcome::Converted, QString()); return true;
    case protocol::Answer::NotWebp: conclude(WorkerOutcome::NotDecoded, text); return true;
    case protocol::Answer::Failed:
        conclude(WorkerOutcome::Failed, TranslatedWorkerReason(text));
        return true;
    }
    return false;
}

// The first file's end: the worker goes on with the next one at once, so its limit starts now.
void ConverterWorker::conclude(WorkerOutcome outcome, const QString& reason)
{
    const Handlers handlers = std::move(m_requests.front().handlers);
    m_requests.pop_front();
    if (m_requests.empty())
        m_limit->stop();
    else
        m_limit->start(m_requests.front().readingLimit);
    if (handlers.finished)
        handlers.finished(outcome, reason);
}

void ConverterWorker::ended()
{
    m_limit->stop();
    // Answers written just before the end still count.
    m_received += m_process->readAllStandardOutput();
    while (takeAnswer()) {
    }
    if (busy())
        conclude(WorkerOutcome::Lost, m_timedOut ? TookTooLongReason() : ConverterStoppedReason());
    while (busy())
        conclude(WorkerOutcome::NotBegun, QString());
}

// No signal of the process reaches this worker any more, so its end is not taken for a crash
// and no handler is called while the owner is stopping it.
void ConverterWorker::forgetRequests()
{
    m_process->disconnect();
    m_limit->stop();
    m_requests.clear();
}

void ConverterWorker::stop()
{
    forgetRequests();
    if (!started() || m_process->state() == QProcess::NotRunning)
        return;
    m_process->kill();
    m_process->waitForFinished(-1);
}

void ConverterWorker::closeInput()
{
    if (alive())
        m_process->closeWriteChannel();
}

void ConverterWorker::finish()
{
    if (alive() && !busy()) {
        forgetRequests();
        if (m_process->waitForFinished(1000))
            return;
    }
    stop();
}

WorkerPool::~WorkerPool()
{
    // All are asked first, so they end side by side.
    for (const auto& worker : m_workers)
        worker->closeInput();
    for (const auto& worker : m_workers)
        worker->finish();
}

ConverterWorker* WorkerPool::take()
{
    std::erase_if(m_workers,
                  [](const auto& worker) { return !worker->alive() && !worker->busy(); });
    int alive = 0;
    ConverterWorker* encoding = nullptr;
    for (const auto& worker : m_workers) {
        if (!worker->alive())
            continue;
        ++alive;
        if (!worker->busy())
            return worker.get();
        if (!encoding && worker->encodingItsLastFile())
            encoding = worker.get();
    }
    if (alive < m_jobs) {
        m_workers.push_back(std::make_unique<ConverterWorker>(m_program, m_confinement));
        return m_workers.back().get();
    }
    return encoding;
}

void WorkerPool::stopAll()
{
    for (const auto& worker : m_workers)
        worker->stop();
}

} // namespace orvalin
