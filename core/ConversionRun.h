#pragma once

#include "core/ConverterWorker.h"
#include "core/LongWait.h"
#include "core/OutputChoices.h"
#include "core/Platform.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace orvalin {

inline QString NoFilesMessage()
{
    return QCoreApplication::translate("ConversionRun", "No files added.");
}
inline QString NoOutputFolderMessage()
{
    return QCoreApplication::translate("ConversionRun",
                                       "Folder does not exist. Please select another folder.");
}
inline QString DoneMessage()
{
    return QCoreApplication::translate("ConversionRun", "Done.");
}
inline QString SkippedHeading()
{
    return QCoreApplication::translate(
        "ConversionRun", "The following files were skipped because they are not in WebP format:");
}
inline QString NotConvertedHeading()
{
    return QCoreApplication::translate("ConversionRun",
                                       "The following files could not be converted:");
}
inline QString NotSavedHeading()
{
    return QCoreApplication::translate("ConversionRun", "The following files could not be saved:");
}
inline QString SkippedExistingHeading()
{
    return QCoreApplication::translate(
        "ConversionRun",
        "The following files were skipped because a JPG of that name already exists:");
}

// The environment variable that sets how many files a run converts at once.
inline const char* const JobsVariable = "ORVALIN_JOBS";

// The list a run converts: rows read by position from 1, each with an identity that stays
// with it while it moves and is never shared with another row.
class RunRows
{
public:
    virtual ~RunRows() = default;
    virtual int count() const = 0;
    virtual quint64 identity(int position) const = 0;
    virtual QString text(int position) const = 0;
    // The folder the row was added from by a scan of it; empty for a row added as a file.
    virtual QString addedFrom(int position) const = 0;
};

// The output options, read each time the run needs them.
class RunOptions
{
public:
    virtual ~RunOptions() = default;
    virtual bool savesToFolder() const = 0;     // results into the typed folder
    virtual bool savesBesideSource() const = 0; // results beside each source
    virtual QString outputFolder() const = 0;
    virtual int quality() const = 0;
    virtual OutputChoices outputChoices() const = 0;
};

// What the run shows: the progress and the window's pointer.
class RunDisplay : public ProgressDisplay
{
public:
    virtual void setPointer(PointerKind kind) = 0;
    // The run has done its work and is about to tell how it went.
    virtual void runFinished() {}
};

// A line of the files that could not be converted: the file, then why in brackets.
QString NotConvertedLine(const QString& source, const QString& reason);

// The rows a run did not convert and save, each list in the list's order.
struct RunReport
{
    QStringList skipped;         // the worker found no WebP in them
    QStringList skippedExisting; // a JPG of that name existed, and the choice was to skip
    QStringList notConverted;    // lines made by NotConvertedLine
    QStringList notSaved;        // converted, but their result could not be saved
};

// Where a row's result goes: in the typed folder (below it, the folder tree the row was added
// from, when that is kept), or beside the source, or, when neither option is on, nowhere (the
// row is then listed as not saved).
std::optional<QString> RunOutputPath(const RunOptions& options, const OutputChoices& choices,
                                     const QString& source, const QString& addedFrom);

// What became of one row of a run.
struct RowOutcome
{
    enum class Result {
        Converted,       // its result is saved
        SkippedNotWebP,  // the worker found no WebP in it
        SkippedExisting, // a JPG of that name existed, and the choice was to skip
        NotConverted,    // the conversion failed: a crash, the time limit
        NotSaved,        // no result was saved: the save failed, or nothing converted any more
    };
    QString source;
    QString output; // the name its result has, or was to have; empty when there was none
    Result result = Result::Converted;
    QString reason; // why it was not converted or saved, when that is known
};

// Told what a run does beyond what it shows and reports, for a front end without a window.
class RunObserver
{
public:
    virtual ~RunObserver() = default;
    // Each row as it ends, in the list's order.
    virtual void rowEnded(const RowOutcome& outcome) = 0;
    // No converter could be prepared or started: the rows left are listed as not saved.
    virtual void convertersCannotStart(const QString& reason) = 0;
};

// The final message: "Done." alone, or followed by each list of the report that is not empty,
// under its heading, one file a line, in the order of the report's lists.
QString FinalMessage(const RunReport& report);

// How many files a run converts at once: the number in ORVALIN_JOBS when it holds one of at
// least 1, otherwise the cores this program may use.
int ConversionJobs();

// "Start Converting": turns every listed file into a JPG with the carried converter worker, in
// a private working folder that goes when the run ends. Up to the set number of files convert
// at once, each by a worker of its own, the workers going on from file to file, while what the
// user sees follows the list order: the progress reaches row i when the run does, a row's
// result is saved at its turn with the options read then, and the lists of the final message
// keep the list's order.
//
// The run advances on events, on the thread that starts it: start() returns once the run is
// under way, and the workers' answers and the run's own timers move it on while the window's
// event loop goes on, so every other reaction of the window runs during a run. ended() tells
// when the final message has been closed, or the run was abandoned.
class ConversionRun : public QObject
{
    Q_OBJECT

public:
    ConversionRun(RunRows& rows, RunOptions& options, RunDisplay& display,
                  std::chrono::milliseconds passLength = std::chrono::milliseconds(100));
    ~ConversionRun() override;

    // Starts a run unless one is going on. A run refused (no files, no output folder), or one
    // left nothing to do, has ended when this returns.
    void start(const WindowContext& context);

    bool IsConverting() const { return m_run != nullptr; }

    // The window is closing: every worker is stopped, nothing more is shown, and the working
    // folder is removed at once.
    void abandon();

    // Called at the end of every pass of a wait for a row's file, with the pass counter (tests
    // act at chosen passes). A wait makes at least one pass: the one in which its end arrives.
    void setPassObserver(std::function<void(int pass)> observer);

    // Where the run takes the worker's image from: the executable's resources, unless a test
    // gives a worker of its own.
    void setToolImageLoader(std::function<QByteArray(const QString& resource)> loader);

    // Told of every row's end and of what the run tells once; none unless set.
    void setObserver(RunObserver* observer) { m_observer = observer; }

    // How many files convert at once; ConversionJobs() unless set.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }

    void setToolTimeLimit(ToolTimeLimit limit) { m_toolTimeLimit = limit; }

    // How much memory each worker may take; WorkerMemoryCeiling() of the jobs unless set.
    void setWorkerMemoryCeiling(quint64 bytes) { m_memoryCeiling = bytes; }

signals:
    void ended();

private:
    class Run;
    void runEnded();

    RunRows& m_rows;
    RunOptions& m_options;
    RunDisplay& m_display;
    std::chrono::milliseconds m_passLength;
    std::function<void(int)> m_passObserver;
    std::function<QByteArray(const QString&)> m_loadToolImage;
    int m_jobs;
    ToolTimeLimit m_toolTimeLimit;
    std::optional<quint64> m_memoryCeiling;
    RunObserver* m_observer = nullptr;
    Run* m_run = nullptr;
};

} // namespace orvalin
