// Measures "Add All WebP File(s) In Folder" on a large generated tree, through the real window
// on the offscreen platform, against `find DIR -iname '*.webp'` in the same run; the longest
// time the window went without handling events during the scan; and the time to add the rows
// and to clear the list.
// Usage: folder-scan [--tree DIR] [--folders N] [--files N] [--rounds N]
//   The tree is made in DIR (default: a temporary folder) unless it is already there.

#include "app/Form1.h"
#include "core/Platform.h"
#include "core/Settings.h"
#include "filelist/FileListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

class SilentMessageBoxes : public orvalin::MessageBoxes
{
public:
    orvalin::MessageAnswer show(QWidget*, const orvalin::MessageRequest&) override
    {
        return orvalin::MessageAnswer::No;
    }
};

class FixedFolderDialogs : public orvalin::FileDialogs
{
public:
    explicit FixedFolderDialogs(QString folder) : m_folder(std::move(folder)) {}
    QStringList openFiles(QWidget*, const orvalin::OpenFilesRequest&) override { return {}; }
    QString pickFolder(QWidget*, const QString&, const QString&) override { return m_folder; }

private:
    QString m_folder;
};

class NoShell : public orvalin::Shell
{
public:
    bool openFolder(const QString&) override { return false; }
};

// folders in a three-level tree, files spread evenly, a quarter of them WebP.
void makeTree(const QString& root, int folders, int files)
{
    const int perLevel = std::max(2, int(std::cbrt(double(folders))));
    int made = 0;
    QStringList paths;
    for (int a = 0; a < perLevel && made < folders; ++a)
        for (int b = 0; b < perLevel && made < folders; ++b)
            for (int c = 0; c < perLevel && made < folders; ++c, ++made)
                paths << QStringLiteral("%1/d%2/d%3/d%4").arg(root).arg(a).arg(b).arg(c);
    for (const QString& path : paths)
        QDir().mkpath(path);
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("%1/file%2.%3")
                                 .arg(paths[i % paths.size()])
                                 .arg(i)
                                 .arg(i % 4 == 0 ? (i % 8 ? "webp" : "WEBP") : "jpg");
        QFile(name).open(QIODevice::WriteOnly);
    }
}

double seconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QString treeFolder;
    int folders = 10000;
    int files = 100000;
    int rounds = 3;
    const QStringList arguments = application.arguments();
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--tree"))
            treeFolder = arguments[i + 1];
        else if (arguments[i] == QLatin1String("--folders"))
            folders = arguments[i + 1].toInt();
        else if (arguments[i] == QLatin1String("--files"))
            files = arguments[i + 1].toInt();
        else if (arguments[i] == QLatin1String("--rounds"))
            rounds = arguments[i + 1].toInt();
    }
    QTemporaryDir temporary;
    if (treeFolder.isEmpty())
        treeFolder = temporary.path() + QStringLiteral("/tree");
    if (!QDir(treeFolder).exists()) {
        std::printf("making %d files in %d folders under %s\n", files, folders,
                    qPrintable(treeFolder));
        makeTree(treeFolder, folders, files);
    }

    SilentMessageBoxes messageBoxes;
    FixedFolderDialogs dialogs(treeFolder);
    NoShell shell;
    orvalin::SettingsStore settings(temporary.path() + QStringLiteral("/settings.conf"));
    orvalin::Form1 window({{messageBoxes, dialogs, shell}, settings, temporary.path(), [] {
                               return QStringLiteral("/tmp/");
                           }});
    window.Form_Load();
    window.show();
    auto* addAll = window.findChild<QPushButton*>(QStringLiteral("PushButton4"));
    auto* clear = window.findChild<QPushButton*>(QStringLiteral("PushButton6"));

    double bestFind = 1e9, bestScan = 1e9, bestAdd = 1e9, bestClear = 1e9;
    qint64 longestGapNs = 0;
    int findCount = 0, rowCount = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        QProcess find;
        find.setStandardOutputFile(temporary.path() + QStringLiteral("/find.txt"));
        timer.start();
        find.start(QStringLiteral("find"),
                   {treeFolder, QStringLiteral("-iname"), QStringLiteral("*.webp")});
        find.waitForFinished(-1);
        bestFind = std::min(bestFind, seconds(timer));
        QFile found(temporary.path() + QStringLiteral("/find.txt"));
        found.open(QIODevice::ReadOnly);
        findCount = int(found.readAll().count('\n'));

        // A timer that fires whenever the window handles its events: the gaps between its
        // firings are the times the window did not answer.
        QElapsedTimer sinceLast;
        qint64 gap = 0;
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            gap = std::max(gap, sinceLast.nsecsElapsed());
            sinceLast.restart();
        });
        heartbeat.start(0);
        sinceLast.start();
        timer.restart();
        addAll->click();
        const double scan = seconds(timer);
        gap = std::max(gap, sinceLast.nsecsElapsed());
        heartbeat.stop();
        bestScan = std::min(bestScan, scan);
        longestGapNs = std::max(longestGapNs, gap);
        rowCount = window.fileList().count();

        const QStringList rows = window.fileList().rows();
        // Each time includes laying the rows out and painting the list, as a user would see it.
        timer.restart();
        clear->click();
        window.fileList().scrollToBottom();
        window.repaint();
        bestClear = std::min(bestClear, seconds(timer));

        timer.restart();
        window.fileList().addRows(rows);
        window.fileList().scrollToBottom();
        window.repaint();
        bestAdd = std::min(bestAdd, seconds(timer));
        clear->click();
    }

    std::printf("tree: %d folders, %d files; find found %d WebP files, the scan %d rows%s\n",
                folders, files, findCount, rowCount, findCount == rowCount ? "" : " (MISMATCH)");
    std::printf("%-44s %8.3f s\n", "find DIR -iname '*.webp'", bestFind);
    std::printf("%-44s %8.3f s  (%.2f x find; goal within 3)\n", "Add All through the window",
                bestScan, bestScan / bestFind);
    std::printf("%-44s %8.1f ms (goal under 100)\n", "longest time without handling events",
                double(longestGapNs) / 1e6);
    std::printf("%-44s %8.3f s  (goal under 1)\n", "adding those rows to the list", bestAdd);
    std::printf("%-44s %8.3f s  (goal under 1)\n", "Clear List", bestClear);
    return findCount == rowCount ? 0 : 1;
}
