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
#include <QSet>
#include <QThread>
#include <QTimer>

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

// The body of a step, noting the description of what it throws before the step reports it.
template <typename Body>
auto noting(QString& description, Body&& body)
{
    return [&description, &body] {
        try {
            body();
        } catch (...) {
            description = describeCurrentException();
            throw;
        }
    };
}

struct Row
{
    quint64 identity = 0;
    QString source;
    QString addedFrom;
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
            return Row{rows.identity(i), rows.text(i), rows.addedFrom(i)};
        for (int position = 1; position <= rows.count(); ++position) {
            if (m_identities.remove(rows.identity(position)))
                return Row{rows.identity(position), rows.text(position), rows.addedFrom(position)};
        }
        return std::nullopt;
    }

    bool isWaiting(quint64 identity) const { return m_identities.contains(identity); }

private:
    QSet<quint64> m_identities;
};

// One row's conversion by a worker of the run, into a file of the run's working folder, with the
// quality and choices read when the conversion began. The worker's answers are only noted
// here, and the run woken to act on them: nothing the run does happens inside a worker's call.
class RowConversion
{
public:
    enum class Phase {
        Asked,       // with a worker, nothing heard yet
        Decoded,     // the encoding has begun
        Concluded,   // the worker's conversion ended, in whatever way
        NeedsWorker, // not given to a worker yet, or its worker ended before it came to it
        CannotStart, // no worker could be started for it
    };

    RowConversion(QString source, QString result, const protocol::Choices& choices,
                  std::function<void()> wake)
        : m_source(std::move(source)), m_result(std::move(result)), m_choices(choices),
          m_wake(std::move(wake))
    {
    }

    // The result goes with its row, so a long run holds a few rows' worth of them in the
    // temporary folder, never the whole list's. The run's workers have stopped by now, or are
    // done with this file.
    ~RowConversion() { QFile::remove(m_result); }

    // Gives the file to a worker of the run.
    void giveTo(ConverterWorker& worker, const ToolTimeLimit& limit)
    {
        if (!worker.started()) {
            m_state->phase = Phase::CannotStart;
            m_state->startError = worker.startError();
            return;
        }
        m_state->phase = Phase::Asked;
        // The state outlives this conversion for as long as a worker may still answer.
        const std::shared_ptr<State> state = m_state;
        const auto wake = m_wake;
        worker.convert(m_source, m_result, m_choices, limit,
                       {[state, wake](quint64) {
                            state->phase = Phase::Decoded;
                            wake();
                        },
                        [state, wake](WorkerOutcome outcome, const QString& reason) {
                            state->phase = outcome == WorkerOutcome::NotBegun ? Phase::NeedsWorker
                                                                              : Phase::Concluded;
                            state->outcome = outcome;
                            state->reason = reason;
                            wake();
                        }});
    }

    Phase phase() const { return m_state->phase; }
    bool busy() const { return phase() != Phase::Concluded && phase() != Phase::CannotStart; }
    bool decodingEnded() const { return phase() != Phase::Asked && phase() != Phase::NeedsWorker; }
    bool decoded() const
    {
        return phase() == Phase::Decoded
               || (phase() == Phase::Concluded && m_state->outcome != WorkerOutcome::NotDecoded
                   && m_state->outcome != WorkerOutcome::Lost);
    }
    bool ended() const { return !busy(); }
    // How the worker's conversion ended, once it has, and why when it was not converted.
    WorkerOutcome outcome() const { return m_state->outcome; }
    const QString& reason() const { return m_state->reason; }
    // Why no worker could be started for the file; empty while every one started.
    const QString& startError() const { return m_state->startError; }
    const QString& result() const { return m_result; }

private:
    struct State
    {
        Phase phase = Phase::NeedsWorker;
        WorkerOutcome outcome = WorkerOutcome::Lost;
        QString reason = ConverterStoppedReason();
        QString startError;
    };

    const QString m_source;
    const QString m_result;
    const protocol::Choices m_choices;
    const std::function<void()> m_wake;
    const std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace

QString NotConvertedLine(const QString& source, const QString& reason)
{
    return source + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString FinalMessage(const RunReport& report)
{
    QString message = DoneMessage();
    const std::pair<QString, const QStringList&> lists[] = {
        {SkippedHeading(), report.skipped},
        {SkippedExistingHeading(), report.skippedExisting},
        {NotConvertedHeading(), report.notConverted},
        {NotSavedHeading(), report.notSaved}};
    for (const auto& [heading, files] : lists)
        if (!files.isEmpty())
            message += CrLf + heading + CrLf + files.join(CrLf);
    return message;
}

std::optional<QString> RunOutputPath(const RunOptions& options, const OutputChoices& choices,
                                     const QString& source, const QString& addedFrom)
{
    const QString name = RemoveExtension(GetFileName(source)) + QStringLiteral(".jpg");
    if (options.savesToFolder()) {
        const QString below = choices.keepSubfolders ? KeptSubfolder(addedFrom, source) : QString();
        return CollapseDoubleBackslashes(options.outputFolder() + Separator + below + name);
    }
    if (options.savesBesideSource())
        return CollapseDoubleBackslashes(folderOfSource(source) + Separator + name);
    return std::nullopt;
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

// One run, from the test of the list to the final message: a state, and what moves it on.
class ConversionRun::Run : public QObject
{
public:
    Run(ConversionRun& owner, const WindowContext& context)
        : QObject(&owner), m_owner(owner), m_rows(owner.m_rows), m_options(owner.m_options),
          m_display(owner.m_display), m_jobs(owner.m_jobs), m_timeLimit(owner.m_toolTimeLimit),
          m_context(context), m_guard(GuardedProcedure::StartConvertingClick,
                                      m_context.platform.messageBoxes, m_context.owner)
    {
        m_guard.reportRepeatsOnce();
        m_passTimer.setInterval(owner.m_passLength);
        connect(&m_passTimer, &QTimer::timeout, this, [this] {
            ++m_pass;
            showPass();
        });
    }

    // Refuses, or prepares the workers and begins with the first row.
    void begin()
    {
        if (refused())
            return end();
        m_guard.step(112, [&] { m_display.setPointer(PointerKind::Busy); });
        if (ended())
            return;
        if (!prepareWorkers()) {
            listEveryRowAsNotSaved();
            return finish();
        }
        m_rowCount = m_rows.count(); // the bound is read once: rows added later wait
        m_pending.emplace(m_rows);
        nextTurn();
    }

    void abandon()
    {
        if (m_state == State::Ended)
            return;
        m_state = State::Ended;
        m_passTimer.stop();
        if (m_workers)
            m_workers->stopAll();
        // The workers have ended. The folder goes now: a program ending with its session may be
        // ended by the system before anything else runs.
        if (m_work)
            m_work->removeNow();
        m_owner.runEnded();
    }

private:
    enum class State {
        Preparing, // the tests of the list and the folder, the working folder and the worker
        Yielding,  // row i's progress is shown; the window handles what waits before the row
        Decoding,  // waiting for the row's file to be decoded
        Encoding,  // waiting for its JPG, the bar counting on when that takes long
        Saving,    // the row's result goes to its output, or the row is listed
        Finishing, // the final message
        Ended,
    };

    bool ended() const { return m_state == State::Ended; }

    void tell(const QString& text)
    {
        m_context.platform.messageBoxes.show(
            m_context.owner,
            {m_context.applicationTitle, text, MessageIcon::None, MessageButtons::Ok});
    }

    bool refused()
    {
        if (m_rows.count() == 0) {
            tell(NoFilesMessage());
            return true;
        }
        // With results beside their sources the typed folder is not looked at.
        if (!m_options.savesBesideSource() && IsFolder(m_options.outputFolder()) != true) {
            tell(NoOutputFolderMessage());
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
        QString reason;
        const bool prepared =
            m_guard.step(
                118,
                noting(reason, [&] { worker = m_owner.m_loadToolImage(WorkerImageFor(width)); }))
            && m_guard.step(122, noting(reason, [&] { program = makeWorkFolderWith(worker); }));
        if (!prepared) {
            m_stopReason = reason;
            if (m_owner.m_observer)
                m_owner.m_observer->convertersCannotStart(reason);
        }
        if (prepared)
            m_workers = std::make_unique<WorkerPool>(
                program, m_jobs, m_owner.m_memoryCeiling.value_or(WorkerMemoryCeiling(m_jobs)));
        return prepared && !ended();
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
            record(RowOutcome::Result::NotSaved, m_rows.text(position), {}, m_stopReason);
    }

    // A row has ended: it joins the report's list for how it ended, and the observer is told.
    void record(RowOutcome::Result result, const QString& source, const QString& output = {},
                const QString& reason = {})
    {
        switch (result) {
        case RowOutcome::Result::Converted: break;
        case RowOutcome::Result::SkippedNotWebP: m_report.skipped.append(source); break;
        case RowOutcome::Result::SkippedExisting: m_report.skippedExisting.append(source); break;
        case RowOutcome::Result::NotConverted:
            m_report.notConverted.append(NotConvertedLine(source, reason));
            break;
        case RowOutcome::Result::NotSaved: m_report.notSaved.append(source); break;
        }
        if (m_owner.m_observer)
            m_owner.m_observer->rowEnded({source, output, result, reason});
    }

    // The next row's turn, or the end of the run.
    void nextTurn()
    {
        while (!ended() && ++m_i <= m_rowCount) {
            const std::optional<Row> row = m_pending->take(m_rows, m_i);
            if (!row)
                continue;
            if (m_stopped) // nothing converts any more: the row is listed
                record(RowOutcome::Result::NotSaved, row->source, {}, m_stopReason);
            else
                return beginTurn(*row);
        }
        finish();
    }

    // Row i's turn: the progress shows it, and the window handles what waits before the row
    // goes on.
    void beginTurn(const Row& row)
    {
        m_turn = m_i;
        m_row = row;
        m_state = State::Yielding;
        m_guard.step(134,
                     [&] { m_display.setProgressValue(double(m_i) / m_rows.count() * 100.0); });
        m_guard.step(136, [&] {
            m_display.setProgressText(QCoreApplication::translate("ConversionRun", "Processing: %1")
                                          .arg(GetFileName(row.source)));
        });
        QMetaObject::invokeMethod(this, &Run::continueTurn, Qt::QueuedConnection);
    }

    // The row's output is decided with the options read now, and its conversion, begun now or
    // earlier, is waited for.
    void continueTurn()
    {
        if (m_state != State::Yielding)
            return;
        m_guard.step(140, [&] { m_display.setPointer(PointerKind::Busy); });
        if (ended())
            return;
        m_choices = m_options.outputChoices();
        m_output = outputPathFor(m_row);
        if (const auto started = m_started.find(m_row.identity); started != m_started.end()) {
            m_current = std::move(started->second);
            m_started.erase(started);
        } else {
            m_current = makeRow(m_row.source);
            giveToAWorker(*m_current); // or to the first worker that can take it
        }
        beginMoreRows();
        await(State::Decoding);
    }

    // Waits for the current row's decoding or encoding: passes are counted while it lasts, and
    // the pass in which its end arrives is counted too.
    void await(State state)
    {
        m_state = state;
        m_pass = 0;
        if (awaitedStepEnded())
            stepEnded();
        else
            m_passTimer.start();
    }

    bool awaitedStepEnded() const
    {
        return m_state == State::Decoding ? m_current->decodingEnded() : m_current->ended();
    }

    void showPass()
    {
        if (m_longWait)
            m_longWait->showPass(m_pass);
        if (m_owner.m_passObserver)
            m_owner.m_passObserver(m_pass);
    }

    // A worker has answered: rows whose worker ended before their file get another, more rows
    // begin, and the row at its turn goes on when its step has ended.
    void wake()
    {
        if (m_wakePosted)
            return;
        m_wakePosted = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_wakePosted = false;
                advance();
            },
            Qt::QueuedConnection);
    }

    void advance()
    {
        if (ended() || m_state == State::Finishing || m_stopped)
            return;
        giveWorkersToRowsWaitingForOne();
        beginMoreRows();
        if ((m_state == State::Decoding || m_state == State::Encoding) && awaitedStepEnded())
            stepEnded();
    }

    // The row at its turn first: a worker that can take a file takes its file before any other.
    void giveWorkersToRowsWaitingForOne()
    {
        const auto give = [this](RowConversion& conversion) {
            return conversion.phase() != RowConversion::Phase::NeedsWorker
                   || giveToAWorker(conversion);
        };
        if (m_current && !give(*m_current))
            return;
        for (const auto& [identity, conversion] : m_started)
            if (!give(*conversion))
                return;
    }

    void stepEnded()
    {
        m_passTimer.stop();
        const State step = m_state;
        m_state = State::Saving; // nothing moves this row on while the pass is shown
        ++m_pass;
        showPass();
        if (ended())
            return;
        if (step == State::Decoding)
            decodingEnded();
        else
            encodingEnded();
    }

    void decodingEnded()
    {
        if (!m_current->startError().isEmpty())
            return stopAsToolsCannotStart(156, m_current->startError());
        if (!m_current->decoded()) {
            listAsNotConverted(*m_current, m_row.source);
            return rowDone();
        }
        m_longWait.emplace(m_display, m_rows.count());
        await(State::Encoding);
    }

    void encodingEnded()
    {
        m_guard.step(168, [&] { m_longWait->end(); });
        m_longWait.reset();
        if (ended())
            return;
        if (m_current->outcome() == WorkerOutcome::Converted && isPresentFile(m_current->result()))
            saveRow(m_current->result(), m_row.source, m_output);
        else
            listAsNotConverted(*m_current, m_row.source);
        if (!ended())
            rowDone();
    }

    void rowDone()
    {
        m_current.reset();
        nextTurn();
    }

    // Only a file the worker found no WebP in was skipped for its format; any other file
    // without a result is listed with the reason it has none.
    void listAsNotConverted(const RowConversion& conversion, const QString& source)
    {
        if (conversion.outcome() == WorkerOutcome::NotDecoded)
            record(RowOutcome::Result::SkippedNotWebP, source, {}, conversion.reason());
        else if (conversion.outcome() == WorkerOutcome::Converted)
            record(RowOutcome::Result::NotConverted, source, {},
                   QCoreApplication::translate("ConversionRun", "the result has gone"));
        else
            record(RowOutcome::Result::NotConverted, source, {}, conversion.reason());
    }

    // A worker that cannot be started at all (a temporary folder that may not hold programs,
    // say) will not start for the next row either: the conversions under way stop, it is told
    // once, and this row and every row after it are listed as not saved. Such a file was never
    // looked at, so it is not called "not in WebP format".
    void stopAsToolsCannotStart(int label, const QString& error)
    {
        m_stopped = true;
        m_stopReason = error;
        m_workers->stopAll();
        m_started.clear();
        if (m_owner.m_observer)
            m_owner.m_observer->convertersCannotStart(error);
        m_guard.step(label, [&] { throw Failure(error); });
        if (ended())
            return;
        record(RowOutcome::Result::NotSaved, m_row.source, {}, error);
        rowDone();
    }

    std::optional<QString> outputPathFor(const Row& row) const
    {
        return RunOutputPath(m_options, m_choices, row.source, row.addedFrom);
    }

    // The result goes to its output as the choice for an existing JPG says, into folders made
    // as needed, and takes the source's dates when they are kept.
    void saveRow(const QString& result, const QString& source, const std::optional<QString>& output)
    {
        std::optional<QString> saved;
        QString reason;
        const bool done =
            output && m_guard.step(172, noting(reason, [&] {
                                       makeKeptSubfolders(*output);
                                       saved = SaveResultAs(result, *output, m_choices.ifExists);
                                   }));
        const QString intended = output.value_or(QString());
        if (!done)
            return record(RowOutcome::Result::NotSaved, source, intended, reason);
        if (!saved)
            return record(RowOutcome::Result::SkippedExisting, source, intended);
        if (m_choices.keepDates)
            keepDates(source, *saved);
        record(RowOutcome::Result::Converted, source, *saved);
    }

    // The sub-folders a kept folder tree needs below the output folder, which must exist: a
    // run never makes the output folder itself.
    void makeKeptSubfolders(const QString& output) const
    {
        const QString folder = GetParentPath(output);
        const QString top = m_options.outputFolder();
        if (!m_choices.keepSubfolders || !m_options.savesToFolder() || IsFolder(folder) == true
            || IsFolder(top) != true)
            return;
        if (!QDir().mkpath(folder))
            throw Failure(
                QCoreApplication::translate("FailureReport", "Path not found: %1").arg(folder));
    }

    // A date that cannot be set leaves the saved result as it is; it is told once a run, for
    // the first such file.
    void keepDates(const QString& source, const QString& saved)
    {
        try {
            CopyFileDates(source, saved);
        } catch (const Failure& failure) {
            if (std::exchange(m_datesFailureTold, true))
                return;
            m_guard.step(173, [&] {
                throw Failure(QCoreApplication::translate("FailureReport",
                                                          "The dates of %1 could not be kept: %2")
                                  .arg(saved, failure.description()));
            });
        }
    }

    // Gives the row's file to a worker that can take it now; false when none can.
    bool giveToAWorker(RowConversion& conversion)
    {
        ConverterWorker* const worker = m_workers->take();
        if (worker)
            conversion.giveTo(*worker, m_timeLimit);
        return worker != nullptr;
    }

    // The quality and what the worker makes of the picture, read as the conversion begins.
    protocol::Choices conversionChoices() const
    {
        const OutputChoices choices = m_options.outputChoices();
        return {m_options.quality(), choices.metadata, choices.fitWithin};
    }

    std::unique_ptr<RowConversion> makeRow(const QString& source)
    {
        return std::make_unique<RowConversion>(
            source, m_work->filePath(QString::number(++m_rowFiles) + QStringLiteral(".jpg")),
            conversionChoices(), [this] { wake(); });
    }

    // Begins the conversions of the rows that come next in the list, while a worker can take
    // one: each worker converts one file and gets the next while it encodes, so it never waits
    // for this thread between files; finished ones wait for their turn, a few at most.
    void beginMoreRows()
    {
        if (m_stopped || !m_pending)
            return;
        if (m_current && m_current->phase() == RowConversion::Phase::NeedsWorker)
            return; // the row at its turn goes first
        // Rows before the turn are done, or moved back and converted when their turn comes.
        for (int position = std::max(1, m_turn); position <= m_rows.count(); ++position) {
            if (int(m_started.size()) >= 3 * m_jobs)
                break;
            const quint64 identity = m_rows.identity(position);
            if (!m_pending->isWaiting(identity) || m_started.contains(identity))
                continue;
            ConverterWorker* const worker = m_workers->take();
            if (!worker)
                break;
            std::unique_ptr<RowConversion> conversion = makeRow(m_rows.text(position));
            conversion->giveTo(*worker, m_timeLimit);
            m_started.emplace(identity, std::move(conversion));
        }
    }

    // The workers end before the conversions go, and those before the folder.
    void finish()
    {
        if (ended())
            return;
        m_state = State::Finishing;
        m_passTimer.stop();
        m_workers.reset();
        m_started.clear();
        m_current.reset();
        m_work.reset();
        m_guard.step(186, [&] { m_display.setPointer(PointerKind::Default); });
        m_guard.step(188, [&] { m_display.setProgressValue(0); });
        m_guard.step(190, [&] { m_display.setProgressText(ProgressBarIdleText()); });
        m_display.runFinished();
        if (!ended())
            tell(FinalMessage(m_report));
        end();
    }

    void end()
    {
        if (ended())
            return;
        m_state = State::Ended;
        m_owner.runEnded();
    }

    ConversionRun& m_owner;
    RunRows& m_rows;
    RunOptions& m_options;
    RunDisplay& m_display;
    const int m_jobs;
    const ToolTimeLimit m_timeLimit;
    const WindowContext m_context;
    GuardedSteps m_guard;
    QTimer m_passTimer;

    State m_state = State::Preparing;
    std::unique_ptr<WorkFolder> m_work; // goes last, with everything the run left in it
    std::optional<PendingRows> m_pending;
    std::unordered_map<quint64, std::unique_ptr<RowConversion>> m_started;
    std::unique_ptr<RowConversion> m_current;
    std::unique_ptr<WorkerPool> m_workers; // goes first: no worker writes into what goes after
    std::optional<LongWait> m_longWait;
    int m_rowCount = 0;
    int m_i = 0;
    int m_turn = 1;
    Row m_row;
    std::optional<QString> m_output;
    OutputChoices m_choices; // read at the row's turn
    int m_pass = 0;
    int m_rowFiles = 0;
    RunReport m_report;
    bool m_wakePosted = false;
    bool m_datesFailureTold = false;
    bool m_stopped = false; // nothing converts any more
    QString m_stopReason;   // why
};

ConversionRun::ConversionRun(RunRows& rows, RunOptions& options, RunDisplay& display,
                             std::chrono::milliseconds passLength)
    : m_rows(rows), m_options(options), m_display(display), m_passLength(passLength),
      m_loadToolImage(LoadToolImage), m_jobs(ConversionJobs())
{
}

ConversionRun::~ConversionRun()
{
    delete m_run;
}

void ConversionRun::setPassObserver(std::function<void(int)> observer)
{
    m_passObserver = std::move(observer);
}

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
    if (m_run)
        return;
    m_run = new Run(*this, context);
    Run* const run = m_run;
    try {
        run->begin();
    } catch (...) {
        // Whatever way the run ends, even by an exception, the window is no longer converting.
        run->abandon();
        throw;
    }
}

// The run may still be on the stack: it goes once the event loop is back.
void ConversionRun::runEnded()
{
    m_run->deleteLater();
    m_run = nullptr;
    emit ended();
}

} // namespace orvalin
