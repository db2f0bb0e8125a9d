#include "FolderScan.h"

#include "FailureReport.h"
#include "FileListView.h"
#include "PathHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

namespace {

// The folder cannot be listed: access denied, or it is not there (any more).
constexpr int PermissionDenied = 70;
constexpr int PathNotFound = 76;

struct DirectoryEntry
{
    QString name;
    bool decodable; // the name's bytes come back the same when the name is encoded again
    bool isFolder;  // links followed
};

struct Listing
{
    QList<DirectoryEntry> entries;
    int error = 0; // 0, PermissionDenied, PathNotFound, or another failure
};

bool nameOrder(const DirectoryEntry& a, const DirectoryEntry& b)
{
    const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.name < b.name;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(Separator) ? folder : folder + Separator;
}

#ifndef Q_OS_WIN

Listing listFolder(const QString& folder)
{
    Listing listing;
    const QByteArray encoded = QFile::encodeName(folder);
    const int descriptor = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* directory = descriptor < 0 ? nullptr : ::fdopendir(descriptor);
    if (!directory) {
        const int error = errno;
        if (descriptor >= 0)
            ::close(descriptor);
        listing.error = (error == EACCES || error == EPERM) ? PermissionDenied
                        : (error == ENOENT || error == ENOTDIR) ? PathNotFound
                                                                : error;
        return listing;
    }
    while (const dirent* entry = ::readdir(directory)) {
        const QByteArray raw(entry->d_name);
        if (raw == "." || raw == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            isFolder = ::fstatat(descriptor, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        const QString name = QFile::decodeName(raw);
        listing.entries.append({name, QFile::encodeName(name) == raw, isFolder});
    }
    ::closedir(directory);
    std::sort(listing.entries.begin(), listing.entries.end(), nameOrder);
    return listing;
}

QByteArray folderIdentity(const QString& folder)
{
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0)
        return QFile::encodeName(QDir::cleanPath(folder));
    QByteArray identity;
    identity.append(reinterpret_cast<const char*>(&info.st_dev), sizeof info.st_dev);
    identity.append(reinterpret_cast<const char*>(&info.st_ino), sizeof info.st_ino);
    return identity;
}

#else

Listing listFolder(const QString& folder)
{
    Listing listing;
    const QDir dir(folder);
    if (!dir.exists()) {
        listing.error = PathNotFound;
        return listing;
    }
    if (!QFileInfo(folder).isReadable()) {
        listing.error = PermissionDenied;
        return listing;
    }
    const QFileInfoList infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : infos)
        listing.entries.append({info.fileName(), true, info.isDir()});
    std::sort(listing.entries.begin(), listing.entries.end(), nameOrder);
    return listing;
}

QByteArray folderIdentity(const QString& folder)
{
    return QFileInfo(folder).canonicalFilePath().toCaseFolded().toUtf8();
}

#endif

bool isRootFolder(const QString& folder)
{
    return QDir(folder).isRoot();
}

} // namespace

std::optional<int> FileAttributes(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    const QString name = QDir::cleanPath(path).section(QLatin1Char('/'), -1);
    int attributes = 0;
    const bool hidden = name.startsWith(QLatin1Char('.')) && name != QLatin1String(".")
                        && name != QLatin1String("..");
    if (info.isDir())
        attributes |= Attribute::Directory;
    if (hidden)
        attributes |= Attribute::Hidden;
    if (hidden && info.isDir())
        attributes |= Attribute::System;
    if (info.isFile())
        attributes |= Attribute::Archive;
    if (info.isSymLink())
        attributes |= Attribute::ReparsePoint;
#ifndef Q_OS_WIN
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        attributes |= Attribute::ReadOnly;
#else
    if (!info.isWritable())
        attributes |= Attribute::ReadOnly;
#endif
    return attributes;
}

bool HasUnsafeNameChars(const QString& name)
{
    for (const char32_t code : name.toUcs4()) {
        if (code < 32 || (code >= 127 && code <= 159) || code == U'?')
            return true;
    }
    return false;
}

bool IsOpenableFile(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return false;
#ifndef Q_OS_WIN
    // Non-blocking, so a named pipe answers at once instead of waiting for a writer.
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return false;
    struct stat info;
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    ::close(descriptor);
    return regular;
#else
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
#endif
}

bool MatchesPattern(const QString& name, const QString& pattern)
{
    const QString wildcard = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
    static thread_local QString lastPattern;
    static thread_local QRegularExpression expression;
    if (wildcard != lastPattern) {
        lastPattern = wildcard;
        expression = QRegularExpression(
            QRegularExpression::wildcardToRegularExpression(wildcard),
            QRegularExpression::CaseInsensitiveOption);
    }
    return expression.match(name).hasMatch();
}

namespace {

// The names, in their order, that match the pattern and open as files in the folder.
QStringList openableMatches(const QString& folder, const QStringList& fileNames, const QString& pattern)
{
    const QString prefix = withSeparator(folder);
    QStringList names;
    for (const QString& name : fileNames) {
        if (MatchesPattern(name, pattern) && IsOpenableFile(prefix + name))
            names.append(name);
    }
    return names;
}

} // namespace

QStringList ListFilesInFolder(const QString& folder, const QString& pattern)
{
    QStringList fileNames;
    for (const DirectoryEntry& entry : listFolder(withSeparator(folder)).entries) {
        if (!entry.isFolder)
            fileNames.append(entry.name);
    }
    return openableMatches(folder, fileNames, pattern);
}

FolderScan::FolderScan(MessageBoxes& messageBoxes, QWidget* owner, const bool& stopRequested)
    : m_messageBoxes(messageBoxes), m_owner(owner), m_stopRequested(stopRequested)
{
}

void FolderScan::letWindowHandleEvents()
{
    QCoreApplication::processEvents();
}

bool FolderScan::firstVisit(const QString& folder)
{
    const QByteArray identity = folderIdentity(folder);
    if (m_visited.contains(identity))
        return false;
    m_visited.insert(identity);
    return true;
}

static bool startsHidden(const QString& path)
{
    return GetFileName(path.endsWith(Separator) ? path.chopped(1) : path).startsWith(QLatin1Char('.'));
}

bool FolderScan::mayEnter(const QString& folder) const
{
    // Only a hidden name can carry the hidden and system marks, so others need no look.
    if (!startsHidden(folder) || isRootFolder(folder))
        return true;
    const std::optional<int> attributes = FileAttributes(folder);
    return !attributes || (*attributes != HiddenSystemFolder && *attributes != HiddenSystemFolderLink);
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
        if (!guard.test(102, [&] { return IsFolder(folder) == true && folder.size() < MaxPathLength; }))
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
            collection.removeOne(folder);
            continue;
        }
        QStringList& fileNames = m_fileNames[folder];
        for (const DirectoryEntry& entry : listing.entries) {
            if (!entry.isFolder) {
                fileNames.append(entry.name);
                continue;
            }
            guard.step(108, [&] { letWindowHandleEvents(); });
            if (stopped())
                return;
            guard.step(110, [&] {
                const QString& name = entry.name;
                if (name.size() >= MaxNameLength || !entry.decodable || HasUnsafeNameChars(name)
                    || name.contains(QLatin1Char('?')) || name == QLatin1String(".")
                    || name == QLatin1String(".."))
                    return;
                level.append(folder + name + Separator);
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

void FolderScan::AddFolderTree(const QString& folder, const QString& pattern, FileListView& list)
{
    QStringList collection{folder + Separator};
    GetSubDirectories2016(collection, true);

    // Rows reach the list in batches: each addition makes the view lay out all its rows again,
    // so one per folder would make a large tree's scan take quadratic time.
    QStringList pending;
    QElapsedTimer sinceAdded;
    sinceAdded.start();
    const auto addPending = [&] {
        list.addRows(pending);
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
        const auto read = m_fileNames.constFind(entry);
        const QStringList names = read == m_fileNames.cend()
                                      ? ListFilesInFolder(entryFolder, pattern)
                                      : openableMatches(entry, *read, pattern);
        for (const QString& name : names) {
            if (name.startsWith(QLatin1Char('~')))
                continue;
            // The listing has just opened each file; only a hidden name can be hidden and
            // archive and nothing else.
            const QString path = entryFolder + Separator + name;
            if (!name.startsWith(QLatin1Char('.')) || FileAttributes(path) != HiddenPlainFile)
                pending.append(CollapseDoubleBackslashes(path));
        }
        if (sinceAdded.elapsed() >= 100)
            addPending();
    }
    addPending();
}

} // namespace orvalin
