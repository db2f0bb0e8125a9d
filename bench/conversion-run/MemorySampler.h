#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace orvalin::bench {

// Samples, on a thread of its own, the resident memory of this process and of the programs it
// has started, found through /proc/self/task/*/children (VmRSS is what a process holds at the
// sample, VmHWM its peak so far), and, less often, the size of the files under a folder.
class MemorySampler
{
public:
    struct Peaks
    {
        long selfBeforeKb = 0;   // this process before the sampling began
        long selfKb = 0;         // this process at its largest during it
        long childrenKb = 0;     // the children's VmRSS, summed at one sample, at its largest
        long largestChildKb = 0; // the largest VmHWM of any one child
        int mostChildren = 0;    // the most children running at one sample
        long folderKb = 0;       // the files under the folder, at their largest
        long samples = 0;
    };

    MemorySampler(std::chrono::microseconds interval, const QString& folder);

    Peaks stop();

private:
    static std::string nameIn(const std::string& status);

    std::vector<std::string> children() const;

    // The files under the folder, in KiB; files that go while it counts are left out.
    long folderSize() const;

    void sample();

    std::chrono::microseconds m_interval;
    std::string m_folder;
    std::string m_ownName;
    Peaks m_peaks;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Peak resident memory of programs run to their end, in KiB, each started through peak-memory
// (the getrusage of a child started from this large process would count this process in).
class PeakOf
{
public:
    PeakOf(const QString& helper, const QString& record) : m_helper(helper), m_record(record) {}

    // 0 when the program failed.
    long operator()(const QStringList& command) const;

private:
    QString m_helper;
    QString m_record;
};

} // namespace orvalin::bench
