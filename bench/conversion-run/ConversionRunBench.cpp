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
//   - libvips: one `vips copy IN OUT.jpg[Q=..]` per file.
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

#include "app/Form1.h"
#include "core/ConversionRun.h"
#include "core/ConverterWorker.h"
#include "core/Platform.h"
#include "core/SaveResult.h"
#include "core/Settings.h"
#include "core/ToolImages.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include <webp/decode.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace orvalin;

struct Timing
{
    double seconds = 0;
    double cpuSeconds = 0; // user and system time of this process and its children
    bool ok = false;
    double mainThreadSeconds = -1; // the window's thread alone, for a window run
};

double secondsOf(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

double cpuSecondsOf(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double cpuSecondsSoFar()
{
    return cpuSecondsOf(RUSAGE_SELF) + cpuSecondsOf(RUSAGE_CHILDREN);
}

// Runs a program to its end with its standard output (and, when asked, its errors) discarded.
// Returns its exit code, or -1 when it could not start or did not exit.
int runProgramFor(const QStringList& arguments, bool quiet = false)
{
    std::vector<QByteArray> encoded;
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        std::fprintf(stderr, "conversion-run: cannot start %s: %s\n", argv[0],
                     std::strerror(started));
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The same, true when the program exits with 0.
bool runProgram(const QStringList& arguments)
{
    if (runProgramFor(arguments) == 0)
        return true;
    std::fprintf(stderr, "conversion-run: failed: %s %s\n", qPrintable(arguments.value(0)),
                 qPrintable(arguments.value(1)));
    return false;
}

QString stemOf(const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    return name.endsWith(QLatin1String(".webp")) ? name.chopped(5) : name;
}

int countJpgs(const QString& folder)
{
    return int(QDir(folder).entryList({QStringLiteral("*.jpg")}, QDir::Files).size());
}

// A fresh, empty folder under the benchmark's own temporary folder.
class Scratch
{
public:
    explicit Scratch(const QString& root) : m_root(root) {}

    QString fresh(const QString& what)
    {
        const QString path = m_root + QStringLiteral("/%1-%2").arg(what).arg(++m_count);
        QDir().mkpath(path);
        return path;
    }

private:
    QString m_root;
    int m_count = 0;
};

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

    MemorySampler(std::chrono::microseconds interval, const QString& folder)
        : m_interval(interval), m_folder(QFile::encodeName(folder).toStdString())
    {
        std::string status;
        readSmallFile("/proc/self/status", status);
        m_peaks.selfBeforeKb = statusKb(status, "VmRSS:");
        m_ownName = nameIn(status);
        m_thread = std::thread([this] { sample(); });
    }

    Peaks stop()
    {
        m_stop = true;
        m_thread.join();
        return m_peaks;
    }

private:
    static std::string nameIn(const std::string& status)
    {
        const std::size_t at = status.find("Name:");
        if (at == std::string::npos)
            return {};
        const std::size_t begin = status.find_first_not_of(" \t", at + 5);
        return status.substr(begin, status.find('\n', begin) - begin);
    }

    std::vector<std::string> children() const
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

    // The files under the folder, in KiB; files that go while it counts are left out.
    long folderSize() const
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

    void sample()
    {
        std::string status;
        while (!m_stop) {
            long resident = 0;
            int running = 0;
            for (const std::string& pid : children()) {
                // A child not yet past its exec is a copy of this program; an ended one that
                // has not been waited for holds nothing.
                if (!readSmallFile("/proc/" + pid + "/status", status)
                    || nameIn(status) == m_ownName || status.find("State:\tZ") != std::string::npos)
                    continue;
                resident += statusKb(status, "VmRSS:");
                ++running;
                m_peaks.largestChildKb =
                    std::max(m_peaks.largestChildKb, statusKb(status, "VmHWM:"));
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

    std::chrono::microseconds m_interval;
    std::string m_folder;
    std::string m_ownName;
    Peaks m_peaks;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Message boxes that never block: each is kept, and answered with its first button.
class KeptMessages : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const MessageRequest& request) override
    {
        shown.append(request.text);
        return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    QStringList shown;
};

class NoFileDialogs : public FileDialogs
{
public:
    QStringList openFiles(QWidget*, const OpenFilesRequest&) override { return {}; }
    QString pickFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

class NoShell : public Shell
{
public:
    bool openFolder(const QString&) override { return false; }
};

template <typename Control>
Control& controlOf(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (!found)
        qFatal("the window has no control %s", name);
    return *found;
}

struct WindowRun
{
    Timing timing;
    int jpgs = 0;
    int passes = 0;
    QString message;
    MemorySampler::Peaks memory;
    std::map<QString, int> paints; // paint events per widget, when counted
};

// Counts the paint events each widget of the application receives, by its object name (or its
// class when it has none), and the window's repaints as a whole (its update requests).
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(std::map<QString, int>& counts) : m_counts(counts)
    {
        qApp->installEventFilter(this);
    }
    ~PaintCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_counts[nameOf(watched)];
        else if (event->type() == QEvent::UpdateRequest)
            ++m_counts[QStringLiteral("(repaints of the window)")];
        return false;
    }

private:
    static QString nameOf(const QObject* object)
    {
        QString name = object->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            name = QString::fromLatin1(object->metaObject()->className()) + QStringLiteral(" in ")
                   + (object->parent() ? nameOf(object->parent()) : QStringLiteral("-"));
        return name;
    }

    std::map<QString, int>& m_counts;
};

// Holds back the window's repaints so that they come at most once per interval: a repaint asked
// for sooner is put off to the interval's end (Qt asks for no other repaint meanwhile). It shows
// what a run whose progress were drawn less often would gain.
class SparseRepaints : public QObject
{
public:
    SparseRepaints(QWidget& window, std::chrono::milliseconds interval)
        : m_window(window), m_interval(interval)
    {
        m_sinceRepaint.start();
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_window || event->type() != QEvent::UpdateRequest)
            return false;
        const auto waited = std::chrono::milliseconds(m_sinceRepaint.elapsed());
        if (waited >= m_interval) {
            m_sinceRepaint.restart();
            return false;
        }
        if (!m_putOff) {
            m_putOff = true;
            QTimer::singleShot(m_interval - waited, &m_window, [this] {
                m_putOff = false;
                QCoreApplication::postEvent(&m_window, new QEvent(QEvent::UpdateRequest),
                                            Qt::LowEventPriority);
            });
        }
        return true;
    }

private:
    QWidget& m_window;
    std::chrono::milliseconds m_interval;
    QElapsedTimer m_sinceRepaint;
    bool m_putOff = false;
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
                    const WindowSetup& setup)
{
    const QString home = scratch.fresh(QStringLiteral("window-home"));
    KeptMessages messages;
    NoFileDialogs dialogs;
    NoShell shell;
    SettingsStore settings(home + QStringLiteral("/settings.conf"));
    Form1 window(
        {{messages, dialogs, shell}, settings, home, [home] { return home + QLatin1Char('/'); }});
    window.Form_Load();
    if (setup.shown)
        window.show();
    std::optional<SparseRepaints> sparse;
    if (setup.repaintInterval.count() > 0)
        sparse.emplace(window, setup.repaintInterval);
    controlOf<QRadioButton>(window, "Option1").click();
    controlOf<QLineEdit>(window, "Text1").setText(output);
    controlOf<QSlider>(window, "Slider1").setValue(quality);
    window.fileList().addRows(files);
    window.conversionRun().setJobs(setup.jobs);
    QCoreApplication::processEvents();

    WindowRun run;
    window.conversionRun().setPassObserver([&run](int) { ++run.passes; });
    QEventLoop untilEnded;
    QObject::connect(&window.conversionRun(), &ConversionRun::ended, &untilEnded,
                     &QEventLoop::quit);
    std::optional<MemorySampler> sampler;
    if (setup.sampleMemory)
        sampler.emplace(std::chrono::microseconds(500), setup.sampledFolder);
    std::optional<PaintCounter> paints;
    if (setup.countPaints)
        paints.emplace(run.paints);
    const double threadBefore = cpuSecondsOf(RUSAGE_THREAD);
    QElapsedTimer timer;
    timer.start();
    controlOf<QPushButton>(window, "PushButton2").click();
    if (window.conversionRun().IsConverting())
        untilEnded.exec();
    run.timing.seconds = secondsOf(timer);
    run.timing.mainThreadSeconds = cpuSecondsOf(RUSAGE_THREAD) - threadBefore;
    paints.reset();
    if (sampler)
        run.memory = sampler->stop();
    run.jpgs = countJpgs(output);
    run.message = messages.shown.join(QLatin1Char('\n'));
    run.timing.ok = run.jpgs == files.size() && run.message == QLatin1String("Done.");
    return run;
}

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

// How the in-process reference converts: with its own code, or with the worker's code.
enum class ReferenceCode { Own, Worker };

Timing runReference(const QString& program, ReferenceCode code, int jobs, const QStringList& files,
                    int quality, const QString& output)
{
    QStringList arguments{program};
    if (code == ReferenceCode::Worker)
        arguments << QStringLiteral("--worker-code");
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

// What a run does before its first file: load the carried worker and write it out.
Timing runToolWriting(const QString& work)
{
    QElapsedTimer timer;
    timer.start();
    const QString worker = work + QLatin1Char('/') + WorkerFileName;
    WriteBytesIfAbsent(LoadToolImage(WorkerImageFor(GetAddressWidth())), worker);
    return {secondsOf(timer), 0, QFileInfo(worker).isExecutable()};
}

// The workers as a run uses them, without the window: `jobs` of them kept busy through the
// program's own client (a pipe each way, one request per file, the next one queued), started
// and ended within the time, each result left in the folder.
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
        std::function<void()> giveMore = [&] {
            while (busy < 2 * jobs && next < files.size()) {
                const QString& file = files.at(next++);
                ConverterWorker& worker = pool.take();
                if (!worker.started()) {
                    timing.ok = false;
                    continue;
                }
                ++busy;
                worker.convert(file,
                               output + QLatin1Char('/') + stemOf(file) + QStringLiteral(".jpg"),
                               quality, ToolTimeLimit{},
                               {{}, [&](WorkerOutcome outcome, const QString&) {
                                    timing.ok = timing.ok && outcome == WorkerOutcome::Converted;
                                    --busy;
                                    giveMore();
                                }});
            }
            if (busy == 0)
                loop.quit();
        };
        QTimer::singleShot(0, &loop, giveMore);
        loop.exec();
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(output) == files.size();
    return timing;
}

// What a run does after each file: the finished result put at its output name.
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

struct ImageSize
{
    int width = 0;
    int height = 0;
};

ImageSize sizeOf(const QString& file)
{
    QFile in(file);
    ImageSize size;
    if (in.open(QIODevice::ReadOnly)) {
        const QByteArray head = in.read(64 * 1024);
        WebPGetInfo(reinterpret_cast<const uint8_t*>(head.constData()), size_t(head.size()),
                    &size.width, &size.height);
    }
    return size;
}

double megapixels(const QStringList& files)
{
    double total = 0;
    for (const QString& file : files) {
        const ImageSize size = sizeOf(file);
        total += double(size.width) * size.height / 1e6;
    }
    return total;
}

QString option(const QStringList& arguments, const QString& name, const QString& fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : fallback;
}

struct Contender
{
    Contender(std::string label, std::function<Timing(const QString& folder)> run)
        : label(std::move(label)), run(std::move(run))
    {
    }
    std::string label;
    std::function<Timing(const QString& folder)> run;
    Timing best;
    std::vector<double> rounds;
};

double megabytes(long kb)
{
    return double(kb) / 1024.0;
}

// Peak resident memory of programs run to their end, in KiB, each started through peak-memory
// (the getrusage of a child started from this large process would count this process in).
class PeakOf
{
public:
    PeakOf(const QString& helper, const QString& record) : m_helper(helper), m_record(record) {}

    // 0 when the program failed.
    long operator()(const QStringList& command) const
    {
        if (runProgramFor(QStringList{m_helper, m_record} + command) != 0)
            return 0;
        QFile record(m_record);
        return record.open(QIODevice::ReadOnly) ? record.readAll().trimmed().toLong() : 0;
    }

private:
    QString m_helper;
    QString m_record;
};

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

void memoryRow(const std::string& what, long kb, long oneFileKb)
{
    std::printf("| %-58s | %7.1f | %8.2f |\n", what.c_str(), megabytes(kb),
                double(kb) / double(oneFileKb));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString corpus = option(arguments, QStringLiteral("--corpus"), QString());
    const int quality =
        option(arguments, QStringLiteral("--quality"), QStringLiteral("85")).toInt();
    const int rounds =
        std::max(1, option(arguments, QStringLiteral("--rounds"), QStringLiteral("3")).toInt());
    const int jobs = std::max(
        1, option(arguments, QStringLiteral("--jobs"), QString::number(ConversionJobs())).toInt());
    const QString toolsFolder =
        option(arguments, QStringLiteral("--tools"), QStringLiteral(ORVALIN_TOOLS_DIR));
    const QString reference =
        option(arguments, QStringLiteral("--reference"), QStringLiteral(ORVALIN_REFERENCE));
    const bool breakdown = arguments.contains(QStringLiteral("--breakdown"));
    const bool memory = !arguments.contains(QStringLiteral("--no-memory"));
    const bool countPaints = arguments.contains(QStringLiteral("--paints"));
    // For a closer look at some contenders: the reference, the window and those whose label
    // holds this text.
    const QString only = option(arguments, QStringLiteral("--only"), QString());
    if (corpus.isEmpty() || !QFileInfo(corpus).isDir() || quality < 1 || quality > 100) {
        std::fputs("Usage: conversion-run --corpus DIR [--quality Q] [--rounds N] [--jobs N] "
                   "[--breakdown]\n"
                   "                      [--only TEXT] [--no-memory] [--tools DIR] [--reference "
                   "PROGRAM]\n",
                   stderr);
        return 2;
    }
    QStringList files;
    for (const QString& name :
         QDir(corpus).entryList({QStringLiteral("*.webp")}, QDir::Files, QDir::Name))
        files << QDir(corpus).absoluteFilePath(name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "conversion-run: no .webp files in %s\n", qPrintable(corpus));
        return 2;
    }
    const QString worker = toolsFolder + QLatin1Char('/') + WorkerFileName;

    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/orvalin-conversion-run-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "conversion-run: %s\n", qPrintable(root.errorString()));
        return 1;
    }
    Scratch scratch(root.path());
    WindowRun bestWindow;
    int worstPasses = 0;
    const std::string n = std::to_string(jobs);
    const auto window = [&](int windowJobs) {
        return [&, windowJobs](const QString& out) {
            WindowRun run = runWindow(files, quality, out, scratch, {.jobs = windowJobs});
            if (!run.timing.ok)
                std::fprintf(
                    stderr,
                    "conversion-run: the window made %d JPG files of %lld; its message: %s\n",
                    run.jpgs, qlonglong(files.size()), qPrintable(run.message));
            if (windowJobs == jobs) {
                if (run.timing.ok
                    && (bestWindow.passes == 0 || run.timing.seconds < bestWindow.timing.seconds))
                    bestWindow = run;
                worstPasses = std::max(worstPasses, run.passes);
            }
            return run.timing;
        };
    };
    // The first ones are always timed, in this order; the ratios below find them here.
    enum { Reference, ReferenceJobs, Window, WindowOneJob, Mogrify, Vips, MainCount };
    std::vector<Contender> contenders{
        {"in one process (reference)",
         [&](const QString& out) {
             return runReference(reference, ReferenceCode::Own, 1, files, quality, out);
         }},
        {"in one process, " + n + " threads",
         [&](const QString& out) {
             return runReference(reference, ReferenceCode::Own, jobs, files, quality, out);
         }},
        {"the window, " + n + " jobs (Start Converting)", window(jobs)},
        {"the window, 1 job", window(1)},
        {"ImageMagick mogrify, one process",
         [&](const QString& out) { return runMogrify(files, quality, out); }},
        {"libvips, vips copy per file",
         [&](const QString& out) { return runVips(files, quality, out); }},
    };
    // The pieces of a window run, in this order.
    enum {
        WorkerCode = MainCount,
        OneWorker,
        Workers,
        Hidden,
        HiddenOneJob,
        Sparse,
        Writing,
        Saving
    };
    contenders.push_back({"in one process, the worker's code", [&](const QString& out) {
                              return runReference(reference, ReferenceCode::Worker, 1, files,
                                                  quality, out);
                          }});
    contenders.push_back({"one worker through its pipes, no window", [&](const QString& out) {
                              return runWorkers(worker, files, quality, out, 1);
                          }});
    contenders.push_back({n + " workers through their pipes, no window", [&](const QString& out) {
                              return runWorkers(worker, files, quality, out, jobs);
                          }});
    contenders.push_back(
        {"the window never shown, " + n + " jobs", [&](const QString& out) {
             return runWindow(files, quality, out, scratch, {.jobs = jobs, .shown = false}).timing;
         }});
    contenders.push_back(
        {"the window never shown, 1 job", [&](const QString& out) {
             return runWindow(files, quality, out, scratch, {.jobs = 1, .shown = false}).timing;
         }});
    contenders.push_back(
        {"the window, " + n + " jobs, repainted every 50 ms", [&](const QString& out) {
             return runWindow(files, quality, out, scratch,
                              {.jobs = jobs, .repaintInterval = std::chrono::milliseconds(50)})
                 .timing;
         }});
    contenders.push_back(
        {"writing the carried worker", [&](const QString& out) { return runToolWriting(out); }});
    contenders.push_back(
        {"saving the results (SaveResultAs)", [&](const QString& out) {
             const QString from = scratch.fresh(QStringLiteral("made"));
             if (!runReference(reference, ReferenceCode::Own, 1, files, quality, from).ok)
                 return Timing{};
             return runSaves(from, out);
         }});
    std::vector<bool> timed(contenders.size(), breakdown && only.isEmpty());
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        if (i < MainCount)
            timed[i] = only.isEmpty() || i <= WindowOneJob;
        else if (!only.isEmpty())
            timed[i] = QString::fromStdString(contenders[i].label).contains(only);
    }

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
                return 1;
            }
            if (round == 0 || timing.seconds < contender.best.seconds)
                contender.best = timing;
            contender.rounds.push_back(timing.seconds);
        }
    }

    const double mp = megapixels(files);
    const double base = contenders[Reference].best.seconds;
    const auto seconds = [&](int i) { return contenders[std::size_t(i)].best.seconds; };
    std::printf("%lld files, %.1f MP, quality %d, %d jobs, best of %d rounds, interleaved\n",
                qlonglong(files.size()), mp, quality, jobs, rounds);
    std::printf("the window made %d JPG files for %lld inputs (%s); final message \"%s\"\n\n",
                bestWindow.jpgs, qlonglong(files.size()),
                bestWindow.jpgs == files.size() ? "one for each" : "MISSING SOME",
                qPrintable(bestWindow.message));
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
    std::printf("\nevery round, in seconds:\n");
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        if (!timed[i] || i >= MainCount)
            continue;
        std::printf("  %-44s", contenders[i].label.c_str());
        for (const double time : contenders[i].rounds)
            std::printf(" %7.3f", time);
        std::printf("\n");
    }
    std::printf("\nthe window with %d jobs against 1 job: %.2f; against the reference on %d "
                "threads: %.2f\n",
                jobs, seconds(Window) / seconds(WindowOneJob), jobs,
                seconds(Window) / seconds(ReferenceJobs));
    if (timed[Mogrify] && timed[Vips]) {
        int beatMogrify = 0, beatVips = 0;
        for (int round = 0; round < rounds; ++round) {
            const double window = contenders[Window].rounds[std::size_t(round)];
            beatMogrify += window < contenders[Mogrify].rounds[std::size_t(round)] ? 1 : 0;
            beatVips += window < contenders[Vips].rounds[std::size_t(round)] ? 1 : 0;
        }
        std::printf("rounds in which the window (%d jobs) was faster than mogrify: %d of %d; than "
                    "libvips: %d of %d\n",
                    jobs, beatMogrify, rounds, beatVips, rounds);
    }
    std::printf("wait passes of the window run: %d for %lld files (at most %d in any round)\n",
                bestWindow.passes, qlonglong(files.size()), worstPasses);
    if (breakdown && only.isEmpty()) {
        auto share = [&](const char* what, double time) {
            std::printf("  %-54s %+7.3f s  %+6.1f%% of the reference\n", what, time,
                        100 * time / base);
        };
        std::printf(
            "\none file at a time, where the window run's time goes beyond the reference:\n");
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
        share("  of which saved by repainting at most every 50 ms",
              seconds(Window) - seconds(Sparse));
    }

    if (countPaints) {
        // Untimed: what the shown window paints during one run.
        const QString out = scratch.fresh(QStringLiteral("out"));
        const WindowRun run =
            runWindow(files, quality, out, scratch, {.jobs = jobs, .countPaints = true});
        std::printf("\npaint events per widget during one run of the shown window, %d jobs:\n",
                    jobs);
        for (const auto& [widget, count] : run.paints)
            std::printf("  %-50s %6d\n", qPrintable(widget), count);
    }

    if (memory) {
        const QString work = scratch.fresh(QStringLiteral("memory"));
        const PeakOf peakOf(QStringLiteral(ORVALIN_PEAK_MEMORY), work + QStringLiteral("/peak"));
        const OneFile largest = largestOneFile(peakOf, reference, files, quality, work);
        const long one = largest.peakKb;
        const long toolsKb = long(QFileInfo(worker).size() / 1024);
        MemorySampler::Peaks peaks[2];
        const int windowJobs[2] = {1, jobs};
        // The run makes its working folder in TEMP: here one the sampler can measure.
        const QByteArray temp = qgetenv("TEMP");
        const bool hadTemp = qEnvironmentVariableIsSet("TEMP");
        for (int k = 0; k < 2; ++k) {
            const QString out = scratch.fresh(QStringLiteral("out"));
            const QString runTemp = scratch.fresh(QStringLiteral("temp"));
            qputenv("TEMP", QFile::encodeName(runTemp));
            const WindowRun run =
                runWindow(files, quality, out, scratch,
                          {.jobs = windowJobs[k], .sampleMemory = true, .sampledFolder = runTemp});
            QDir(out).removeRecursively();
            if (!run.timing.ok) {
                std::fprintf(stderr, "conversion-run: the window did not convert every file\n");
                return 1;
            }
            peaks[k] = run.memory;
        }
        if (hadTemp)
            qputenv("TEMP", temp);
        else
            qunsetenv("TEMP");
        // A program that writes into a fresh folder, named by its commandFor(folder).
        const auto convertedBy =
            [&](const std::function<QStringList(const QString& out)>& commandFor) {
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
        const long referenceKb = referenceOn(1);
        const long referenceJobsKb = referenceOn(jobs);
        long vipsKb = 0;
        for (const QString& file : files)
            vipsKb = std::max(
                vipsKb, convertedBy([&](const QString& out) {
                    return QStringList{
                        QStringLiteral("vips"), QStringLiteral("copy"), file,
                        out + QStringLiteral("/%1.jpg[Q=%2]").arg(stemOf(file)).arg(quality)};
                }));
        const ImageSize size = sizeOf(largest.file);
        std::printf(
            "\npeak resident memory, in untimed runs after the rounds: programs through "
            "peak-memory\n"
            "(getrusage of the ended child), the window's workers sampled in /proc every 0.5 ms\n"
            "(VmRSS summed over the workers running at one sample; VmHWM for the largest);\n"
            "one file: the one whose conversion needs most, %s (%dx%d)\n\n",
            qPrintable(QFileInfo(largest.file).fileName()), size.width, size.height);
        std::printf("| %-58s | %7s | %8s |\n", "", "MB", "one file");
        std::printf("|%s|%s|%s|\n", std::string(60, '-').c_str(), std::string(9, '-').c_str(),
                    std::string(10, '-').c_str());
        memoryRow("one file: the worker's code converting it alone", one, one);
        for (int k = 0; k < 2; ++k) {
            const std::string run =
                "the window, " + std::to_string(windowJobs[k]) + (k == 0 ? " job" : " jobs");
            memoryRow(run + ": its workers, " + std::to_string(peaks[k].mostChildren)
                          + " at most at once",
                      peaks[k].childrenKb, one);
            memoryRow(run + ": the largest worker", peaks[k].largestChildKb, one);
            memoryRow(run + ": the window process, growth in the run",
                      peaks[k].selfKb - peaks[k].selfBeforeKb, one);
        }
        for (int k = 0; k < 2; ++k)
            memoryRow("the window, " + std::to_string(windowJobs[k]) + (k == 0 ? " job" : " jobs")
                          + ": its working folder's files, at most",
                      peaks[k].folderKb, one);
        memoryRow("  of which the carried worker", toolsKb, one);
        memoryRow("the window process before a run", peaks[0].selfBeforeKb, one);
        memoryRow("in one process (reference)", referenceKb, one);
        memoryRow("in one process, " + std::to_string(jobs) + " threads", referenceJobsKb, one);
        memoryRow("libvips, the largest vips copy", vipsKb, one);
        std::printf(
            "\nthe window's workers with %d jobs against one file's conversion: %.2f (goal: "
            "at most %d), against\n"
            "the largest worker of the same run, sampled the same way: %.2f; the whole run "
            "(window process\n"
            "and workers) with %d jobs against 1 job: %.2f\n",
            jobs, double(peaks[1].childrenKb) / double(one), jobs,
            double(peaks[1].childrenKb) / double(std::max(1L, peaks[1].largestChildKb)), jobs,
            double(peaks[1].selfKb + peaks[1].childrenKb)
                / double(peaks[0].selfKb + peaks[0].childrenKb));
    }
    std::printf("ratio_one_job=%.2f\n", seconds(WindowOneJob) / base);
    std::printf("ratio_to_reference=%.2f\n", seconds(Window) / base);
    return 0;
}
