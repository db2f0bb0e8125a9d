#include "core/FolderScan.h"

#include "core/FailureReport.h"
#include "core/PathHelpers.h"
#include "core/UncarriedNames.h"

#include <QElapsedTimer>

namespace orvalin {

FolderScan::FolderScan(MessageBoxes& messageBoxes, QWidget* owner, const bool& stopRequested,
                       Yield yield)
    : m_messageBoxes(messageBoxes), m_owner(owner), m_stopRequested(stopRequested),
      m_yield(std::move(yield))
{
}

void FolderScan::letWindowHandleEvents()
{
    if (m_yield)
        m_yield();
}

bool FolderScan::firstVisit(const QString& folder)
{
    const QByteArray identity = folderIdentity(folder);
    if (m_visited.contains(identity))
        return false;
    m_visited.insert(identity);
    return true;
}

FolderScan::FolderFiles FolderScan::filesOf(const Listing& listing)
{
    FolderFiles files;
    for (const DirectoryEntry& entry : listing.entries) {
        if (entry.isFolder)
            continue;
        if (entry.decodable)
            files.names.append(entry.name);
        else
            files.undecodable.append(entry.bytes);
    }
    return files;
}

bool FolderScan::mayEnter(const QString& folder) const
{
    const QString name = GetFileName(folder.endsWith(Separator) ? folder.chopped(1) : folder);
    if (!MayBeMarkedHidden(name) || isRootFolder(folder))
        return true;
    const std::optional<int> attributes = FileAttributes(folder);
    return !attributes
           || (*attributes != HiddenSystemFolder && *attributes != HiddenSystemFolderLink);
}

void FolderScan::GetSubDirectories2016(QStringList& collection, bool recurse)
{
    GuardedSteps guard(GuardedProcedure::CollectSubFolders, m_messageBoxes, m_owner);
    QStringList level;
    guard.step(100, [&] { level.clear(); });

    const QStringList given = collection;
    for (const QString& folder : given) {
        if (stopped())
            return;
        if (!guard.test(102,
                        [&] { return IsFolder(folder) == true && folder.size() < MaxPathLength; }))
            continue;
        guard.step(104, [&] { letWindowHandleEvents(); });
        if (stopped())
            return;
        if (!guard.test(106, [&] { return mayEnter(folder); }))
            continue;
        // Marked as it is entered, not as it is found, so that a hidden folder left out above
        // does not shut out a visible link to it.
        if (!firstVisit(folder)) {
            collection.removeOne(folder);
            continue;
        }

        // A folder whose listing is refused or gone is dropped with its own files; any other
        // failure ends its listing quietly and keeps what was found.
        const Listing listing = listFolder(folder);
        if (listing.error == PermissionDenied || listing.error == PathNotFound) {
            if (m_tellOfUnreadable && listing.error == PermissionDenied)
                m_notAdded.append(
                    NotAddedLine(CollapseDoubleBackslashes(folder), UnreadableFolderReason()));
            collection.removeOne(folder);
            continue;
        }
        m_files.insert(folder, filesOf(listing));
        for (const DirectoryEntry& entry : listing.entries) {
            if (!entry.isFolder)
                continue;
            guard.step(108, [&] { letWindowHandleEvents(); });
            if (stopped())
                return;
            guard.step(110, [&] {
                const QString& name = entry.name;
                if (name.size() >= MaxNameLength || HasUnsafeNameChars(name)
                    || name.contains(QLatin1Char('?')) || name == QLatin1String(".")
                    || name == QLatin1String(".."))
                    return;
                // A folder whose files cannot be reached, by its decoded name or by a path the
                // system opens: the user is told of the folder instead. A hidden one is left
                // out as hidden folders are.
                const QString path = folder + name + Separator;
                const bool tooLong = PathTooLongToOpen(path);
                if (!entry.decodable || tooLong) {
                    if (!name.startsWith(QLatin1Char('.')))
                        m_notAdded.append(
                            NotAddedLine(CollapseDoubleBackslashes(path),
                                         tooLong ? PathTooLongReason() : NameNotUtf8Reason()));
                    return;
                }
                level.append(path);
            });
        }
    }

    if (guard.test(112, [&] { return recurse && !level.isEmpty(); }))
        guard.step(114, [&] { GetSubDirectories2016(level, true); });

    for (const QString& folder : std::as_const(level)) {
        guard.step(116, [&] { letWindowHandleEvents(); });
        if (stopped())
            return;
        if (guard.test(118, [&] { return IsFolder(folder) == true && mayEnter(folder); }))
            guard.step(120, [&] { collection.append(folder); });
    }
}

void FolderScan::AddFolderTree(const QString& folder, const QString& pattern,
                               const AddRows& addRows)
{
    QStringList collection{folder + Separator};
    GetSubDirectories2016(collection, true);

    // Rows reach the list in batches: each addition makes the view lay out all its rows again,
    // so one per folder would make a large tree's scan take quadratic time.
    QStringList pending;
    QElapsedTimer sinceAdded;
    sinceAdded.start();
    const auto addPending = [&] {
        addRows(pending, folder);
        pending.clear();
        sinceAdded.restart();
    };
    for (const QString& entry : std::as_const(collection)) {
        // Not a yield the scan's rules ask for: it keeps the window answering while a large
        // tree's files are listed.
        letWindowHandleEvents();
        if (stopped())
            break;
        const QString entryFolder = entry.chopped(1);
        auto read = m_files.constFind(entry);
        if (read == m_files.cend())
            read = m_files.insert(entry, filesOf(listFolder(entry)));
        const auto tellOf = [&](const QStringList& names, const QString& reason) {
            for (const QString& name : names) {
                if (!name.startsWith(QLatin1Char('~')))
                    m_notAdded.append(NotAddedLine(
                        CollapseDoubleBackslashes(entryFolder + Separator + name), reason));
            }
        };
        tellOf(undecodableMatches(entry, read->undecodable, pattern), NameNotUtf8Reason());
        tellOf(tooLongMatches(entry, read->names, pattern), PathTooLongReason());
        for (const QString& name : openableMatches(entry, read->names, pattern)) {
            if (name.startsWith(QLatin1Char('~')))
                continue;
            // The listing has just opened each file: only its marks are left to look at.
            const QString path = entryFolder + Separator + name;
            if (!MayBeMarkedHidden(name) || FileAttributes(path) != HiddenPlainFile)
                pending.append(CollapseDoubleBackslashes(path));
        }
        if (sinceAdded.elapsed() >= 100)
            addPending();
    }
    addPending();
}

} // namespace orvalin
