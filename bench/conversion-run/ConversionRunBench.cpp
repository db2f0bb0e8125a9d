// conversion-run: a whole run of the real window, timed against converting the same files in
// one process and against two other converters.
//
//   conversion-run --corpus DIR [--quality Q] [--rounds N] [--breakdown] [--only TEXT]
//
// Every round times, on every *.webp file of DIR, in an order that moves on by one each round:
//   - the reference: in-process-convert, decoding with libwebp and encoding with libjpeg-turbo
//     inside one process, with the tools' settings;
//   - the window: the real main window, shown on Qt's offscreen platform, its output folder set
//     to a fresh folder, "Start Converting" clicked; the click returns when the run has ended.
//     Every round checks that it made one JPG per input and ended with "Done.";
//   - ImageMagick: one mogrify-im6.q16 over copies of the files (only mogrify is timed);
//   - libvips: one `vips copy IN OUT.jpg[Q=..]` per file.
// The best round of each is reported as seconds and as a multiple of the reference, since the
// machine is shared and absolute times wander. The last line is `ratio_to_reference=X` for the
// window.
//
// --breakdown adds the pieces a window run is made of, each timed alone in the same rounds:
// the reference through a PNG file, the two tools started per file with posix_spawn, the same
// through the program's ChildProcessRunner, the window run with the window never shown (so
// nothing is painted), writing the carried tools out, and copying finished JPG files into an
// output folder as a run does. --only TEXT times the reference, the window and the pieces whose
// label holds TEXT.

#include "core/ChildProcess.h"
#include "core/ConversionRun.h"
#include "filelist/FileListView.h"
#include "app/Form1.h"
#include "core/Platform.h"
#include "core/Settings.h"
#include "core/ToolImages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSlider>
#include <QTemporaryDir>

#include <webp/decode.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using namespace orvalin;

struct Timing
{
    double seconds = 0;
    bool ok = false;
};

double secondsOf(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

// Runs a program to its end with its standard output discarded; true when it exits with 0.
bool runProgram(const QStringList& arguments)
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
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        std::fprintf(stderr, "conversion-run: cannot start %s: %s\n", argv[0], std::strerror(started));
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "conversion-run: failed: %s %s\n", argv[0], argv.size() > 2 ? argv[1] : "");
        return false;
    }
    return true;
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
};

// One whole run of the real window: set up (not timed), then the click on "Start Converting",
// which returns when the run has ended and its final message has been shown.
WindowRun runWindow(const QStringList& files, int quality, const QString& output, Scratch& scratch,
                    bool shown = true)
{
    const QString home = scratch.fresh(QStringLiteral("window-home"));
    KeptMessages messages;
    NoFileDialogs dialogs;
    NoShell shell;
    SettingsStore settings(home + QStringLiteral("/settings.conf"));
    Form1 window({{messages, dialogs, shell}, settings, home, [home] { return home + QLatin1Char('/'); }});
    window.Form_Load();
    if (shown)
        window.show();
    controlOf<QRadioButton>(window, "Option1").click();
    controlOf<QLineEdit>(window, "Text1").setText(output);
    controlOf<QSlider>(window, "Slider1").setValue(quality);
    window.fileList().addRows(files);
    QCoreApplication::processEvents();

    WindowRun run;
    window.conversionRun().runner().setPassObserver([&run](int) { ++run.passes; });
    QElapsedTimer timer;
    timer.start();
    controlOf<QPushButton>(window, "PushButton2").click();
    run.timing.seconds = secondsOf(timer);
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

Timing runReference(const QString& program, bool viaPng, const QStringList& files, int quality,
                    const QString& output)
{
    QStringList arguments{program};
    if (viaPng)
        arguments << QStringLiteral("--via-png");
    arguments << QString::number(quality) << output << files;
    return timeProgram(arguments, output, files.size());
}

Timing runMogrify(const QStringList& files, int quality, const QString& folder)
{
    QStringList arguments{QStringLiteral("mogrify-im6.q16"), QStringLiteral("-format"), QStringLiteral("jpg"),
                          QStringLiteral("-quality"), QString::number(quality)};
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
    Timing timing{0, true};
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

// The two tools per file as a run starts them, the PNG removed after the encoder: by
// posix_spawn, or through the program's own runner (QProcess and its wait loop).
Timing runChain(const QString& tools, const QStringList& files, int quality, const QString& work,
                bool withRunner)
{
    ChildProcessRunner runner;
    const QString decoder = tools + QStringLiteral("/webp-decode");
    const QString encoder = tools + QStringLiteral("/jpeg-encode");
    QElapsedTimer timer;
    timer.start();
    Timing timing{0, true};
    for (const QString& file : files) {
        const QString png = work + QLatin1Char('/') + stemOf(file) + QStringLiteral(".png");
        const QStringList decode{file, QStringLiteral("-o"), png};
        const QStringList encode{QStringLiteral("-q"), QString::number(quality), QStringLiteral("-out"),
                                 QStringLiteral("jpeg"), png};
        const bool done = withRunner ? runner.ShellAndWait({decoder, decode}, 0) == 0 &&
                                           runner.ShellAndWait({encoder, encode}, 0) == 0
                                     : runProgram(QStringList{decoder} + decode) &&
                                           runProgram(QStringList{encoder} + encode);
        QFile::remove(png);
        if (!done) {
            timing.ok = false;
            break;
        }
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(work) == files.size();
    return timing;
}

// What a run does before its first file: load the carried tools and write them out.
Timing runToolWriting(const QString& work)
{
    QElapsedTimer timer;
    timer.start();
    WriteBytesIfAbsent(LoadToolImage(DecoderImageFor(GetAddressWidth())), work + QStringLiteral("/webp-decode"));
    WriteBytesIfAbsent(LoadToolImage(EncoderImage()), work + QStringLiteral("/jpeg-encode"));
    return {secondsOf(timer), QFileInfo(work + QStringLiteral("/jpeg-encode")).isExecutable()};
}

// What a run does after each file: the result written beside its final name and renamed.
Timing runCopies(const QString& from, const QString& to)
{
    const QStringList jpgs = QDir(from).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    QElapsedTimer timer;
    timer.start();
    Timing timing{0, true};
    for (const QString& name : jpgs) {
        QFile source(from + QLatin1Char('/') + name);
        QSaveFile target(to + QLatin1Char('/') + name);
        if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
            return {};
        while (!source.atEnd())
            target.write(source.read(1 << 20));
        timing.ok = target.commit() && timing.ok;
    }
    timing.seconds = secondsOf(timer);
    timing.ok = timing.ok && countJpgs(to) == jpgs.size();
    return timing;
}

double megapixels(const QStringList& files)
{
    double total = 0;
    for (const QString& file : files) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            continue;
        const QByteArray head = in.read(64 * 1024);
        int width = 0, height = 0;
        if (WebPGetInfo(reinterpret_cast<const uint8_t*>(head.constData()), size_t(head.size()), &width, &height))
            total += double(width) * height / 1e6;
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
    Contender(const char* label, std::function<Timing(const QString& folder)> run)
        : label(label), run(std::move(run))
    {
    }
    const char* label;
    std::function<Timing(const QString& folder)> run;
    Timing best;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString corpus = option(arguments, QStringLiteral("--corpus"), QString());
    const int quality = option(arguments, QStringLiteral("--quality"), QStringLiteral("85")).toInt();
    const int rounds = std::max(1, option(arguments, QStringLiteral("--rounds"), QStringLiteral("3")).toInt());
    const QString tools = option(arguments, QStringLiteral("--tools"), QStringLiteral(ORVALIN_TOOLS_DIR));
    const QString reference = option(arguments, QStringLiteral("--reference"), QStringLiteral(ORVALIN_REFERENCE));
    const bool breakdown = arguments.contains(QStringLiteral("--breakdown"));
    // For a closer look at some contenders: the reference, the window and those whose label
    // holds this text.
    const QString only = option(arguments, QStringLiteral("--only"), QString());
    if (corpus.isEmpty() || !QFileInfo(corpus).isDir() || quality < 1 || quality > 100) {
        std::fputs("Usage: conversion-run --corpus DIR [--quality Q] [--rounds N] [--breakdown]\n"
                   "                      [--tools DIR] [--reference PROGRAM]\n",
                   stderr);
        return 2;
    }
    QStringList files;
    for (const QString& name : QDir(corpus).entryList({QStringLiteral("*.webp")}, QDir::Files, QDir::Name))
        files << QDir(corpus).absoluteFilePath(name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "conversion-run: no .webp files in %s\n", qPrintable(corpus));
        return 2;
    }

    QTemporaryDir root(QDir::tempPath() + QStringLiteral("/orvalin-conversion-run-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "conversion-run: %s\n", qPrintable(root.errorString()));
        return 1;
    }
    Scratch scratch(root.path());
    WindowRun bestWindow;
    int worstPasses = 0;
    std::vector<Contender> contenders{
        {"in one process (reference)",
         [&](const QString& out) { return runReference(reference, false, files, quality, out); }},
        {"the window (Start Converting)",
         [&](const QString& out) {
             WindowRun run = runWindow(files, quality, out, scratch);
             if (run.timing.ok && (bestWindow.passes == 0 || run.timing.seconds < bestWindow.timing.seconds))
                 bestWindow = run;
             worstPasses = std::max(worstPasses, run.passes);
             if (!run.timing.ok)
                 std::fprintf(stderr, "conversion-run: the window made %d JPG files of %lld; its message: %s\n",
                              run.jpgs, qlonglong(files.size()), qPrintable(run.message));
             return run.timing;
         }},
        {"ImageMagick mogrify, one process",
         [&](const QString& out) { return runMogrify(files, quality, out); }},
        {"libvips, vips copy per file", [&](const QString& out) { return runVips(files, quality, out); }},
    };
    const std::size_t mainCount = contenders.size();
    {
        contenders.push_back({"in one process, through a PNG file", [&](const QString& out) {
                                  return runReference(reference, true, files, quality, out);
                              }});
        contenders.push_back({"two tools per file, posix_spawn", [&](const QString& out) {
                                  return runChain(tools, files, quality, out, false);
                              }});
        contenders.push_back({"two tools per file, ChildProcessRunner", [&](const QString& out) {
                                  return runChain(tools, files, quality, out, true);
                              }});
        contenders.push_back({"the window, never shown (no painting)", [&](const QString& out) {
                                  return runWindow(files, quality, out, scratch, false).timing;
                              }});
        contenders.push_back({"writing the two carried tools", [&](const QString& out) {
                                  return runToolWriting(out);
                              }});
        contenders.push_back({"copying the results (QSaveFile)", [&](const QString& out) {
                                  const QString from = scratch.fresh(QStringLiteral("made"));
                                  if (!runReference(reference, false, files, quality, from).ok)
                                      return Timing{};
                                  return runCopies(from, out);
                              }});
    }

    if (!breakdown || !only.isEmpty()) {
        std::vector<Contender> kept(contenders.begin(), contenders.begin() + (only.isEmpty() ? mainCount : 2));
        for (std::size_t i = 2; i < contenders.size() && !only.isEmpty(); ++i)
            if (QString::fromLatin1(contenders[i].label).contains(only))
                kept.push_back(contenders[i]);
        contenders = std::move(kept);
    }
    const int count = int(contenders.size());
    for (int round = 0; round < rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            Contender& contender = contenders[(round + k) % count];
            const QString out = scratch.fresh(QStringLiteral("out"));
            const Timing timing = contender.run(out);
            QDir(out).removeRecursively();
            if (!timing.ok) {
                std::fprintf(stderr, "conversion-run: \"%s\" did not convert every file\n", contender.label);
                return 1;
            }
            if (round == 0 || timing.seconds < contender.best.seconds)
                contender.best = timing;
        }
    }

    const double mp = megapixels(files);
    const double base = contenders[0].best.seconds;
    std::printf("%lld files, %.1f MP, quality %d, best of %d rounds, interleaved\n", qlonglong(files.size()), mp,
                quality, rounds);
    std::printf("the window made %d JPG files for %lld inputs (%s); final message \"%s\"\n\n", bestWindow.jpgs,
                qlonglong(files.size()), bestWindow.jpgs == files.size() ? "one for each" : "MISSING SOME",
                qPrintable(bestWindow.message));
    std::printf("| %-40s | %8s | %6s |\n", "", "seconds", "ratio");
    std::printf("|%s|%s|%s|\n", std::string(42, '-').c_str(), std::string(10, '-').c_str(),
                std::string(8, '-').c_str());
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        if (i == mainCount && breakdown)
            std::printf("| %-40s | %8s | %6s |\n", "pieces of a window run:", "", "");
        std::printf("| %-40s | %8.3f | %6.2f |\n", contenders[i].label, contenders[i].best.seconds,
                    contenders[i].best.seconds / base);
    }
    std::printf("\nwait passes of the window run: %d for %lld tool starts (at most %d in any round)\n",
                bestWindow.passes, qlonglong(files.size()) * 2, worstPasses);
    if (breakdown) {
        const double window = contenders[1].best.seconds;
        const double viaPng = contenders[4].best.seconds;
        const double spawned = contenders[5].best.seconds;
        const double runner = contenders[6].best.seconds;
        const double hidden = contenders[7].best.seconds;
        const double writing = contenders[8].best.seconds;
        const double copies = contenders[9].best.seconds;
        auto share = [&](const char* what, double seconds) {
            std::printf("  %-52s %+7.3f s  %+6.1f%% of the reference\n", what, seconds, 100 * seconds / base);
        };
        std::printf("\nwhere the window run's time goes beyond the reference:\n");
        share("the PNG between decoder and encoder", viaPng - base);
        share("starting two processes per file (posix_spawn)", spawned - viaPng);
        share("QProcess and the wait loop, over posix_spawn", runner - spawned);
        share("writing the carried tools at the start", writing);
        share("copying the results into the output folder", copies);
        share("painting the shown window", window - hidden);
        share("the rest: events and the run's own steps", hidden - runner - writing - copies);
    }
    std::printf("ratio_to_reference=%.2f\n", contenders[1].best.seconds / base);
    return 0;
}
