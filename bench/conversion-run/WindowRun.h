#pragma once

#include "bench/conversion-run/BenchHelpers.h"
#include "bench/conversion-run/MemorySampler.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <map>

namespace orvalin::bench {

struct WindowRun
{
    Timing timing;
    int jpgs = 0;
    int passes = 0;
    QString message;
    MemorySampler::Peaks memory;
    std::map<QString, int> paints; // paint events per widget, when counted
};

struct WindowSetup
{
    int jobs = 1;
    bool shown = true;
    bool sampleMemory = false;
    std::chrono::milliseconds repaintInterval{0}; // above 0: repaints at most this often
    QString sampledFolder{}; // with sampleMemory: where the run makes its working folder
    bool countPaints = false;
};

// One whole run of the real window: set up (not timed), then the click on "Start Converting"
// and the event loop until the run has ended and its final message has been shown.
WindowRun runWindow(const QStringList& files, int quality, const QString& output, Scratch& scratch,
                    const WindowSetup& setup);

} // namespace orvalin::bench
