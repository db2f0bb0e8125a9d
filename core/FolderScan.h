#pragma once

#include "core/FolderListing.h"
#include "core/Platform.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

namespace orvalin {

// One folder scan: the window it reports to, and the folders it has entered, so that a folder
// reached again (through a link, say) is not entered twice.
class FolderScan
{
public:
    // Where the scan lets its caller handle what waits: the window's events, or nothing.
    using Yield = std::function<void()>;
    // Takes the files found, in order, with the folder the scan was asked for.
    using AddRows = std::function<void(const QStringList& paths, const QString& addedFrom)>;

    // stopRequested: set when the window closes; the scan then ends at its next yield.
    FolderScan(MessageBoxes& messageBoxes, QWidget* owner, const bool& stopRequested, Yield yield);

    // Appends to the collection (folder paths ending in a separator) every qualifying folder
    // below its entries, level by level: breadth-first, each level in name order.
    void GetSubDirectories2016(QStringList& collection, bool recurse);

    // Adds every matching file of the folder and its qualifying sub-folders, in batches; the
    // rows remember the folder.
    void AddFolderTree(const QString& folder, const QString& pattern, const AddRows& addRows);

    // Folders below the given one whose listing is refused are told of in notAdded() too,
    // rather than left out silently as the window's scan leaves them.
    void tellOfUnreadableFolders() { m_tellOfUnreadable = true; }

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
    Yield m_yield;
    bool m_tellOfUnreadable = false;
    QSet<QByteArray> m_visited;
    // Each folder's file names as its sub-folders were read, so it is listed from disk once.
    QHash<QString, FolderFiles> m_files;
    QStringList m_notAdded;
};

} // namespace orvalin
