#pragma once

#include "core/ChildProcess.h"
#include "core/ConverterWorker.h"
#include "core/Platform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace orvalin {

inline const QString NoFilesMessage = QStringLiteral("No files added.");
inline const QString NoOutputFolderMessage =
    QStringLiteral("Folder does not exist. Please select another folder.");
inline const QString DoneMessage = QStringLiteral("Done.");
inline const QString SkippedHeading =
    QStringLiteral("The following files were skipped because they are not in WebP format:");
inline const QString NotConvertedHeading =
    QStringLiteral("The following files could not be converted:");
inline const QString NotSavedHeading = QStringLiteral("The following files could not be saved:");

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
};

// What the run shows: the progress and the window's pointer.
class RunDisplay : public ProgressDisplay
{
public:
    virtual void setPointer(PointerKind kind) = 0;
};

// A line of the files that could not be converted: the file, then why in brackets.
QString NotConvertedLine(const QString& source, const QString& reason);

// The final message: "Done." alone, or followed by the files that were skipped (the worker found
// no WebP in them), those that could not be converted for another reason (lines made by
// NotConvertedLine) and those whose result could not be saved, each list under its heading, one
// file a line.
QString FinalMessage(const QStringList& skipped, const QStringList& notConverted,
                     const QStringList& notSaved);

// How many files a run converts at once: the number in ORVALIN_JOBS when it holds one of at
// least 1, otherwise the cores this program may use.
int ConversionJobs();

// "Start Converting": turns every listed file into a JPG with the carried converter worker, in
// a private working folder that goes when the run ends. Up to the set number of files convert
// at once, each by a worker of its own and into a folder of its own, the workers going on from
// file to file, while what the user sees follows the list order: the progress reaches row i
// when the run does, a row's result is saved at its turn with the options read then, and the
// lists of the final message keep the list's order. Everything runs on the thread that starts
// it.
class ConversionRun
{
public:
    ConversionRun(RunRows& rows, RunOptions& options, RunDisplay& display,
                  std::chrono::milliseconds passLength = std::chrono::milliseconds(100));
    ~ConversionRun();

    void start(const WindowContext& context);

    bool IsConverting() const { return m_isConverting; }

    // The window is closing: every worker is stopped, no further step runs, and the working
    // folder is removed at once, before the run has unwound.
    void abandon();

    ChildProcessRunner& runner() { return m_runner; }

    // Where the run takes the worker's image from: the executable's resources, unless a test
    // gives a worker of its own.
    void setToolImageLoader(std::function<QByteArray(const QString& resource)> loader);

    // How many files convert at once; ConversionJobs() unless set.
    void setJobs(int jobs) { m_jobs = std::max(1, jobs); }

    void setToolTimeLimit(ToolTimeLimit limit) { m_toolTimeLimit = limit; }

    // How much memory each worker may take; WorkerMemoryCeiling() of the jobs unless set.
    void setWorkerMemoryCeiling(quint64 bytes) { m_memoryCeiling = bytes; }

private:
    class Run;

    RunRows& m_rows;
    RunOptions& m_options;
    RunDisplay& m_display;
    ChildProcessRunner m_runner;
    std::function<QByteArray(const QString&)> m_loadToolImage;
    int m_jobs;
    ToolTimeLimit m_toolTimeLimit;
    std::optional<quint64> m_memoryCeiling;
    bool m_isConverting = false;
    Run* m_run = nullptr;
};

} // namespace orvalin
