#include "bench/conversion-run/BenchHelpers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <webp/decode.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace orvalin::bench {

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

int startProgram(const QStringList& arguments, bool quiet)
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
    return pid;
}

int waitForProgram(int pid)
{
    if (pid < 0)
        return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runProgramFor(const QStringList& arguments, bool quiet)
{
    return waitForProgram(startProgram(arguments, quiet));
}

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

QString Scratch::fresh(const QString& what)
{
    const QString path = m_root + QStringLiteral("/%1-%2").arg(what).arg(++m_count);
    QDir().mkpath(path);
    return path;
}

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

} // namespace orvalin::bench
