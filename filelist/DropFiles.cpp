#include "filelist/DropFiles.h"

#include "core/PathHelpers.h"
#include "filelist/FileListView.h"
#include "filelist/FolderScan.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace orvalin {

QStringList DroppedPaths(const QMimeData& data)
{
    QStringList paths;
    if (!data.hasUrls())
        return paths;
    for (const QUrl& url : data.urls()) {
        if (url.isLocalFile())
            paths.append(QDir::toNativeSeparators(url.toLocalFile()));
    }
    return paths;
}

void DropFiles(FileListView& list, const QStringList& paths, const WindowContext& window,
               const bool& stopRequested)
{
    for (const QString& path : paths) {
        if (stopRequested)
            return;
        if (IsFolder(path) == true) {
            FolderScan scan(window.platform.messageBoxes, window.owner, stopRequested);
            scan.AddFolderTree(path, QStringLiteral("*.*"), list);
        } else {
            list.add(path);
        }
    }
}

} // namespace orvalin
