#include "bench/conversion-run/MemorySampler.h"

#include "bench/conversion-run/BenchHelpers.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace orvalin::bench {

namespace {

// Reads "Key:   123 kB" lines of a /proc status file.
long statusKb(const std::string& status, const char* key)
{
    const std::size_t at = status.find(key);
    return at == std::string::npos
               ? 0
               : std::strtol(status.c_str() + at + std::strlen(key), nullptr, 10);
}

bool readSmallFile(const std::string& path, std::string& text)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    char buffer[4096];
    const ssize_t size = ::read(descriptor, buffer, sizeof buffer);
    ::close(descriptor);
    if (size <= 0)
        return false;
    text.assign(buffer, std::size_t(size));
    return true;
}

} // namespace

MemorySampler::MemorySampler(std::chrono::microseconds interval, const QString& folder)
    : m_interval(interval), m_folder(QFile::encodeName(folder).toStdString())
{
    std::string status;
    readSmallFile("/proc/self/status", status);
    m_peaks.selfBeforeKb = statusKb(status, "VmRSS:");
    m_ownName = nameIn(status);
    m_thread = std::thread([this] { sample(); });
}

MemorySampler::Peaks MemorySampler::stop()
{
    m_stop = true;
    m_thread.join();
    return m_peaks;
}

std::string MemorySampler::nameIn(const std::string& status)
{
    const std::size_t at = status.find("Name:");
    if (at == std::string::npos)
        return {};
    const std::size_t begin = status.find_first_not_of(" \t", at + 5);
    return status.substr(begin, status.find('\n', begin) - begin);
}

std::vector<std::string> MemorySampler::children() const
{
    std::vector<std::string> pids;
    DIR* tasks = ::opendir("/proc/self/task");
    if (!tasks)
        return pids;
    while (const dirent* task = ::readdir(tasks)) {
        if (task->d_name[0] == '.')
            continue;
        std::string list;
        if (!readSmallFile(std::string("/proc/self/task/") + task->d_name + "/children", list))
            continue;
        std::size_t at = 0;
        while ((at = list.find_first_of("0123456789", at)) != std::string::npos) {
            const std::size_t end = list.find_first_not_of("0123456789", at);
            pids.push_back(list.substr(at, end - at));
            at = end;
        }
    }
    ::closedir(tasks);
    return pids;
}

long MemorySampler::folderSize() const
{
    std::error_code error;
    std::uintmax_t bytes = 0;
    for (auto entry = std::filesystem::recursive_directory_iterator(m_folder, error);
         !error && entry != std::filesystem::recursive_directory_iterator();
         entry.increment(error)) {
        std::error_code sizeError;
        const std::uintmax_t size =
            entry->is_regular_file(sizeError) ? entry->file_size(sizeError) : 0;
        bytes += sizeError ? 0 : size;
    }
    return long(bytes / 1024);
}

void MemorySampler::sample()
{
    std::string status;
    while (!m_stop) {
        long resident = 0;
        int running = 0;
        for (const std::string& pid : children()) {
            // A child not yet past its exec is a copy of this program; an ended one that
            // has not been waited for holds nothing.
            if (!readSmallFile("/proc/" + pid + "/status", status) || nameIn(status) == m_ownName
                || status.find("State:\tZ") != std::string::npos)
                continue;
            resident += statusKb(status, "VmRSS:");
            ++running;
            m_peaks.largestChildKb = std::max(m_peaks.largestChildKb, statusKb(status, "VmHWM:"));
        }
        m_peaks.childrenKb = std::max(m_peaks.childrenKb, resident);
        m_peaks.mostChildren = std::max(m_peaks.mostChildren, running);
        if (!m_folder.empty() && m_peaks.samples % 10 == 0)
            m_peaks.folderKb = std::max(m_peaks.folderKb, folderSize());
        if (readSmallFile("/proc/self/status", status))
            m_peaks.selfKb = std::max(m_peaks.selfKb, statusKb(status, "VmRSS:"));
        ++m_peaks.samples;
        std::this_thread::sleep_for(m_interval);
    }
}

long PeakOf::operator()(const QStringList& command) const
{
    if (runProgramFor(QStringList{m_helper, m_record} + command) != 0)
        return 0;
    QFile record(m_record);
    return record.open(QIODevice::ReadOnly) ? record.readAll().trimmed().toLong() : 0;
}

} // namespace orvalin::bench
