// conversion-run: a whole run of the real window, timed against converting the same files in
// one process and against two other converters.
//
//   conversion-run --corpus DIR [--quality Q] [--rounds N] [--jobs N] [--breakdown]
//                  [--only TEXT] [--no-memory] [--paints]
//
// Every round times, on every *.webp file of DIR, in an order that moves on by one each round:
//   - the reference: in-process-convert, decoding with libwebp and encoding with libjpeg-turbo
//     inside one process, with the worker's settings, on one thread;
//   - the same on N threads (in-process-convert --jobs N), each thread taking the next file;
//   - the window: the real main window, shown on Qt's offscreen platform, its output folder set
//     to a fresh folder, "Start Converting" clicked, timed until the run's end.
//     Once converting N files at once, once one at a time. Every round checks that it made one
//     JPG per input and ended with "Done.";
//   - ImageMagick: one mogrify-im6.q16 over copies of the files (only mogrify is timed);
//   - libvips: one `vips copy IN OUT.jpg[Q=..]` per file;
//   - orvalin-convert over all the files with N jobs, and as two processes at once, each
//     converting its --shard K/2 with one job, as two machines sharing the tree would.
// N is --jobs, by default what a run uses (ConversionJobs(): ORVALIN_JOBS or the usable cores).
// The best round of each is reported as seconds and as a multiple of the reference, since the
// machine is shared and absolute times wander, together with the processor time it took (this
// process and its children, user and system) over its wall time: how many cores it kept busy;
// for the window's runs also the time of the window's own thread over the wall time.
// The last line is `ratio_to_reference=X` for the window converting N files at once.
//
// Every round's times follow the table, and how many rounds the window with N jobs won against
// ImageMagick and libvips.
//
// After the rounds, unless --no-memory, untimed runs measure peak resident memory: the worker's
// code on each file alone, the reference's on one and on N threads and the largest vips
// process's, all started through peak-memory and read from getrusage of the ended child; and the
// window's runs with one and with N jobs while a thread samples the window process and its
// workers in /proc.
//
// --paints counts, in one more untimed run of the shown window, the paint events of each of its
// widgets and its repaints as a whole.
//
// --breakdown adds the pieces a window run is made of, each timed alone in the same rounds: the
// worker's code run in one process (in-process-convert --worker-code), one worker and N workers
// fed through the program's own client with no window, the window run with the window never
// shown (so nothing is painted) and with its repaints held back to one per 50 ms, writing the
// carried worker out and saving finished JPG files into an output folder, as a run does.
// --only TEXT times the references, the windows and the pieces whose label holds TEXT.

#include "bench/conversion-run/BenchHelpers.h"
#include "bench/conversion-run/MemoryReport.h"
#include "bench/conversion-run/OtherContenders.h"
#include "bench/conversion-run/WindowRun.h"
#include "core/ConversionRun.h"
#include "core/ToolImages.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace orvalin;
using namespace orvalin::bench;

struct Options
{
    QStringList files; // every *.webp file of the corpus
    int quality = 85;
    int rounds = 3;
    int jobs = 1;
    QString reference;
    QString worker;  // the worker program in the tools folder
    QString console; // orvalin-convert, beside it
    bool breakdown = false;
    bool memory = true;
    bool countPaints = false;
    // For a closer look at some contenders: the reference, the window and those whose label
    // holds this text.
    QString only;
};

void printUsage()
{
    std::fputs("Usage: conversion-run --corpus DIR [--quality Q] [--rounds N] [--jobs N] "
               "[--breakdown]\n"
               "                      [--only TEXT] [--no-memory] [--tools DIR] [--reference "
               "PROGRAM]\n",
               stderr);
}

QStringList webpFilesIn(const QString& folder)
{
    QStringList files;
    for (const QString& name :
         QDir(folder).entryList({QStringLiteral("*.webp")}, QDir::Files, QDir::Name))
        files << QDir(folder).absoluteFilePath(name);
    return files;
}

// The options of the command line, or nothing, said on the standard error, when they name no
// folder of WebP files or a quality out of range.
std::optional<Options> readOptions(const QStringList& arguments)
{
    Options options;
    const QString corpus = option(arguments, QStringLiteral("--corpus"), QString());
    options.quality = option(arguments, QStringLiteral("--quality"), QStringLiteral("85")).toInt();
    options.rounds =
        std::max(1, option(arguments, QStringLiteral("--rounds"), QStringLiteral("3")).toInt());
    options.jobs = std::max(
        1, option(arguments, QStringLiteral("--jobs"), QString::number(ConversionJobs())).toInt());
    const QString toolsFolder =
        option(arguments, QStringLiteral("--tools"), QStringLiteral(ORVALIN_TOOLS_DIR));
    options.reference =
        option(arguments, QStringLiteral("--reference"), QStringLiteral(ORVALIN_REFERENCE));
    options.breakdown = arguments.contains(QStringLiteral("--breakdown"));
    options.memory = !arguments.contains(QStringLiteral("--no-memory"));
    options.countPaints = arguments.contains(QStringLiteral("--paints"));
    options.only = option(arguments, QStringLiteral("--only"), QString());
    if (corpus.isEmpty() || !QFileInfo(corpus).isDir() || options.quality < 1
        || options.quality > 100) {
        printUsage();
        return std::nullopt;
    }
    options.files = webpFilesIn(corpus);
    if (options.files.isEmpty()) {
        std::fprintf(stderr, "conversion-run: no .webp files in %s\n", qPrintable(corpus));
        return std::nullopt;
    }
    options.worker = toolsFolder + QLatin1Char('/') + WorkerFileName;
    options.console = toolsFolder + QStringLiteral("/orvalin-convert");
    return options;
}

// Times one contender converting every file into the folder.
using Run = std::function<Timing(const QString& folder)>;

struct Contender
{
    Contender(std::string label, Run run) : label(std::move(label)), run(std::move(run)) {}
    std::string label;
    Run run;
    Timing best;
    std::vector<double> rounds;
};

// The first ones are always timed, in this order; the ratios below find them here.
enum {
    Reference,
    ReferenceJobs,
    ReferencePlanes,
    ReferencePlanesJobs,
    Window,
    WindowOneJob,
    Mogrify,
    Vips,
    Console,
    ConsoleShards,
    MainCount
};
// The pieces of a window run, in the order addPieces adds them.
enum { WorkerCode = MainCount, OneWorker, Workers, Hidden, HiddenOneJob, Sparse, Writing, Saving };

// What the window's runs with N jobs leave for the report: the fastest that made every file,
// and the most wait passes of any.
struct WindowRecord
{
    WindowRun best;
    int worstPasses = 0;
};

Run referenceRun(const Options& options, ReferenceCode code, int jobs)
{
    return [&options, code, jobs](const QString& out) {
        return runReference(options.reference, code, jobs, options.files, options.quality, out);
    };
}

Run workersRun(const Options& options, int jobs)
{
    return [&options, jobs](const QString& out) {
        return runWorkers(options.worker, options.files, options.quality, out, jobs);
    };
}

// A whole run of the shown window with `windowJobs` jobs; those with N jobs are recorded.
Run shownWindowRun(const Options& options, Scratch& scratch, WindowRecord& record, int windowJobs)
{
    return [&options, &scratch, &record, windowJobs](const QString& out) {
        WindowRun run =
            runWindow(options.files, options.quality, out, scratch, {.jobs = windowJobs});
        if (!run.timing.ok)
            std::fprintf(stderr,
                         "conversion-run: the window made %d JPG files of %lld; its message: %s\n",
                         run.jpgs, qlonglong(options.files.size()), qPrintable(run.message));
        if (windowJobs == options.jobs) {
            if (run.timing.ok
                && (record.best.passes == 0 || run.timing.seconds < record.best.timing.seconds))
                record.best = run;
            record.worstPasses = std::max(record.worstPasses, run.passes);
        }
        return run.timing;
    };
}

// A whole run of the window set up otherwise, as a piece of the shown one.
Run windowPieceRun(const Options& options, Scratch& scratch, const WindowSetup& setup)
{
    return [&options, &scratch, setup](const QString& out) {
        return runWindow(options.files, options.quality, out, scratch, setup).timing;
    };
}

// The contenders timed in every run, in the order of the first enum.
std::vector<Contender> mainContenders(const Options& options, Scratch& scratch,
                                      WindowRecord& record)
{
    const std::string n = std::to_string(options.jobs);
    return {
        {"in one process (reference)", referenceRun(options, ReferenceCode::Own, 1)},
        {"in one process, " + n + " threads",
         referenceRun(options, ReferenceCode::Own, options.jobs)},
        {"in one process, from the planes", referenceRun(options, ReferenceCode::OwnFromPlanes, 1)},
        {"in one process, from the planes, " + n + " threads",
         referenceRun(options, ReferenceCode::OwnFromPlanes, options.jobs)},
        {"the window, " + n + " jobs (Start Converting)",
         shownWindowRun(options, scratch, record, options.jobs)},
        {"the window, 1 job", shownWindowRun(options, scratch, record, 1)},
        {"ImageMagick mogrify, one process",
         [&options](const QString& out) {
             return runMogrify(options.files, options.quality, out);
         }},
        {"libvips, vips copy per file",
         [&options](const QString& out) { return runVips(options.files, options.quality, out); }},
        {"orvalin-convert, " + n + " jobs",
         [&options](const QString& out) {
             return runConsole(options.console, options.files, options.quality, out, options.jobs);
         }},
        {"orvalin-convert, 2 shards of 1 job at once",
         [&options](const QString& out) {
             return runConsoleShards(options.console, options.files, options.quality, out, 2);
         }},
    };
}

// The pieces of a window run, each timed alone, after the main contenders.
void addPieces(std::vector<Contender>& contenders, const Options& options, Scratch& scratch)
{
    const std::string n = std::to_string(options.jobs);
    const int jobs = options.jobs;
    contenders.push_back(
        {"in one process, the worker's code", referenceRun(options, ReferenceCode::Worker, 1)});
    contenders.push_back({"one worker through its pipes, no window", workersRun(options, 1)});
    contenders.push_back(
        {n + " workers through their pipes, no window", workersRun(options, jobs)});
    contenders.push_back({"the window never shown, " + n + " jobs",
                          windowPieceRun(options, scratch, {.jobs = jobs, .shown = false})});
    contenders.push_back({"the window never shown, 1 job",
                          windowPieceRun(options, scratch, {.jobs = 1, .shown = false})});
    contenders.push_back(
        {"the window, " + n + " jobs, repainted every 50 ms",
         windowPieceRun(options, scratch,
                        {.jobs = jobs, .repaintInterval = std::chrono::milliseconds(50)})});
    contenders.push_back(
        {"writing the carried worker", [](const QString& out) { return runToolWriting(out); }});
    contenders.push_back(
        {"saving the results (SaveResultAs)", [&options, &scratch](const QString& out) {
             const QString from = scratch.fresh(QStringLiteral("made"));
             if (!referenceRun(options, ReferenceCode::Own, 1)(from).ok)
                 return Timing{};
             return runSaves(from, out);
         }});
}

// The contenders the rounds time: the first ones always (with --only, the references and the
// windows), the pieces with --breakdown, or with --only those whose label holds its text.
std::vector<bool> timedOnes(const std::vector<Contender>& contenders, const Options& options)
{
    std::vector<bool> timed(contenders.size(), options.breakdown && options.only.isEmpty());
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        const bool named = !options.only.isEmpty()
                           && QString::fromStdString(contenders[i].label).contains(options.only);
        if (i < MainCount)
            timed[i] = options.only.isEmpty() || i <= WindowOneJob || named;
        else if (!options.only.isEmpty())
            timed[i] = named;
    }
    return timed;
}

// Times the contenders, every round in an order that moves on by one, each into a fresh folder;
// false, said on the standard error, when one did not convert every file.
bool timeRounds(std::vector<Contender>& contenders, const std::vector<bool>& timed, int rounds,
                Scratch& scratch)
{
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < contenders.size(); ++i)
        if (timed[i])
            order.push_back(i);
    const int count = int(order.size());
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            Contender& contender = contenders[order[std::size_t((round + k) % count)]];
            const QString out = scratch.fresh(QStringLiteral("out"));
            const double cpuBefore = cpuSecondsSoFar();
            Timing timing = contender.run(out);
            timing.cpuSeconds = cpuSecondsSoFar() - cpuBefore;
            QDir(out).removeRecursively();
            if (!timing.ok) {
                std::fprintf(stderr, "conversion-run: \"%s\" did not convert every file\n",
                             contender.label.c_str());
                return false;
            }
            if (round == 0 || timing.seconds < contender.best.seconds)
                contender.best = timing;
            contender.rounds.push_back(timing.seconds);
        }
    }
    return true;
}

double bestSeconds(const std::vector<Contender>& contenders, int i)
{
    return contenders[std::size_t(i)].best.seconds;
}

void printTable(const std::vector<Contender>& contenders, const std::vector<bool>& timed,
                const Options& options, const WindowRecord& window)
{
    const qsizetype files = options.files.size();
    const double base = bestSeconds(contenders, Reference);
    std::printf("%lld files, %.1f MP, quality %d, %d jobs, best of %d rounds, interleaved\n",
                qlonglong(files), megapixels(options.files), options.quality, options.jobs,
                options.rounds);
    std::printf("the window made %d JPG files for %lld inputs (%s); final message \"%s\"\n\n",
                window.best.jpgs, qlonglong(files),
                window.best.jpgs == files ? "one for each" : "MISSING SOME",
                qPrintable(window.best.message));
    std::printf("| %-44s | %8s | %6s | %10s | %11s |\n", "", "seconds", "ratio", "cores busy",
                "main thread");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(10, '-').c_str(),
                std::string(8, '-').c_str(), std::string(12, '-').c_str(),
                std::string(13, '-').c_str());
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        if (!timed[i])
            continue;
        if (i == MainCount)
            std::printf("| %-44s | %8s | %6s | %10s | %11s |\n", "pieces of a window run:", "", "",
                        "", "");
        const Timing& best = contenders[i].best;
        // Too short a time says nothing about the cores it kept busy.
        const auto share = [&](double cpu) {
            return best.seconds < 0.01 || cpu < 0
                       ? std::string()
                       : QString::number(cpu / best.seconds, 'f', 2).toStdString();
        };
        std::printf("| %-44s | %8.3f | %6.2f | %10s | %11s |\n", contenders[i].label.c_str(),
                    best.seconds, best.seconds / base, share(best.cpuSeconds).c_str(),
                    share(best.mainThreadSeconds).c_str());
    }
}

void printRounds(const std::vector<Contender>& contenders, const std::vector<bool>& timed)
{
    std::printf("\nevery round, in seconds:\n");
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        if (!timed[i] || i >= MainCount)
            continue;
        std::printf("  %-44s", contenders[i].label.c_str());
        for (const double time : contenders[i].rounds)
            std::printf(" %7.3f", time);
        std::printf("\n");
    }
}

// The window with N jobs against its other runs and against the other converters, round by
// round, and its wait passes.
void printComparisons(const std::vector<Contender>& contenders, const std::vector<bool>& timed,
                      const Options& options, const WindowRecord& window)
{
    const int jobs = options.jobs;
    const int rounds = options.rounds;
    const auto seconds = [&](int i) { return bestSeconds(contenders, i); };
    std::printf("\nthe window with %d jobs against 1 job: %.2f; against the reference on %d "
                "threads: %.2f, from the planes: %.2f\n",
                jobs, seconds(Window) / seconds(WindowOneJob), jobs,
                seconds(Window) / seconds(ReferenceJobs),
                seconds(Window) / seconds(ReferencePlanesJobs));
    if (timed[Mogrify] && timed[Vips]) {
        int beatMogrify = 0, beatVips = 0;
        for (int round = 0; round < rounds; ++round) {
            const double time = contenders[Window].rounds[std::size_t(round)];
            beatMogrify += time < contenders[Mogrify].rounds[std::size_t(round)] ? 1 : 0;
            beatVips += time < contenders[Vips].rounds[std::size_t(round)] ? 1 : 0;
        }
        std::printf("rounds in which the window (%d jobs) was faster than mogrify: %d of %d; than "
                    "libvips: %d of %d\n",
                    jobs, beatMogrify, rounds, beatVips, rounds);
    }
    if (timed[Console] && timed[ConsoleShards])
        std::printf("orvalin-convert with %d jobs against the window with %d jobs: %.3f; its 2 "
                    "shards of 1 job against it: %.3f\n",
                    jobs, jobs, seconds(Console) / seconds(Window),
                    seconds(ConsoleShards) / seconds(Console));
    std::printf("wait passes of the window run: %d for %lld files (at most %d in any round)\n",
                window.best.passes, qlonglong(options.files.size()), window.worstPasses);
}

// Where the window run's time goes beyond the reference, from the pieces' best times.
void printBreakdown(const std::vector<Contender>& contenders, int jobs)
{
    const double base = bestSeconds(contenders, Reference);
    const auto seconds = [&](int i) { return bestSeconds(contenders, i); };
    auto share = [&](const char* what, double time) {
        std::printf("  %-54s %+7.3f s  %+6.1f%% of the reference\n", what, time, 100 * time / base);
    };
    std::printf("\none file at a time, where the window run's time goes beyond the reference:\n");
    share("the worker's code (reading, writing under a temporary name)",
          seconds(WorkerCode) - base);
    share("the worker's process, pipes and requests", seconds(OneWorker) - seconds(WorkerCode));
    share("the run's own steps, events and saving, not hidden behind the worker",
          seconds(HiddenOneJob) - seconds(OneWorker));
    share("painting the shown window", seconds(WindowOneJob) - seconds(HiddenOneJob));
    std::printf("done on the window's thread while the workers convert, each timed alone:\n");
    share("writing the carried worker at the start", seconds(Writing));
    share("saving the results into the output folder", seconds(Saving));
    std::printf("%d files at once, beyond the reference on %d threads:\n", jobs, jobs);
    share("the workers, their pipes and requests", seconds(Workers) - seconds(ReferenceJobs));
    share("events, saving and the run's own steps", seconds(Hidden) - seconds(Workers));
    share("painting the shown window", seconds(Window) - seconds(Hidden));
    share("  of which saved by repainting at most every 50 ms", seconds(Window) - seconds(Sparse));
}

// Untimed: what the shown window paints during one run.
void printPaints(const Options& options, Scratch& scratch)
{
    const QString out = scratch.fresh(QStringLiteral("out"));
    const WindowRun run = runWindow(options.files, options.quality, out, scratch,
                                    {.jobs = options.jobs, .countPaints = true});
    std::printf("\npaint events per widget during one run of the shown window, %d jobs:\n",
                options.jobs);
    for (const auto& [widget, count] : run.paints)
        std::printf("  %-50s %6d\n", qPrintable(widget), count);
}

void printRatios(const std::vector<Contender>& contenders)
{
    const double base = bestSeconds(contenders, Reference);
    std::printf("ratio_one_job=%.2f\n", bestSeconds(contenders, WindowOneJob) / base);
    std::printf("ratio_to_reference=%.2f\n", bestSeconds(contenders, Window) / base);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::optional<Options> options = readOptions(QCoreApplication::arguments());
    if (!options)
        return 2;

    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/orvalin-conversion-run-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "conversion-run: %s\n", qPrintable(root.errorString()));
        return 1;
    }
    Scratch scratch(root.path());
    WindowRecord window;
    std::vector<Contender> contenders = mainContenders(*options, scratch, window);
    addPieces(contenders, *options, scratch);
    const std::vector<bool> timed = timedOnes(contenders, *options);
    if (!timeRounds(contenders, timed, options->rounds, scratch))
        return 1;

    printTable(contenders, timed, *options, window);
    printRounds(contenders, timed);
    printComparisons(contenders, timed, *options, window);
    if (options->breakdown && options->only.isEmpty())
        printBreakdown(contenders, options->jobs);
    if (options->countPaints)
        printPaints(*options, scratch);
    if (options->memory
        && !reportMemory(options->files, options->quality, options->jobs, options->reference,
                         options->worker, scratch))
        return 1;
    printRatios(contenders);
    return 0;
}
