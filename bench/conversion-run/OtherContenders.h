#pragma once

// What the benchmark times besides the window: the reference, ImageMagick and libvips, and the
// pieces a window run is made of.

#include "bench/conversion-run/BenchHelpers.h"

#include <QString>
#include <QStringList>

namespace orvalin::bench {

// How the in-process reference converts: with its own code through RGB, with its own code
// from a lossy picture's planes where the worker takes them, or with the worker's code.
enum class ReferenceCode { Own, OwnFromPlanes, Worker };

Timing runReference(const QString& program, ReferenceCode code, int jobs, const QStringList& files,
                    int quality, const QString& output);

Timing runMogrify(const QStringList& files, int quality, const QString& folder);

Timing runVips(const QStringList& files, int quality, const QString& output);

// orvalin-convert over the files into the output folder, `jobs` files at once.
Timing runConsole(const QString& program, const QStringList& files, int quality,
                  const QString& output, int jobs);

// orvalin-convert as `shards` processes at once, each converting its --shard K/shards of the
// files one at a time, as machines sharing a tree would.
Timing runConsoleShards(const QString& program, const QStringList& files, int quality,
                        const QString& output, int shards);

// What a run does before its first file: load the carried worker and write it out.
Timing runToolWriting(const QString& work);

// The workers as a run uses them, without the window: `jobs` of them kept busy through the
// program's own client (a pipe each way, one request per file, the next one queued), started
// and ended within the time, each result left in the folder.
Timing runWorkers(const QString& program, const QStringList& files, int quality,
                  const QString& output, int jobs);

// What a run does after each file: the finished result put at its output name.
Timing runSaves(const QString& from, const QString& to);

} // namespace orvalin::bench
