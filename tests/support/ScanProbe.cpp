// Scans a folder tree the way "Add All" does and prints one row a line, so a test can run the
// scan as another user. Usage: scan-probe FOLDER PATTERN
#include "core/FolderScan.h"
#include "filelist/FileListView.h"
#include "tests/support/RecordingPlatform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    orvalin::testing::RecordingMessageBoxes messageBoxes;
    orvalin::FileListView list;
    const bool stopRequested = false;
    orvalin::FolderScan scan(messageBoxes, nullptr, stopRequested, orvalin::LetWindowHandleEvents);
    scan.AddFolderTree(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                       orvalin::AddingTo(list));
    for (const QString& row : list.rows())
        std::printf("%s\n", row.toUtf8().constData());
    return messageBoxes.shown.isEmpty() ? 0 : 1;
}
