// Measures what one settings write costs, the way typing in the output folder box causes them:
// 1000 writes of a growing text, each put on disk before the next. Prints the median, the 90th
// percentile and the largest, in microseconds.
// Usage: settings-writes [FOLDER]   (a temporary folder when none is given)

#include "core/Settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    orvalin::SettingsStore store(folder + QStringLiteral("/Kestrune.conf"));
    // The other keys a real store holds, so each write rewrites a file of the usual size.
    store.write(orvalin::Stored::SaveToFolder.key, QStringLiteral("True"));
    store.write(orvalin::Stored::SaveBesideSource.key, QStringLiteral("False"));
    store.write(orvalin::Stored::Quality.key, QStringLiteral("85"));
    store.write(orvalin::Stored::LastScannedFolder.key, QStringLiteral("/home/someone/Pictures"));

    constexpr int Writes = 1000;
    std::vector<qint64> micros;
    micros.reserve(Writes);
    QString typed = QStringLiteral("/home/someone/");
    QElapsedTimer timer;
    for (int i = 0; i < Writes; ++i) {
        typed += QChar(u'a' + i % 26);
        if (typed.size() > 60)
            typed.truncate(14);
        timer.start();
        store.write(orvalin::Stored::OutputFolder.key, typed);
        micros.push_back(timer.nsecsElapsed() / 1000);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("settings writes: %d\n", Writes);
    std::printf("median_us=%lld\n", static_cast<long long>(micros[Writes / 2]));
    std::printf("p90_us=%lld\n", static_cast<long long>(micros[Writes * 9 / 10]));
    std::printf("max_us=%lld\n", static_cast<long long>(micros.back()));
    return 0;
}
