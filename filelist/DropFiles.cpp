#include "filelist/DropFiles.h"

#include "core/FolderScan.h"
#include "core/PathHelpers.h"
#include "core/UncarriedNames.h"
#include "filelist/FileListView.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QUrl>

namespace orvalin {

namespace {

// A URL gives its path as percent-encoded bytes: its decoded text names the same file only
// when those bytes are the text's own.
bool namesItsFile(const QUrl& url)
{
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    return QFile::encodeName(url.path(QUrl::FullyDecoded)) == bytes;
}

} // namespace

QStringList DroppedPaths(const QMimeData& data)
{
    QStringList paths;
    if (!data.hasUrls())
        return paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
        paths.append(namesItsFile(url) ? path : MarkedUncarried(path));
    }
    return paths;
}

void DropFiles(FileListView& list, const QStringList& paths, const WindowContext& window,
               const bool& stopRequested)
{
    QStringList notAdded;
    for (const QString& path : paths) {
        if (stopRequested)
            return;
        if (IsMarkedUncarried(path)) {
            notAdded.append(NotAddedLine(path.mid(1), NameNotUtf8Reason()));
        } else if (IsFolder(path) == true) {
            FolderScan scan(window.platform.messageBoxes, window.owner, stopRequested,
                            LetWindowHandleEvents);
            scan.AddFolderTree(path, QStringLiteral("*.*"), AddingTo(list));
            notAdded += scan.notAdded();
        } else {
            list.add(path);
        }
    }
    if (!stopRequested)
        TellNotAdded(notAdded, window);
}

} // namespace orvalin
