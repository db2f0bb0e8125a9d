#include "core/ConversionRun.h"

#include "core/Failure.h"
#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/SaveResult.h"
#include "core/ToolImages.h"
#include "core/WorkFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QThread>

#include <cmath>
#include <optional>
#include <unordered_map>

#ifdef Q_OS_LINUX
#include <sched.h>
#endif

namespace orvalin {

namespace {

const QString CrLf = QStringLiteral("\r\n");

bool isPresentFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The folder of a source, with a trailing separator; for a source named without a folder, the
// current folder, so that its result lands beside it and never in the root.
QString folderOfSource(const QString& source)
{
    const QString parent = GetParentPath(source);
    return parent.isEmpty() ? QStringLiteral(".") + Separator : parent;
}

struct Row
{
    quint64 identity;
    QString source;
};

// Rows are followed by identity: a row that moves is still converted once, a row that has
// gone is not converted at all, rows added after the start are not converted.
class PendingRows
{
public:
    explicit PendingRows(const RunRows& rows)
    {
        for (int position = 1; position <= rows.count(); ++position)
            m_identities.insert(rows.identity(position));
    }

    // The row the run's i-th step works on: row i while nothing has moved, otherwise the first
    // row still waiting. Empty when every waiting row has gone.
    std::optional<Row> take(const RunRows& rows, int i)
    {
        if (i <= rows.count() && m_identities.remove(rows.identity(i)))
            return Row{rows.identity(i), rows.text(i)};
        for (int position = 1; position <= rows.count(); ++position) {
            if (m_identities.remove(rows.identity(position)))
                return Row{rows.identity(position), rows.text(position)};
        }
        return std::nullopt;
    }

    bool isWaiting(quint64 identity) const { return m_identities.contains(identity); }

private:
    QSet<quint64> m_identities;
};

// One step of a row's conversion in its worker, the decoding or the encoding, as the run
// waits for it: it ends once, with 0 when it succeeded.
class WorkerStep : public AwaitedTask
{
public:
    explicit WorkerStep(std::function<void()> stopWork) : m_stopWork(std::move(stopWork)) {}

    bool started() const override { return true; }
    bool hasEnded() const override { return m_ended; }
    qint32 result() const override { return m_result; }
    void whenEnded(std::function<void()> callback) override
    {
        if (m_ended)
            callback();
        else
            m_callbacks.push_back(std::move(callback));
    }
    void stop() override { m_stopWork(); }

    void end(bool succeeded)
    {
        if (m_ended)
            return;
        m_ended = true;
        m_result = succeeded ? 0 : 1;
        for (const auto& callback : std::exchange(m_callbacks, {}))
            callback();
    }

private:
    std::function<void()> m_stopWork;
    std::vector<std::function<void()>> m_callbacks;
    bool m_ended = false;
    qint32 m_result = 1;
};

// One row's conversion by a worker of the run, into a folder of its own, at the quality read
// when the conversion began. The worker decodes, then encodes; each step's end arrives as the
// worker's answer, so several rows convert at once while the run waits for one.
class RowConversion
{
public:
    RowConversion(WorkerPool& workers, const ToolTimeLimit& limit, const QString& source,
                  const QString& folder, int quality, std::function<void()> whenIdle)
        : m_workers(workers), m_limit(limit), m_source(source), m_quality(quality),
          m_whenIdle(std::move(whenIdle)), m_folder(folder)
    {
        if (!QDir().mkdir(folder)) {
            m_failure = QStringLiteral("Path not found: ") + folder;
            return;
        }
        // A name of its own, not the source's: one that is as long as a name may be would leave
        // no room for the writer's temporary name beside it.
        m_jpg = folder + QStringLiteral("/result.jpg");
        ask();
    }

    // The result goes with its row, so a long run holds a few rows' worth of them in the
    // temporary folder, never the whole list's.
    ~RowConversion()
    {
        stop();
        if (!m_failure.isEmpty())
            return;
        QFile::remove(m_jpg);
        if (!QDir().rmdir(m_folder)) // a worker stopped mid-write may leave a temporary file
            QDir(m_folder).removeRecursively();
    }

    // Why the conversion could not begin; empty when it began.
    const QString& failure() const { return m_failure; }
    // How the worker's conversion ended, once it has, and why when it was not converted.
    WorkerOutcome outcome() const { return m_outcome; }
    const QString& reason() const { return m_reason; }
    // Why a worker could not be started at all; empty while every one started.
    const QString& startError() const { return m_startError; }
    bool busy() const { return m_failure.isEmpty() && !m_idle; }
    WorkerStep& decoding() { return m_decoding; }
    WorkerStep& encoding() { return m_encoding; }
    const QString& jpg() const { return m_jpg; }

    // Ends the worker at once when it still has this row's file: only as the run ends, since
    // the files queued with it go too.
    void stop()
    {
        halt();
        if (m_worker)
            m_worker->stop();
    }

    // From now on the row asks nothing more: neither another worker for a file its worker
    // never came to, nor the run for more rows.
    void halt() { m_stopped = true; }

private:
    // Gives the file to a worker of the run.
    void ask()
    {
        ConverterWorker& worker = m_workers.take();
        if (!worker.started()) {
            m_startError = worker.startError();
            m_decoding.end(false);
            m_encoding.end(false);
            m_idle = true;
            return;
        }
        m_worker = &worker;
        worker.convert(
            m_source, m_jpg, m_quality, m_limit,
            {[this](quint64) { m_decoding.end(true); },
             [this](WorkerOutcome outcome, const QString& reason) { concluded(outcome, reason); }});
    }

    void concluded(WorkerOutcome outcome, const QString& reason)
    {
        m_worker = nullptr;
        m_outcome = outcome;
        m_reason = reason;
        // A worker that ended before it came to this file has not looked at it.
        if (outcome == WorkerOutcome::NotBegun && !m_stopped) {
            ask();
            if (m_startError.isEmpty())
                return;
        }
        const bool converted = outcome == WorkerOutcome::Converted;
        m_decoding.end(converted);
        m_encoding.end(converted);
        m_idle = true;
        if (!m_stopped)
            m_whenIdle();
    }

    WorkerPool& m_workers;
    const ToolTimeLimit m_limit;
    const QString m_source;
    const int m_quality;
    std::function<void()> m_whenIdle;
    QString m_folder;
    QString m_failure;
    QString m_startError;
    QString m_jpg;
    WorkerOutcome m_outcome = WorkerOutcome::Lost;
    QString m_reason = ConverterStoppedReason;
    ConverterWorker* m_worker = nullptr; // while it has this row's file
    WorkerStep m_decoding{[this] { stop(); }};
    WorkerStep m_encoding{[this] { stop(); }};
    bool m_idle = false;
    bool m_stopped = false;
};

} // namespace

QString NotConvertedLine(const QString& source, const QString& reason)
{
    return source + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString FinalMessage(const QStringList& skipped, const QStringList& notConverted,
                     const QStringList& notSaved)
{
    QString message = DoneMessage;
    if (!skipped.isEmpty())
        message += CrLf + SkippedHeading + CrLf + skipped.join(CrLf);
    if (!notConverted.isEmpty())
        message += CrLf + NotConvertedHeading + CrLf + notConverted.join(CrLf);
    if (!notSaved.isEmpty())
        message += CrLf + NotSavedHeading + CrLf + notSaved.join(CrLf);
    return message;
}

int ConversionJobs()
{
    bool valid = false;
    const int set = qEnvironmentVariableIntValue(JobsVariable, &valid);
    if (valid && set >= 1)
        return set;
#ifdef Q_OS_LINUX
    cpu_set_t usable;
    if (::sched_getaffinity(0, sizeof usable, &usable) == 0)
        return std::max(1, CPU_COUNT(&usable));
#endif
    return std::max(1, QThread::idealThreadCount());
}

// One run, from the test of the list to the final message.
class ConversionRun::Run
{
public:
    Run(ConversionRun& owner, const WindowContext& context)
        : m_rows(owner.m_rows), m_options(owner.m_options), m_display(owner.m_display),
          m_runner(owner.m_runner), m_loadToolImage(owner.m_loadToolImage), m_jobs(owner.m_jobs),
          m_timeLimit(owner.m_toolTimeLimit), m_memoryCeiling(owner.m_memoryCeiling),
          m_context(context), m_guard(GuardedProcedure::StartConvertingClick,
                                      context.platform.messageBoxes, context.owner)
    {
        m_guard.reportRepeatsOnce();
    }

    void execute()
    {
        if (refused())
            return;
        m_display.setPointer(PointerKind::Busy);
        if (prepareWorkers())
            convertRows();
        else
            listEveryRowAsNotSaved();
        finish();
    }

    void abandon()
    {
        m_abandoned = true;
        haltConversions();
        for (const auto& [identity, conversion] : m_started)
            conversion->stop();
        if (m_current)
            m_current->stop();
        m_runner.stopRunningTool();
        if (m_workers)
            m_workers->stopAll();
        // The workers have ended. The folder goes now: a program ending with its session may be
        // ended by the system before the run unwinds.
        if (m_work)
            m_work->removeNow();
    }

private:
    // Every row under way is told to ask nothing more before any worker is ended: a row whose
    // file was queued with an ended worker would otherwise start another one.
    void haltConversions()
    {
        for (const auto& [identity, conversion] : m_started)
            conversion->halt();
        if (m_current)
            m_current->halt();
    }

    void tell(const QString& text)
    {
        m_context.platform.messageBoxes.show(
            m_context.owner,
            {m_context.applicationTitle, text, MessageIcon::None, MessageButtons::Ok});
    }

    bool refused()
    {
        if (m_rows.count() == 0) {
            tell(NoFilesMessage);
            return true;
        }
        // With results beside their sources the typed folder is not looked at.
        if (!m_options.savesBesideSource() && IsFolder(m_options.outputFolder()) != true) {
            tell(NoOutputFolderMessage);
            return true;
        }
        return false;
    }

    // Makes the working folder and writes the worker into it. A failure here leaves the run
    // nothing to do: it is reported once and ends the conversion.
    bool prepareWorkers()
    {
        const QString width =
            GetAddressWidth() == QLatin1String("64") ? QStringLiteral("64") : QStringLiteral("32");
        QByteArray worker;
        QString program;
        const bool prepared = m_guard.step(118, [&] {
            worker = m_loadToolImage(WorkerImageFor(width));
        }) && m_guard.step(122, [&] { program = makeWorkFolderWith(worker); });
        if (prepared)
            m_workers = std::make_unique<WorkerPool>(
                program, m_jobs, m_memoryCeiling.value_or(WorkerMemoryCeiling(m_jobs)));
        return prepared;
    }

    // The working folder, made after folders of killed runs are cleared away, with the worker
    // written into it; the worker's path.
    QString makeWorkFolderWith(const QByteArray& worker)
    {
        const QString temp = TemporaryFolder();
        RemoveAbandonedWorkFolders(temp);
        m_work = std::make_unique<WorkFolder>(temp);
        const QString path = m_work->filePath(WorkerFileName);
        WriteBytesIfAbsent(worker, path);
        return path;
    }

    void listEveryRowAsNotSaved()
    {
        for (int position = 1; position <= m_rows.count(); ++position)
            m_notSaved.append(m_rows.text(position));
    }

    void convertRows()
    {
        const int rowCount = m_rows.count(); // the bound is read once: rows added later wait
        m_pending.emplace(m_rows);
        for (int i = 1; i <= rowCount && !m_abandoned; ++i) {
            const std::optional<Row> row = m_pending->take(m_rows, i);
            if (row && m_toolsCannotStart)
                m_notSaved.append(row->source);
            else if (row)
                convertRow(i, *row);
        }
    }

    // Row i's turn: the progress shows it, its conversion (begun now or earlier) is waited
    // for, and its result is saved with the options read now.
    void convertRow(int i, const Row& row)
    {
        m_turn = i;
        m_display.setProgressValue(double(i) / m_rows.count() * 100.0);
        m_display.setProgressText(QStringLiteral("Processing: ") + GetFileName(row.source));
        QCoreApplication::processEvents();
        if (m_abandoned)
            return;
        m_display.setPointer(PointerKind::Busy);
        const std::optional<QString> output = outputPathFor(row.source);

        std::unique_ptr<RowConversion> conversion;
        if (const auto started = m_started.find(row.identity); started != m_started.end()) {
            conversion = std::move(started->second);
            m_started.erase(started);
        } else {
            conversion = startRow(row.source);
        }
        m_current = conversion.get();
        beginMoreRows();
        waitAndSave(*conversion, row.source, output);
        m_current = nullptr;
    }

    void waitAndSave(RowConversion& conversion, const QString& source,
                     const std::optional<QString>& output)
    {
        if (!conversion.failure().isEmpty()) {
            m_guard.step(156, [&] { throw Failure(conversion.failure()); });
            m_notSaved.append(source);
            return;
        }
        if (!conversion.startError().isEmpty())
            return endRunAsToolsCannotStart(156, conversion.startError(), source);
        const bool decoded = m_runner.waitFor(conversion.decoding()) == 0;
        // A worker that ended before it came to the file, and could not be replaced.
        if (!conversion.startError().isEmpty())
            return endRunAsToolsCannotStart(156, conversion.startError(), source);
        if (m_abandoned)
            return;
        if (!decoded)
            return listAsNotConverted(conversion, source);
        const QString text = m_display.progressText();
        const auto value = qint32(std::nearbyint(m_display.progressValue()));
        m_runner.waitWithProgress(conversion.encoding(), &m_display, text, value,
                                  std::max(1, m_rows.count()));
        if (m_abandoned)
            return;
        if (conversion.outcome() == WorkerOutcome::Converted && isPresentFile(conversion.jpg()))
            saveRow(conversion.jpg(), source, output);
        else
            listAsNotConverted(conversion, source);
    }

    // Only a file the worker found no WebP in was skipped for its format; any other file
    // without a result is listed with the reason it has none.
    void listAsNotConverted(const RowConversion& conversion, const QString& source)
    {
        if (conversion.outcome() == WorkerOutcome::NotDecoded)
            m_skipped.append(source);
        else if (conversion.outcome() == WorkerOutcome::Converted)
            m_notConverted.append(NotConvertedLine(source, QStringLiteral("the result has gone")));
        else
            m_notConverted.append(NotConvertedLine(source, conversion.reason()));
    }

    // A worker that cannot be started at all (a temporary folder that may not hold programs,
    // say) will not start for the next row either: it is told once, the conversions under way stop,
    // and this row and every row after it are listed as not saved. Such a file was never
    // looked at, so it is not called "not in WebP format".
    void endRunAsToolsCannotStart(int label, const QString& error, const QString& source)
    {
        m_guard.step(label, [&] { throw Failure(error); });
        m_toolsCannotStart = true;
        haltConversions();
        m_started.clear();
        m_notSaved.append(source);
    }

    // The output: in the typed folder, or beside the source, or (neither option on) none, and
    // the row is listed as not saved.
    std::optional<QString> outputPathFor(const QString& source) const
    {
        const QString name = RemoveExtension(GetFileName(source)) + QStringLiteral(".jpg");
        if (m_options.savesToFolder())
            return CollapseDoubleBackslashes(m_options.outputFolder() + Separator + name);
        if (m_options.savesBesideSource())
            return CollapseDoubleBackslashes(folderOfSource(source) + Separator + name);
        return std::nullopt;
    }

    void saveRow(const QString& result, const QString& source, const std::optional<QString>& output)
    {
        const bool saved = output && m_guard.step(172, [&] { SaveResultAs(result, *output); });
        if (!saved)
            m_notSaved.append(source);
    }

    std::unique_ptr<RowConversion> startRow(const QString& source)
    {
        const QString folder = m_work->filePath(QString::number(++m_rowFolders));
        return std::make_unique<RowConversion>(*m_workers, m_timeLimit, source, folder,
                                               m_options.quality(), [this] { beginMoreRows(); });
    }

    int busyConversions() const
    {
        int busy = m_current && m_current->busy() ? 1 : 0;
        for (const auto& [identity, conversion] : m_started)
            busy += conversion->busy() ? 1 : 0;
        return busy;
    }

    // Begins the conversions of the rows that come next in the list: each worker converts one
    // file and has the next one queued, so it never waits for this thread between files;
    // finished ones wait for their turn, a few at most.
    void beginMoreRows()
    {
        if (m_beginning || m_abandoned || m_finishing || m_toolsCannotStart || !m_pending)
            return;
        m_beginning = true;
        // Rows before the turn are done, or moved back and converted when their turn comes.
        for (int position = std::max(1, m_turn); position <= m_rows.count(); ++position) {
            if (busyConversions() >= 2 * m_jobs || int(m_started.size()) >= 3 * m_jobs)
                break;
            const quint64 identity = m_rows.identity(position);
            if (m_pending->isWaiting(identity) && !m_started.contains(identity))
                m_started.emplace(identity, startRow(m_rows.text(position)));
        }
        m_beginning = false;
    }

    void finish()
    {
        m_finishing = true;
        haltConversions();
        m_started.clear();
        m_workers.reset();
        m_work.reset();
        if (m_abandoned)
            return; // the window has closed: nothing more is shown
        m_display.setPointer(PointerKind::Default);
        m_display.setProgressValue(0);
        m_display.setProgressText(ProgressBarIdleText);
        tell(FinalMessage(m_skipped, m_notConverted, m_notSaved));
    }

    RunRows& m_rows;
    RunOptions& m_options;
    RunDisplay& m_display;
    ChildProcessRunner& m_runner;
    const std::function<QByteArray(const QString&)>& m_loadToolImage;
    const int m_jobs;
    const ToolTimeLimit m_timeLimit;
    const std::optional<quint64> m_memoryCeiling;
    const WindowContext& m_context;
    GuardedSteps m_guard;

    std::unique_ptr<WorkFolder> m_work;    // goes last, with everything the run left in it
    std::unique_ptr<WorkerPool> m_workers; // ended before the folder holding their program goes
    std::optional<PendingRows> m_pending;
    std::unordered_map<quint64, std::unique_ptr<RowConversion>> m_started;
    RowConversion* m_current = nullptr;
    int m_rowFolders = 0;
    int m_turn = 1;
    QStringList m_skipped;
    QStringList m_notConverted;
    QStringList m_notSaved;
    bool m_abandoned = false;
    bool m_finishing = false;
    bool m_beginning = false;
    bool m_toolsCannotStart = false;
};

ConversionRun::ConversionRun(RunRows& rows, RunOptions& options, RunDisplay& display,
                             std::chrono::milliseconds passLength)
    : m_rows(rows), m_options(options), m_display(display), m_runner(passLength),
      m_loadToolImage(LoadToolImage), m_jobs(ConversionJobs())
{
}

ConversionRun::~ConversionRun() = default;

void ConversionRun::setToolImageLoader(std::function<QByteArray(const QString&)> loader)
{
    m_loadToolImage = std::move(loader);
}

void ConversionRun::abandon()
{
    if (m_run)
        m_run->abandon();
}

void ConversionRun::start(const WindowContext& context)
{
    if (m_isConverting)
        return;
    m_isConverting = true;
    // Whatever way the run ends, even by an exception, the window is no longer converting.
    const auto idleAgain = qScopeGuard([this] {
        m_run = nullptr;
        m_isConverting = false;
    });
    Run run(*this, context);
    m_run = &run;
    run.execute();
}

} // namespace orvalin
