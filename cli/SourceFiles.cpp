#include "cli/SourceFiles.h"

#include "core/CommandLine.h"
#include "core/FolderListing.h"
#include "core/FolderScan.h"
#include "core/PathHelpers.h"
#include "core/UncarriedNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace orvalin {

namespace {

// The console has no message boxes: a scan's failures come back as problems, never as boxes.
class NoMessageBoxes : public MessageBoxes
{
public:
    MessageAnswer show(QWidget*, const MessageRequest&) override { return MessageAnswer::Ok; }
};

QString slashed(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// A line of a scan's notAdded() back in its parts: "path (reason)".
SourceProblem problemFromLine(const QString& line)
{
    const qsizetype open = line.lastIndexOf(QStringLiteral(" ("));
    if (open < 0 || !line.endsWith(QLatin1Char(')')))
        return {line, QString()};
    return {line.left(open), line.mid(open + 2).chopped(1)};
}

void gatherFolder(const QString& folder, const bool& stopRequested,
                  const std::function<void()>& yield, Sources& sources)
{
    if (listFolder(folder).error != 0)
        return sources.problems.append({folder, UnreadableFolderReason()});
    NoMessageBoxes boxes;
    FolderScan scan(boxes, nullptr, stopRequested, yield);
    scan.tellOfUnreadableFolders();
    const QString prefix = withSeparator(folder);
    scan.AddFolderTree(
        folder, QStringLiteral("*.webp"), [&](const QStringList& paths, const QString& addedFrom) {
            for (const QString& path : paths)
                sources.files.append({path, addedFrom, slashed(path.mid(prefix.size()))});
        });
    for (const QString& line : scan.notAdded())
        sources.problems.append(problemFromLine(line));
}

// 64-bit FNV-1a over the key's UTF-8 bytes: the same on every machine and build.
quint64 stableHash(const QString& key)
{
    quint64 hash = 14695981039346656037ULL;
    for (const char byte : key.toUtf8()) {
        hash ^= quint8(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

Sources GatherSources(const QList<QByteArray>& paths, const QByteArray& currentFolder,
                      const bool& stopRequested, const std::function<void()>& yield)
{
    Sources sources;
    for (const QByteArray& bytes : paths) {
        if (stopRequested)
            break;
        const QString path = HandedPath(bytes, currentFolder);
        if (IsMarkedUncarried(path)) {
            sources.problems.append({path.mid(1), NameNotUtf8Reason()});
            continue;
        }
        const QFileInfo info(path);
        if (!info.exists())
            sources.problems.append({path, NoSuchPathReason});
        else if (info.isDir())
            gatherFolder(path, stopRequested, yield, sources);
        else if (!info.isFile())
            sources.problems.append({path, NotARegularFileReason});
        else
            sources.files.append(
                {path, QString(), slashed(QDir::cleanPath(NameFromArgument(bytes)))});
    }
    return sources;
}

QList<QByteArray> SplitPathList(const QByteArray& list, bool nullSeparated)
{
    QList<QByteArray> paths;
    for (QByteArray entry : list.split(nullSeparated ? '\0' : '\n')) {
        if (!nullSeparated && entry.endsWith('\r'))
            entry.chop(1);
        if (!entry.isEmpty())
            paths.append(entry);
    }
    return paths;
}

QList<SourceFile> ShareOf(const QList<SourceFile>& files, const Shard& shard)
{
    std::vector<qsizetype> ranked(files.size());
    std::iota(ranked.begin(), ranked.end(), 0);
    std::vector<quint64> hashes(files.size());
    for (qsizetype i = 0; i < files.size(); ++i)
        hashes[i] = stableHash(files[i].shardKey);
    // Equal keys (one tree given twice) keep their order, which is the command line's.
    std::stable_sort(ranked.begin(), ranked.end(), [&](qsizetype a, qsizetype b) {
        return std::tie(hashes[a], files[a].shardKey) < std::tie(hashes[b], files[b].shardKey);
    });
    std::vector<bool> taken(files.size(), false);
    for (std::size_t rank = std::size_t(shard.index - 1); rank < ranked.size();
         rank += std::size_t(shard.count))
        taken[ranked[rank]] = true;
    QList<SourceFile> share;
    for (qsizetype i = 0; i < files.size(); ++i)
        if (taken[i])
            share.append(files[i]);
    return share;
}

} // namespace orvalin
