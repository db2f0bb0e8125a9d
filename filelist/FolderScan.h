#pragma once

#include "Platform.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace orvalin {

class FileListView;

// File attribute bits, as the scan's rules speak of them. On Linux: hidden is a name that
// begins with "."; system is a hidden folder; archive is every regular file; read-only is not
// writable by the user; reparse point is a symbolic link.
namespace Attribute {
inline constexpr int ReadOnly = 1;
inline constexpr int Hidden = 2;
inline constexpr int System = 4;
inline constexpr int Directory = 16;
inline constexpr int Archive = 32;
inline constexpr int ReparsePoint = 1024;
} // namespace Attribute

// A folder that is hidden and system (and perhaps a link) is never entered; a file that is
// exactly hidden and archive is never added.
inline constexpr int HiddenSystemFolder = Attribute::Directory | Attribute::System | Attribute::Hidden;
inline constexpr int HiddenSystemFolderLink = HiddenSystemFolder | Attribute::ReparsePoint;
inline constexpr int HiddenPlainFile = Attribute::Archive | Attribute::Hidden;

// Paths and names longer than the platform holds are not entered.
#ifdef Q_OS_WIN
inline constexpr int MaxPathLength = 260;
#else
inline constexpr int MaxPathLength = 4096;
#endif
inline constexpr int MaxNameLength = 260;

// The attribute bits of a file or folder; empty when it cannot be looked at.
std::optional<int> FileAttributes(const QString& path);

// True for a name with a control character, a character from 127 to 159, or "?"; a name whose
// bytes could not be decoded counts as "?", since it cannot be opened again by that name.
bool HasUnsafeNameChars(const QString& name);

// True when the path opens read-only as a regular file.
bool IsOpenableFile(const QString& path);

// Whether a name matches a wildcard pattern, regardless of letter case; "*.*" matches every
// name, with or without a dot.
bool MatchesPattern(const QString& name, const QString& pattern);

// The names of the files in one folder that match the pattern and open, hidden ones included,
// in name order.
QStringList ListFilesInFolder(const QString& folder, const QString& pattern);

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

    // Appends to the list every matching file of the folder and its qualifying sub-folders.
    void AddFolderTree(const QString& folder, const QString& pattern, FileListView& list);

    bool stopped() const { return m_stopRequested; }

private:
    // True the first time a folder is entered in this scan.
    bool firstVisit(const QString& folder);
    bool mayEnter(const QString& folder) const;
    void letWindowHandleEvents();

    MessageBoxes& m_messageBoxes;
    QWidget* m_owner;
    const bool& m_stopRequested;
    QSet<QByteArray> m_visited;
    // Each folder's file names as its sub-folders were read, so it is listed from disk once.
    QHash<QString, QStringList> m_fileNames;
};

} // namespace orvalin
