#include "bench/conversion-run/MemoryReport.h"

#include "bench/conversion-run/MemorySampler.h"
#include "bench/conversion-run/WindowRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>

namespace orvalin::bench {

namespace {

double megabytes(long kb)
{
    return double(kb) / 1024.0;
}

// The file whose conversion needs the most memory, with that peak: the worker's code converting
// each file alone in one process.
struct OneFile
{
    QString file;
    long peakKb = 0;
};

OneFile largestOneFile(const PeakOf& peakOf, const QString& reference, const QStringList& files,
                       int quality, const QString& work)
{
    OneFile largest;
    for (const QString& file : files) {
        const long kb = peakOf(
            {reference, QStringLiteral("--worker-code"), QString::number(quality), work, file});
        QFile::remove(work + QLatin1Char('/') + stemOf(file) + QStringLiteral(".jpg"));
        if (kb == 0)
            qFatal("the worker's code did not convert %s", qPrintable(file));
        if (kb > largest.peakKb)
            largest = {file, kb};
    }
    return largest;
}

// What the untimed runs measured, in KiB.
struct MemoryFigures
{
    OneFile largest;
    std::array<int, 2> windowJobs{};              // the window's runs: one job, then N
    std::array<MemorySampler::Peaks, 2> window{}; // their peaks, in the same order
    long toolsKb = 0;                             // the carried worker's file
    long referenceKb = 0;
    long referenceJobsKb = 0;
    long vipsKb = 0; // the largest vips copy
};

// The window's runs with figures.windowJobs, sampled; false when one did not convert every file.
bool sampleWindows(const QStringList& files, int quality, Scratch& scratch, MemoryFigures& figures)
{
    // The run makes its working folder in TEMP: here one the sampler can measure.
    const QByteArray temp = qgetenv("TEMP");
    const bool hadTemp = qEnvironmentVariableIsSet("TEMP");
    for (std::size_t k = 0; k < 2; ++k) {
        const QString out = scratch.fresh(QStringLiteral("out"));
        const QString runTemp = scratch.fresh(QStringLiteral("temp"));
        qputenv("TEMP", QFile::encodeName(runTemp));
        const WindowRun run = runWindow(
            files, quality, out, scratch,
            {.jobs = figures.windowJobs[k], .sampleMemory = true, .sampledFolder = runTemp});
        QDir(out).removeRecursively();
        if (!run.timing.ok) {
            std::fprintf(stderr, "conversion-run: the window did not convert every file\n");
            return false;
        }
        figures.window[k] = run.memory;
    }
    if (hadTemp)
        qputenv("TEMP", temp);
    else
        qunsetenv("TEMP");
    return true;
}

// The reference on one and on `jobs` threads, and the largest vips process.
void measurePrograms(const PeakOf& peakOf, const QString& reference, const QStringList& files,
                     int quality, int jobs, Scratch& scratch, MemoryFigures& figures)
{
    // A program that writes into a fresh folder, named by its commandFor(folder).
    const auto convertedBy = [&](const std::function<QStringList(const QString& out)>& commandFor) {
        const QString out = scratch.fresh(QStringLiteral("out"));
        const long kb = peakOf(commandFor(out));
        QDir(out).removeRecursively();
        return kb;
    };
    const auto referenceOn = [&](int threads) {
        return convertedBy([&](const QString& out) {
            return QStringList{reference, QStringLiteral("--jobs"), QString::number(threads),
                               QString::number(quality), out}
                   + files;
        });
    };
    figures.referenceKb = referenceOn(1);
    figures.referenceJobsKb = referenceOn(jobs);
    for (const QString& file : files) {
        const long kb = convertedBy([&](const QString& out) {
            return QStringList{
                QStringLiteral("vips"), QStringLiteral("copy"), file,
                out + QStringLiteral("/%1.jpg[Q=%2]").arg(stemOf(file)).arg(quality)};
        });
        figures.vipsKb = std::max(figures.vipsKb, kb);
    }
}

void memoryRow(const std::string& what, long kb, long oneFileKb)
{
    std::printf("| %-58s | %7.1f | %8.2f |\n", what.c_str(), megabytes(kb),
                double(kb) / double(oneFileKb));
}

void printMemoryTable(const MemoryFigures& figures, int jobs)
{
    const long one = figures.largest.peakKb;
    const ImageSize size = sizeOf(figures.largest.file);
    std::printf(
        "\npeak resident memory, in untimed runs after the rounds: programs through "
        "peak-memory\n"
        "(getrusage of the ended child), the window's workers sampled in /proc every 0.5 ms\n"
        "(VmRSS summed over the workers running at one sample; VmHWM for the largest);\n"
        "one file: the one whose conversion needs most, %s (%dx%d)\n\n",
        qPrintable(QFileInfo(figures.largest.file).fileName()), size.width, size.height);
    std::printf("| %-58s | %7s | %8s |\n", "", "MB", "one file");
    std::printf("|%s|%s|%s|\n", std::string(60, '-').c_str(), std::string(9, '-').c_str(),
                std::string(10, '-').c_str());
    memoryRow("one file: the worker's code converting it alone", one, one);
    const auto windowRun = [&](std::size_t k) {
        return "the window, " + std::to_string(figures.windowJobs[k]) + (k == 0 ? " job" : " jobs");
    };
    for (std::size_t k = 0; k < 2; ++k) {
        const std::string run = windowRun(k);
        const MemorySampler::Peaks& peaks = figures.window[k];
        memoryRow(run + ": its workers, " + std::to_string(peaks.mostChildren) + " at most at once",
                  peaks.childrenKb, one);
        memoryRow(run + ": the largest worker", peaks.largestChildKb, one);
        memoryRow(run + ": the window process, growth in the run",
                  peaks.selfKb - peaks.selfBeforeKb, one);
    }
    for (std::size_t k = 0; k < 2; ++k)
        memoryRow(windowRun(k) + ": its working folder's files, at most",
                  figures.window[k].folderKb, one);
    memoryRow("  of which the carried worker", figures.toolsKb, one);
    memoryRow("the window process before a run", figures.window[0].selfBeforeKb, one);
    memoryRow("in one process (reference)", figures.referenceKb, one);
    memoryRow("in one process, " + std::to_string(jobs) + " threads", figures.referenceJobsKb, one);
    memoryRow("libvips, the largest vips copy", figures.vipsKb, one);
}

void printMemoryRatios(const MemoryFigures& figures, int jobs)
{
    const MemorySampler::Peaks& oneJob = figures.window[0];
    const MemorySampler::Peaks& manyJobs = figures.window[1];
    std::printf("\nthe window's workers with %d jobs against one file's conversion: %.2f (goal: "
                "at most %d), against\n"
                "the largest worker of the same run, sampled the same way: %.2f; the whole run "
                "(window process\n"
                "and workers) with %d jobs against 1 job: %.2f\n",
                jobs, double(manyJobs.childrenKb) / double(figures.largest.peakKb), jobs,
                double(manyJobs.childrenKb) / double(std::max(1L, manyJobs.largestChildKb)), jobs,
                double(manyJobs.selfKb + manyJobs.childrenKb)
                    / double(oneJob.selfKb + oneJob.childrenKb));
}

} // namespace

bool reportMemory(const QStringList& files, int quality, int jobs, const QString& reference,
                  const QString& worker, Scratch& scratch)
{
    const QString work = scratch.fresh(QStringLiteral("memory"));
    const PeakOf peakOf(QStringLiteral(ORVALIN_PEAK_MEMORY), work + QStringLiteral("/peak"));
    MemoryFigures figures;
    figures.largest = largestOneFile(peakOf, reference, files, quality, work);
    figures.toolsKb = long(QFileInfo(worker).size() / 1024);
    figures.windowJobs = {1, jobs};
    if (!sampleWindows(files, quality, scratch, figures))
        return false;
    measurePrograms(peakOf, reference, files, quality, jobs, scratch, figures);
    printMemoryTable(figures, jobs);
    printMemoryRatios(figures, jobs);
    return true;
}

} // namespace orvalin::bench
