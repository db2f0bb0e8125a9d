#pragma once

#include "core/FolderListing.h"
#include "core/Platform.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

namespace orvalin {

class FileListView;

// One folder scan: the window it reports to, and the folders it has entered, so that a folder
// reached again (through a link, say) is not entered twice.
class FolderScan
{
public:
    // stopRequested: set when the window closes; the scan then ends at its next yield.
    FolderScan(MessageBoxes& messageBoxes, QWidget* owner, const bool& stopRequested);

    // Appends to the collection (folder paths ending in a separator) every qualifying folder
    // below its entries, level by level: breadth-first, each level in name order.
    void GetSubDirectories2016(QStringList& collection, bool recurse);

    // Appends to the list every matching file of the folder and its qualifying sub-folders;
    // the rows remember the folder.
    void AddFolderTree(const QString& folder, const QString& pattern, FileListView& list);

    bool stopped() const { return m_stopRequested; }

    // What the scan would have added but for a name that cannot be carried (see
    // core/UncarriedNames.h) or a path too long to be opened, in the order found: matching
    // files, and folders that could not be entered, which end in a separator; each as a line
    // that says why (NotAddedLine).
    const QStringList& notAdded() const { return m_notAdded; }

private:
    // A folder's files: the names it can be opened by, and the bytes of those that cannot be
    // decoded.
    struct FolderFiles
    {
        QStringList names;
        QList<QByteArray> undecodable;
    };
    static FolderFiles filesOf(const Listing& listing);

    // True the first time a folder is entered in this scan.
    bool firstVisit(const QString& folder);
    bool mayEnter(const QString& folder) const;
    void letWindowHandleEvents();

    MessageBoxes& m_messageBoxes;
    QWidget* m_owner;
    const bool& m_stopRequested;
    QSet<QByteArray> m_visited;
    // Each folder's file names as its sub-folders were read, so it is listed from disk once.
    QHash<QString, FolderFiles> m_files;
    QStringList m_notAdded;
};

} // namespace orvalin
