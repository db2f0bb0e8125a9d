#pragma once

#include "core/OutputChoices.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>

#ifndef Q_OS_WIN
#include <sys/types.h>
#endif

namespace orvalin {

#ifndef Q_OS_WIN
// The system calls a copy writes through. Tests put failing ones in their place to play a full
// disk, a failed sync or a close that reports a deferred write error.
struct SaveCalls
{
    std::function<ssize_t(int descriptor, const void* bytes, std::size_t size)> write;
    std::function<int(int descriptor)> sync;
    std::function<int(int descriptor)> close;

    static SaveCalls system();
};
#endif

// The reason a save gives when the output name holds a WebP picture.
QString KeepsWebPPicture();
// The reason a save gives when the output name is another user's link that the system would not
// follow: one in a folder everyone may write to and only owners may delete from (such as /tmp),
// that belongs neither to this user nor to the folder's owner.
QString AnotherUsersLink();

// True when the path names a regular file that begins as a WebP file does ("RIFF", a size,
// "WEBP"), whatever its name; links are followed.
bool IsWebPFile(const QString& path);

// Puts a finished result at its output name, whole or not at all, as a copy over that name
// would: a file there that the user may not write is left untouched, a symbolic link there is
// written through and stays a link, when the system would follow it for this user (Linux's
// protected_symlinks rule: in a shared folder with the sticky bit, only a link of this user or
// of the folder's owner), and a file that is replaced keeps its mode. A WebP
// picture there is never replaced: browsers save WebP pictures under ".jpg" names, and a result
// beside its source would otherwise take the place of the picture it came from. On the same
// file system the result itself is renamed into place; elsewhere it is copied beside the name
// and renamed over it. A result that replaces a file is on the disk before it takes the name;
// one under a new name is not synced, since a power loss could cost that result alone. Throws
// Failure, naming the reason, when the result cannot be
// saved; the output name then holds what it held before and nothing of the copy is left.
void SaveResultAs(const QString& result, const QString& outputPath);
#ifndef Q_OS_WIN
void SaveResultAs(const QString& result, const QString& outputPath, const SaveCalls& calls);
#endif

// The same, as the choice for an existing JPG says. With IfExists::Replace as above. Otherwise
// whatever stands at the output name stays as it is, a file, a folder or a link alike, and so
// does anything that appears there meanwhile: the result takes a name only where nothing
// stands, as one step, and with IfExists::KeepBoth the first free name of "name (1).jpg",
// "name (2).jpg" and on, while IfExists::Skip writes nothing. Returns the name the result now
// has, or nothing when it was skipped; throws Failure as above.
std::optional<QString> SaveResultAs(const QString& result, const QString& outputPath,
                                    IfExists ifExists);

// Gives the file the source's modification and access times, and on Windows its creation time
// too; a link at `to` is followed. Throws Failure, naming the reason, when they cannot be set.
void CopyFileDates(const QString& from, const QString& to);

// Puts the result at the target in one step, only where nothing stands: false, and the result
// where it was, when anything does. Throws Failure for any other failure.
bool PlaceWithoutReplacing(const QString& result, const QString& target);

// "photo.jpg" with a number: "photo (2).jpg"; 0 gives the name as it is.
QString NumberedName(const QString& path, int number);

} // namespace orvalin
