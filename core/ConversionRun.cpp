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

struct Tools
{
    QString decoder;
    QString encoder;
    ToolTimeLimit limit;
};

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

// One row's conversion in a folder of its own: the decoder, then, when it left a PNG, the
// encoder at the quality read when the conversion began. Each tool starts on the end notice
// of the one before, so several rows convert at once while the run waits for one.
class RowConversion
{
public:
    RowConversion(const Tools& tools, const QString& source, const QString& folder, int quality,
                  std::function<void()> whenIdle)
        : m_tools(tools), m_quality(quality), m_whenIdle(std::move(whenIdle)), m_folder(folder)
    {
        if (!QDir().mkdir(folder)) {
            m_failure = QStringLiteral("Path not found: ") + folder;
            return;
        }
        const QString base = folder + QLatin1Char('/') + RemoveExtension(GetFileName(source));
        m_png = base + QStringLiteral(".png");
        m_jpg = base + QStringLiteral(".jpg");
        m_decoder =
            startTool(ToolCommand{tools.decoder, {source, QStringLiteral("-o"), m_png}}, source);
        m_decoder->whenEnded([this] { decoded(); });
    }

    // The intermediates go with their row, so a long run holds a few rows' worth of them in
    // the temporary folder, never the whole list's.
    ~RowConversion()
    {
        stop();
        if (!m_failure.isEmpty())
            return;
        QFile::remove(m_png);
        QFile::remove(m_jpg);
        if (!QDir().rmdir(m_folder)) // a tool stopped mid-write may leave a temporary file
            QDir(m_folder).removeRecursively();
    }

    // Why the conversion could not begin; empty when it began.
    const QString& failure() const { return m_failure; }
    // Why a tool could not be started at all; empty while every tool started.
    const QString& startError() const { return m_startError; }
    bool busy() const { return m_failure.isEmpty() && !m_idle; }
    RunningTool* decoder() const { return m_decoder.get(); }
    RunningTool* encoder() const { return m_encoder.get(); }
    const QString& png() const { return m_png; }
    const QString& jpg() const { return m_jpg; }

    void stop()
    {
        m_stopped = true;
        if (m_encoder)
            m_encoder->stop();
        if (m_decoder)
            m_decoder->stop();
    }

private:
    std::unique_ptr<RunningTool> startTool(const ToolCommand& command, const QString& input)
    {
        auto tool = std::make_unique<RunningTool>(command);
        if (!tool->started())
            m_startError = tool->startError();
        tool->limitRunningTime(m_tools.limit.forInput(input));
        return tool;
    }

    void decoded()
    {
        if (!m_stopped && m_startError.isEmpty() && isPresentFile(m_png)) {
            m_encoder =
                startTool(ToolCommand{m_tools.encoder,
                                      {QStringLiteral("-q"), QString::number(m_quality),
                                       QStringLiteral("-out"), QStringLiteral("jpeg"), m_png}},
                          m_png);
            m_encoder->whenEnded([this] { becomeIdle(); });
            return;
        }
        becomeIdle();
    }

    void becomeIdle()
    {
        m_idle = true;
        if (!m_stopped)
            m_whenIdle();
    }

    Tools m_tools;
    int m_quality;
    std::function<void()> m_whenIdle;
    QString m_folder;
    QString m_failure;
    QString m_startError;
    QString m_png;
    QString m_jpg;
    std::unique_ptr<RunningTool> m_decoder;
    std::unique_ptr<RunningTool> m_encoder;
    bool m_idle = false;
    bool m_stopped = false;
};

} // namespace

QString FinalMessage(const QStringList& skipped, const QStringList& notSaved)
{
    QString message = DoneMessage;
    if (!skipped.isEmpty())
        message += CrLf + SkippedHeading + CrLf + skipped.join(CrLf);
    if (!notSaved.isEmpty())
        message += CrLf + NotSavedHeading + CrLf + notSaved.join(CrLf);
    return message;
}

std::chrono::milliseconds ToolTimeLimit::forInput(const QString& path) const
{
    const qint64 megabytes = QFileInfo(path).size() / (1024 * 1024);
    return base + perMegabyte * megabytes;
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
          m_context(context), m_guard(GuardedProcedure::StartConvertingClick,
                                      context.platform.messageBoxes, context.owner)
    {
        m_guard.reportRepeatsOnce();
        m_tools.limit = owner.m_toolTimeLimit;
    }

    void execute()
    {
        if (refused())
            return;
        m_display.setPointer(PointerKind::Busy);
        if (prepareTools())
            convertRows();
        else
            listEveryRowAsNotSaved();
        finish();
    }

    void abandon()
    {
        m_abandoned = true;
        for (const auto& [identity, conversion] : m_started)
            conversion->stop();
        if (m_current)
            m_current->stop();
        m_runner.stopRunningTool();
        // The tools have ended. The folder goes now: a program ending with its session may be
        // ended by the system before the run unwinds.
        if (m_work)
            m_work->removeNow();
    }

private:
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

    // Makes the working folder and writes both tools into it. A failure here leaves the run
    // nothing to do: it is reported once and ends the conversion.
    bool prepareTools()
    {
        const QString width =
            GetAddressWidth() == QLatin1String("64") ? QStringLiteral("64") : QStringLiteral("32");
        QByteArray decoder;
        QByteArray encoder;
        return m_guard.step(118, [&] { decoder = m_loadToolImage(DecoderImageFor(width)); })
               && m_guard.step(122, [&] { m_tools.decoder = makeWorkFolderWith(decoder); })
               && m_guard.step(124, [&] { encoder = m_loadToolImage(EncoderImage()); })
               && m_guard.step(126, [&] { m_tools.encoder = writeTool(encoder, EncoderFileName); });
    }

    // The working folder, made after folders of killed runs are cleared away, with the
    // decoder written into it; the decoder's path.
    QString makeWorkFolderWith(const QByteArray& decoder)
    {
        const QString temp = TemporaryFolder();
        RemoveAbandonedWorkFolders(temp);
        m_work = std::make_unique<WorkFolder>(temp);
        return writeTool(decoder, DecoderFileName);
    }

    QString writeTool(const QByteArray& image, const QString& name)
    {
        const QString path = m_work->filePath(name);
        WriteBytesIfAbsent(image, path);
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
        if (m_runner.waitFor(*conversion.decoder()) != 0)
            m_skipped.append(source);
        if (!conversion.startError().isEmpty())
            return endRunAsToolsCannotStart(168, conversion.startError(), source);
        if (m_abandoned || !isPresentFile(conversion.png()))
            return;
        if (conversion.encoder()) {
            const QString text = m_display.progressText();
            const auto value = qint32(std::nearbyint(m_display.progressValue()));
            m_runner.waitWithProgress(*conversion.encoder(), &m_display, text, value,
                                      std::max(1, m_rows.count()));
        }
        if (m_abandoned)
            return;
        if (isPresentFile(conversion.jpg()))
            saveRow(conversion.jpg(), source, output);
        else
            m_skipped.append(source);
    }

    // A tool that cannot be started at all (a temporary folder that may not hold programs, say)
    // will not start for the next row either: it is told once, the conversions under way stop,
    // and this row and every row after it are listed as not saved. Such a file was never
    // looked at, so it is not called "not in WebP format".
    void endRunAsToolsCannotStart(int label, const QString& error, const QString& source)
    {
        m_guard.step(label, [&] { throw Failure(error); });
        m_toolsCannotStart = true;
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
        return std::make_unique<RowConversion>(m_tools, source, folder, m_options.quality(),
                                               [this] { beginMoreRows(); });
    }

    int busyConversions() const
    {
        int busy = m_current && m_current->busy() ? 1 : 0;
        for (const auto& [identity, conversion] : m_started)
            busy += conversion->busy() ? 1 : 0;
        return busy;
    }

    // Begins the conversions of the rows that come next in the list, while fewer than the
    // jobs are busy; finished ones wait for their turn, a few at most.
    void beginMoreRows()
    {
        if (m_beginning || m_abandoned || m_finishing || m_toolsCannotStart || !m_pending)
            return;
        m_beginning = true;
        // Rows before the turn are done, or moved back and converted when their turn comes.
        for (int position = std::max(1, m_turn); position <= m_rows.count(); ++position) {
            if (busyConversions() >= m_jobs || int(m_started.size()) >= 2 * m_jobs)
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
        m_started.clear();
        m_work.reset();
        if (m_abandoned)
            return; // the window has closed: nothing more is shown
        m_display.setPointer(PointerKind::Default);
        m_display.setProgressValue(0);
        m_display.setProgressText(ProgressBarIdleText);
        tell(FinalMessage(m_skipped, m_notSaved));
    }

    RunRows& m_rows;
    RunOptions& m_options;
    RunDisplay& m_display;
    ChildProcessRunner& m_runner;
    const std::function<QByteArray(const QString&)>& m_loadToolImage;
    const int m_jobs;
    const WindowContext& m_context;
    GuardedSteps m_guard;

    std::unique_ptr<WorkFolder> m_work; // goes last, with everything the run left in it
    Tools m_tools;
    std::optional<PendingRows> m_pending;
    std::unordered_map<quint64, std::unique_ptr<RowConversion>> m_started;
    RowConversion* m_current = nullptr;
    int m_rowFolders = 0;
    int m_turn = 1;
    QStringList m_skipped;
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
