#include "bench/conversion-run/OtherContenders.h"

#include "core/ConverterWorker.h"
#include "core/SaveResult.h"
#include "core/ToolImages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <QTimer>
#include <vector>

#include <functional>

namespace orvalin::bench {

namespace {

// Times one program run and checks that it left one JPG per input in the folder.
Timing timeProgram(const QStringList& arguments, const QString& folder, qsizetype expected)
{
    QElapsedTimer timer;
    timer.start();
    Timing timing;
    timing.ok = runProgram(arguments);
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(folder) == expected;
    return timing;
}

} // namespace

Timing runReference(const QString& program, ReferenceCode code, int jobs, const QStringList& files,
                    int quality, const QString& output)
{
    QStringList arguments{program};
    if (code == ReferenceCode::Worker)
        arguments << QStringLiteral("--worker-code");
    if (code == ReferenceCode::OwnFromPlanes)
        arguments << QStringLiteral("--yuv");
    if (jobs > 1)
        arguments << QStringLiteral("--jobs") << QString::number(jobs);
    arguments << QString::number(quality) << output << files;
    return timeProgram(arguments, output, files.size());
}

Timing runMogrify(const QStringList& files, int quality, const QString& folder)
{
    QStringList arguments{QStringLiteral("mogrify-im6.q16"), QStringLiteral("-format"),
                          QStringLiteral("jpg"), QStringLiteral("-quality"),
                          QString::number(quality)};
    for (const QString& file : files) {
        const QString copy = folder + QLatin1Char('/') + QFileInfo(file).fileName();
        if (!QFile::copy(file, copy))
            return {};
        arguments << copy;
    }
    return timeProgram(arguments, folder, files.size());
}

namespace {

QStringList consoleArguments(const QString& program, int quality, const QString& output, int jobs)
{
    return {program,
            QStringLiteral("--quiet"),
            QStringLiteral("--quality"),
            QString::number(quality),
            QStringLiteral("--jobs"),
            QString::number(jobs),
            QStringLiteral("--output"),
            output};
}

} // namespace

Timing runConsole(const QString& program, const QStringList& files, int quality,
                  const QString& output, int jobs)
{
    return timeProgram(consoleArguments(program, quality, output, jobs)
                           << QStringLiteral("--") << files,
                       output, files.size());
}

Timing runConsoleShards(const QString& program, const QStringList& files, int quality,
                        const QString& output, int shards)
{
    QElapsedTimer timer;
    timer.start();
    std::vector<int> started;
    for (int shard = 1; shard <= shards; ++shard)
        started.push_back(startProgram(consoleArguments(program, quality, output, 1)
                                       << QStringLiteral("--shard")
                                       << QStringLiteral("%1/%2").arg(shard).arg(shards)
                                       << QStringLiteral("--") << files));
    Timing timing{0, 0, true};
    for (const int pid : started)
        timing.ok = waitForProgram(pid) == 0 && timing.ok;
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(output) == files.size();
    return timing;
}

Timing runVips(const QStringList& files, int quality, const QString& output)
{
    const QString options = QStringLiteral(".jpg[Q=%1]").arg(quality);
    QElapsedTimer timer;
    timer.start();
    Timing timing{0, 0, true};
    for (const QString& file : files) {
        if (!runProgram({QStringLiteral("vips"), QStringLiteral("copy"), file,
                         output + QLatin1Char('/') + stemOf(file) + options})) {
            timing.ok = false;
            break;
        }
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(output) == files.size();
    return timing;
}

Timing runToolWriting(const QString& work)
{
    QElapsedTimer timer;
    timer.start();
    const QString worker = work + QLatin1Char('/') + WorkerFileName;
    WriteBytesIfAbsent(LoadToolImage(WorkerImageFor(GetAddressWidth())), worker);
    return {secondsOf(timer), 0, QFileInfo(worker).isExecutable()};
}

Timing runWorkers(const QString& program, const QStringList& files, int quality,
                  const QString& output, int jobs)
{
    QElapsedTimer timer;
    timer.start();
    Timing timing{0, 0, true};
    {
        WorkerPool pool(program, jobs);
        QEventLoop loop;
        qsizetype next = 0;
        int busy = 0;
        // As a run does: each worker gets its next file once it is encoding its last one.
        std::function<void()> giveMore = [&] {
            while (next < files.size()) {
                ConverterWorker* worker = pool.take();
                if (!worker)
                    break;
                const QString& file = files.at(next++);
                if (!worker->started()) {
                    timing.ok = false;
                    continue;
                }
                ++busy;
                worker->convert(file,
                                output + QLatin1Char('/') + stemOf(file) + QStringLiteral(".jpg"),
                                {quality}, ToolTimeLimit{},
                                {[&](quint64) { QTimer::singleShot(0, &loop, giveMore); },
                                 [&](WorkerOutcome outcome, const QString&) {
                                     timing.ok = timing.ok && outcome == WorkerOutcome::Converted;
                                     --busy;
                                     QTimer::singleShot(0, &loop, giveMore);
                                 }});
            }
            if (busy == 0 && next >= files.size())
                loop.quit();
        };
        QTimer::singleShot(0, &loop, giveMore);
        loop.exec();
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(output) == files.size();
    return timing;
}

Timing runSaves(const QString& from, const QString& to)
{
    const QStringList jpgs = QDir(from).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    QElapsedTimer timer;
    timer.start();
    Timing timing{0, 0, true};
    for (const QString& name : jpgs) {
        try {
            SaveResultAs(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name);
        } catch (...) {
            timing.ok = false;
        }
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(to) == jpgs.size();
    return timing;
}

} // namespace orvalin::bench
