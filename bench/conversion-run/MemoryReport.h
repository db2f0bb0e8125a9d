#pragma once

#include "bench/conversion-run/BenchHelpers.h"

#include <QString>
#include <QStringList>

namespace orvalin::bench {

// Untimed runs that measure peak resident memory, and their table: the worker's code on each
// file alone, the reference's on one and on `jobs` threads and the largest vips process's, all
// started through peak-memory and read from getrusage of the ended child; and the window's runs
// with one and with `jobs` jobs while a thread samples the window process and its workers in
// /proc. False, said on the standard error, when a window run did not convert every file.
bool reportMemory(const QStringList& files, int quality, int jobs, const QString& reference,
                  const QString& worker, Scratch& scratch);

} // namespace orvalin::bench
