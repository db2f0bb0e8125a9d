#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace orvalin {

// File attribute bits, as the scan's rules speak of them: on Windows the file's own. On Linux:
// hidden is a name that begins with "."; system is a hidden folder; archive is every regular
// file; read-only is not writable by the user; reparse point is a symbolic link.
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
inline constexpr int HiddenSystemFolder =
    Attribute::Directory | Attribute::System | Attribute::Hidden;
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

// Whether a file or folder of this name can carry the hidden mark at all: on Linux only a name
// that begins with "." (so others need no look), on Windows any.
bool MayBeMarkedHidden(const QString& name);

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

// The folder cannot be listed: access denied, or it is not there (any more).
inline constexpr int PermissionDenied = 70;
inline constexpr int PathNotFound = 76;

struct DirectoryEntry
{
    QString name;
    bool decodable;   // the name's bytes come back the same when the name is encoded again
    bool isFolder;    // links followed
    QByteArray bytes; // the name's own bytes, kept only when it is not decodable
};

struct Listing
{
    QList<DirectoryEntry> entries;
    int error = 0; // 0, PermissionDenied, PathNotFound, or another failure
};

// The folder's entries in name order (letter case folded first), "." and ".." left out.
Listing listFolder(const QString& folder);

// What tells a folder apart from every other, whatever path leads to it.
QByteArray folderIdentity(const QString& folder);

bool isRootFolder(const QString& folder);
QString withSeparator(const QString& folder);

// The names, in their order, that match the pattern and open as files in the folder.
QStringList openableMatches(const QString& folder, const QStringList& fileNames,
                            const QString& pattern);

// The names, in their order, that match the pattern but whose paths in the folder are longer
// than the system opens. Hidden names are left out, as for undecodable names.
QStringList tooLongMatches(const QString& folder, const QStringList& fileNames,
                           const QString& pattern);

// Whether the path is longer than the system opens at all (4096 bytes on Linux).
bool PathTooLongToOpen(const QString& path);

// The same for names given by their bytes, which are not decodable: the decoded names, in their
// order, of those that match the pattern as decoded and open as files by their bytes. Hidden
// names are left out: the scan adds a hidden file only when it is read-only or a link.
QStringList undecodableMatches(const QString& folder, const QList<QByteArray>& fileNames,
                               const QString& pattern);

} // namespace orvalin
