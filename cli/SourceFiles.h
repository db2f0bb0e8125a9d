#pragma once

#include "cli/ConvertCommand.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace orvalin {

// A file to convert.
struct SourceFile
{
    QString path;      // absolute, with native separators
    QString addedFrom; // the folder given that it was found in; empty for a file given
    // What splits the files into shards: the path below the folder given, or the path as
    // given, with "/" between names; the same whichever machine lists the tree.
    QString shardKey;
};

// A path that gave nothing to convert, and why.
struct SourceProblem
{
    QString path;
    QString reason;
};

struct Sources
{
    QList<SourceFile> files;
    QList<SourceProblem> problems;
};

inline const QString NoSuchPathReason = QStringLiteral("no such file or folder");
inline const QString NotARegularFileReason = QStringLiteral("not a regular file");

// The files the paths name, in order: a file as itself, a folder by the WebP files a scan of
// its tree finds, with the window's rules for hidden, system and unsafe names. A missing path,
// a FIFO or device, a name that cannot be carried as text, a folder that cannot be read and
// every file or folder a scan could not add is a problem of its own. `yield` runs during long
// scans; a scan ends early once `stopRequested` is set.
Sources GatherSources(const QList<QByteArray>& paths, const QByteArray& currentFolder,
                      const bool& stopRequested, const std::function<void()>& yield);

// The paths of a --files-from list: one a line (a carriage return before the line break
// dropped) or, null-separated, one before each NUL. Empty entries name nothing.
QList<QByteArray> SplitPathList(const QByteArray& list, bool nullSeparated);

// The files of this shard, in their order. The files are ranked by a stable hash of their
// shard keys and dealt out in turn, so every file falls to exactly one shard, the shards'
// counts differ by one at most, and the same tree gives the same split on every machine.
QList<SourceFile> ShareOf(const QList<SourceFile>& files, const Shard& shard);

} // namespace orvalin
