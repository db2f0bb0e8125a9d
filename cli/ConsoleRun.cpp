#include "cli/ConsoleRun.h"

#include "cli/Console.h"
#include "cli/SourceFiles.h"
#include "core/CommandLine.h"
#include "core/ConversionRun.h"
#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/SaveResult.h"
#include "core/Signals.h"
#include "core/UncarriedNames.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <cstdio>

namespace orvalin {

namespace {

using Result = RowOutcome::Result;

// The window's seams, where a console has none: no dialog is ever asked for, the final message
// is the console's own summary, and a failure report is kept to be written as one line, unless
// a file's line tells the same.
class ConsoleBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const MessageRequest& request) override
    {
        if (request.title == FailureReportTitle())
            reported.append(request.text.section(QStringLiteral("\r\n"), 0, 0));
        return MessageAnswer::Ok;
    }

    QStringList reported;
};

const QString NotWebPReason = QStringLiteral("not in WebP format");

// Why a file was not converted, without its path, which its line names already.
QString reasonFor(const RowOutcome& outcome)
{
    const QString named = outcome.source + QStringLiteral(": ");
    if (outcome.reason.startsWith(named))
        return outcome.reason.mid(named.size());
    if (outcome.result == RowOutcome::Result::SkippedNotWebP && outcome.reason.isEmpty())
        return NotWebPReason;
    return outcome.reason;
}

// One conversion of the command's files: the rows, options and display the engine reads, and
// what it tells of each file.
class ConsoleConversion : public RunRows, public RunOptions, public RunDisplay, public RunObserver
{
public:
    ConsoleConversion(const ConvertCommand& command, QList<SourceFile> files, QString outputFolder,
                      Console& console)
        : m_command(command), m_files(std::move(files)), m_outputFolder(std::move(outputFolder)),
          m_console(console)
    {
    }

    // RunRows: the files, in their order.
    int count() const override { return int(m_files.size()); }
    quint64 identity(int position) const override { return quint64(position); }
    QString text(int position) const override { return m_files[position - 1].path; }
    QString addedFrom(int position) const override { return m_files[position - 1].addedFrom; }

    // RunOptions: the command's, throughout.
    bool savesToFolder() const override { return !m_outputFolder.isEmpty(); }
    bool savesBesideSource() const override { return m_outputFolder.isEmpty(); }
    QString outputFolder() const override { return m_outputFolder; }
    int quality() const override { return m_command.quality; }
    OutputChoices outputChoices() const override { return m_command.choices; }

    // RunDisplay: the progress line counts files as they end, not the bar's value.
    QString progressText() const override { return m_progressText; }
    void setProgressText(const QString& text) override { m_progressText = text; }
    double progressValue() const override { return m_progressValue; }
    void setProgressValue(double value) override { m_progressValue = value; }
    void setPointer(PointerKind) override {}

    // RunObserver
    void rowEnded(const RowOutcome& outcome) override
    {
        tellOf(outcome);
        m_console.showProgress(++m_done, count());
    }

    void convertersCannotStart(const QString&) override { m_convertersCannotStart = true; }

    // Writes what became of a file: its JSON line, and on standard error why it was not
    // converted. Counts it.
    void tellOf(const RowOutcome& outcome)
    {
        ++m_counts[int(outcome.result)];
        const QString reason = reasonFor(outcome);
        if (m_command.json)
            m_console.output(jsonLine(outcome, reason));
        if (outcome.result == Result::Converted || outcome.result == Result::SkippedExisting)
            return;
        m_boxes.reported.removeAll(reason);
        tellReported();
        m_console.error(reason.isEmpty() ? outcome.source
                                         : outcome.source + QStringLiteral(": ") + reason);
    }

    // The failure reports no file's line has told.
    void tellReported()
    {
        for (const QString& description : std::exchange(m_boxes.reported, {}))
            m_console.error(description);
    }

    // Runs the engine over the files until it ends, or a signal stops it.
    void run(const std::function<QByteArray(const QString&)>& loadToolImage, const bool& stopped,
             std::function<void()>& stop)
    {
        if (m_files.isEmpty())
            return;
        ConversionRun run(*this, *this, *this);
        run.setObserver(this);
        if (m_command.jobs)
            run.setJobs(*m_command.jobs);
        if (loadToolImage)
            run.setToolImageLoader(loadToolImage);
        QEventLoop loop;
        QObject::connect(&run, &ConversionRun::ended, &loop, &QEventLoop::quit);
        stop = [&run] { run.abandon(); };
        QTimer refresh;
        QObject::connect(&refresh, &QTimer::timeout,
                         [&] { m_console.showProgress(m_done, count()); });
        refresh.start(1000);
        m_console.showProgress(0, count(), true);
        NoFileDialogs dialogs;
        NoShell shell;
        run.start({nullptr, {m_boxes, dialogs, shell}, QStringLiteral("orvalin-convert")});
        if (run.IsConverting() && !stopped)
            loop.exec();
        stop = nullptr;
        tellReported();
        m_console.clearProgress();
    }

    int counted(Result result) const { return m_counts[int(result)]; }
    bool convertersCouldNotStart() const { return m_convertersCannotStart; }

private:
    QString jsonLine(const RowOutcome& outcome, const QString& reason) const
    {
        const qint64 bytesIn = QFileInfo(outcome.source).size();
        const qint64 bytesOut =
            outcome.result == Result::Converted ? QFileInfo(outcome.output).size() : 0;
        QString line =
            QStringLiteral("{\"source\":") + JsonString(outcome.source)
            + QStringLiteral(",\"output\":")
            + (outcome.output.isEmpty() ? QStringLiteral("null") : JsonString(outcome.output))
            + QStringLiteral(",\"result\":") + JsonString(ResultName(int(outcome.result)));
        if (!reason.isEmpty() && outcome.result != Result::Converted)
            line += QStringLiteral(",\"reason\":") + JsonString(reason);
        return line
               + QStringLiteral(",\"bytes_in\":%1,\"bytes_out\":%2}").arg(bytesIn).arg(bytesOut);
    }

    const ConvertCommand& m_command;
    const QList<SourceFile> m_files;
    const QString m_outputFolder;
    Console& m_console;
    ConsoleBoxes m_boxes;
    QString m_progressText;
    double m_progressValue = 0;
    int m_done = 0;
    int m_counts[5] = {};
    bool m_convertersCannotStart = false;
};

// The bytes of the --files-from list: a file, or standard input for "-".
std::optional<QByteArray> readPathList(const QByteArray& from, QString& error)
{
    QFile file;
    const bool opened = from == "-" ? file.open(stdin, QIODevice::ReadOnly)
                                    : (file.setFileName(HandedPath(from, CurrentFolderBytes())),
                                       file.open(QIODevice::ReadOnly));
    if (!opened) {
        error = file.errorString();
        return std::nullopt;
    }
    return file.readAll();
}

// What --dry-run prints of each file: the output it would get, as the run would choose it now.
void showDryRun(const QList<SourceFile>& files, const ConvertCommand& command,
                const RunOptions& options, Console& console)
{
    QSet<QString> claimed; // names earlier files of this run would take
    for (const SourceFile& file : files) {
        const QString output =
            RunOutputPath(options, command.choices, file.path, file.addedFrom).value_or(QString());
        QString chosen = output;
        QString result = ResultName(int(Result::Converted));
        const auto taken = [&](const QString& name) {
            return claimed.contains(name) || QFileInfo::exists(name) || QFileInfo(name).isSymLink();
        };
        if (command.choices.ifExists == IfExists::KeepBoth)
            for (int number = 1; taken(chosen); ++number)
                chosen = NumberedName(output, number);
        else if (command.choices.ifExists == IfExists::Skip && taken(chosen))
            result = ResultName(int(Result::SkippedExisting));
        claimed.insert(chosen);
        if (command.json)
            console.output(QStringLiteral("{\"source\":%1,\"output\":%2,\"result\":%3}")
                               .arg(JsonString(file.path), JsonString(chosen), JsonString(result)));
        else
            console.output(file.path + QStringLiteral(" -> ") + chosen
                           + (result == ResultName(int(Result::Converted))
                                  ? QString()
                                  : QStringLiteral(" (skipped: it exists)")));
    }
}

} // namespace

QString ResultName(int result)
{
    switch (Result(result)) {
    case Result::Converted: return QStringLiteral("converted");
    case Result::SkippedNotWebP: return QStringLiteral("skipped-not-webp");
    case Result::SkippedExisting: return QStringLiteral("skipped-exists");
    case Result::NotConverted: return QStringLiteral("not-converted");
    case Result::NotSaved: return QStringLiteral("not-saved");
    }
    Q_UNREACHABLE();
}

QString JsonString(const QString& text)
{
    QString json = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            json += QLatin1Char('\\') + c;
        else if (c == u'\n')
            json += QStringLiteral("\\n");
        else if (c == u'\r')
            json += QStringLiteral("\\r");
        else if (c == u'\t')
            json += QStringLiteral("\\t");
        else if (c.unicode() < 0x20)
            json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            json += c;
    }
    return json + QLatin1Char('"');
}

int RunConvertCommand(const ConvertCommand& command,
                      std::function<QByteArray(const QString&)> loadToolImage)
{
    Console console(command.progress
                        || (!command.quiet && !command.dryRun && Console::errorIsTerminal()),
                    command.quiet);
    // A signal stops the scan at its next yield, or the run at once: its workers are stopped
    // and its working folder, with every result not yet saved, goes.
    bool stopped = false;
    std::function<void()> stop;
    OnTerminationSignals([&](int) {
        stopped = true;
        if (stop)
            stop();
    });

    QList<QByteArray> paths = command.paths;
    if (command.filesFrom) {
        QString error;
        const std::optional<QByteArray> list = readPathList(*command.filesFrom, error);
        if (!list) {
            console.error(QStringLiteral("--files-from: %1: %2")
                              .arg(NameFromArgument(*command.filesFrom), error));
            return UsageError;
        }
        paths += SplitPathList(*list, command.nullSeparated);
    }

    QString outputFolder;
    if (command.outputFolder) {
        outputFolder = HandedPath(*command.outputFolder, CurrentFolderBytes());
        if (IsMarkedUncarried(outputFolder) || IsFolder(outputFolder) != true) {
            console.error(QStringLiteral("the output folder does not exist: %1")
                              .arg(NameFromArgument(*command.outputFolder)));
            return CannotStart;
        }
    }

    const Sources sources = GatherSources(paths, CurrentFolderBytes(), stopped,
                                          [] { QCoreApplication::processEvents(); });
    const QList<SourceFile> files =
        command.shard ? ShareOf(sources.files, *command.shard) : sources.files;

    ConsoleConversion conversion(command, files, outputFolder, console);
    for (const SourceProblem& problem : sources.problems)
        conversion.tellOf({problem.path, QString(), Result::NotConverted, problem.reason});

    if (command.dryRun)
        showDryRun(files, command, conversion, console);
    else if (!stopped)
        conversion.run(loadToolImage, stopped, stop);

    if (stopped)
        return ExitStatusAfterSignals(SomeNotConverted);
    if (!command.dryRun)
        console.note(QStringLiteral("%1 converted, %2 skipped, %3 not converted, %4 not saved")
                         .arg(conversion.counted(Result::Converted))
                         .arg(conversion.counted(Result::SkippedExisting)
                              + conversion.counted(Result::SkippedNotWebP))
                         .arg(conversion.counted(Result::NotConverted))
                         .arg(conversion.counted(Result::NotSaved)));
    if (conversion.convertersCouldNotStart() && conversion.counted(Result::Converted) == 0)
        return CannotStart;
    const int failed = conversion.counted(Result::SkippedNotWebP)
                       + conversion.counted(Result::NotConverted)
                       + conversion.counted(Result::NotSaved);
    return failed > 0 ? SomeNotConverted : AllConverted;
}

} // namespace orvalin
