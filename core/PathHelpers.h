#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace orvalin {

// Paths are texts with the platform's native separator. Positions are characters; there is no
// limit on a path's length.
#ifdef Q_OS_WIN
inline constexpr QChar Separator = u'\\';
#else
inline constexpr QChar Separator = u'/';
#endif

// True when the file or folder can be looked at; false for an empty or missing path.
bool PathExists(const QString& path);

// True for a folder, false for anything else that exists (a dangling link included), empty
// when the path does not exist or is empty. Callers compare with true.
std::optional<bool> IsFolder(const QString& path);

// Deletes a file, read-only or not, and never reports anything: a missing file, a folder or a
// failed delete leave things as they are.
void DeleteFileQuietly(const QString& path);

// Deletes a file even when it is read-only; throws Failure when it cannot. Never deletes a
// folder.
void ForceDeleteFile(const QString& path);

// The part after the last separator: the whole path when it has none, empty when it ends in one.
QString GetFileName(const QString& path);

// The part up to and including the last separator; empty when there is none.
QString GetParentPath(const QString& path);

// The name without its last extension; a name whose only dot comes first stays whole.
QString RemoveExtension(const QString& name);

// Doubled separators made single in one left-to-right pass (a run of three becomes two). A
// leading run of separators becomes one on Linux and two, the network prefix, on Windows.
QString CollapseDoubleBackslashes(const QString& path);

// Where a result goes below the output folder when the folder tree it was added from is kept:
// the added folder's own name, then the source's folder below it, with a trailing separator,
// as copying the added folder into the output folder would place the source. A drive root's
// own name is its letter and a network share's root its share's name; the root "/" has none.
// Empty when the source does not lie below the folder.
QString KeptSubfolder(const QString& addedFrom, const QString& source);

} // namespace orvalin
