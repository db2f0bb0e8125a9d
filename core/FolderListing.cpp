#include "core/FolderListing.h"

#include "core/PathHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#ifndef Q_OS_WIN
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace orvalin {

namespace {

bool nameOrder(const DirectoryEntry& a, const DirectoryEntry& b)
{
    const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.name < b.name;
}

} // namespace

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
        listing.error = (error == EACCES || error == EPERM)     ? PermissionDenied
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
        const bool decodable = QFile::encodeName(name) == raw;
        listing.entries.append({name, decodable, isFolder, decodable ? QByteArray() : raw});
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
        listing.entries.append({info.fileName(), true, info.isDir(), {}});
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

#ifdef Q_OS_WIN

// Windows keeps the marks on the file itself, on any name. A path past the old 260-character
// limit is read through its \\?\ form.
std::optional<int> FileAttributes(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return std::nullopt;
    QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (native.size() >= MAX_PATH && !native.startsWith(QLatin1String("\\\\?\\")))
        native = native.startsWith(QLatin1String("\\\\"))
                     ? QStringLiteral("\\\\?\\UNC\\") + native.mid(2)
                     : QStringLiteral("\\\\?\\") + native;
    const DWORD attributes = ::GetFileAttributesW(reinterpret_cast<LPCWSTR>(native.utf16()));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return int(attributes);
}

#else

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
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0)
        attributes |= Attribute::ReadOnly;
    return attributes;
}

#endif

bool MayBeMarkedHidden([[maybe_unused]] const QString& name)
{
#ifdef Q_OS_WIN
    return true;
#else
    return name.startsWith(QLatin1Char('.'));
#endif
}

bool HasUnsafeNameChars(const QString& name)
{
    for (const char32_t code : name.toUcs4()) {
        if (code < 32 || (code >= 127 && code <= 159) || code == U'?')
            return true;
    }
    return false;
}

#ifndef Q_OS_WIN
static bool isOpenableFile(const QByteArray& path)
{
    // Non-blocking, so a named pipe answers at once instead of waiting for a writer.
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return false;
    struct stat info;
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    ::close(descriptor);
    return regular;
}
#endif

bool IsOpenableFile(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return false;
#ifndef Q_OS_WIN
    return isOpenableFile(QFile::encodeName(path));
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
        expression = QRegularExpression(QRegularExpression::wildcardToRegularExpression(wildcard),
                                        QRegularExpression::CaseInsensitiveOption);
    }
    return expression.match(name).hasMatch();
}

QStringList openableMatches(const QString& folder, const QStringList& fileNames,
                            const QString& pattern)
{
    const QString prefix = withSeparator(folder);
    QStringList names;
    for (const QString& name : fileNames) {
        if (MatchesPattern(name, pattern) && IsOpenableFile(prefix + name))
            names.append(name);
    }
    return names;
}

bool PathTooLongToOpen([[maybe_unused]] const QString& path)
{
#ifndef Q_OS_WIN
    return QFile::encodeName(path).size() >= PATH_MAX; // PATH_MAX counts the closing zero
#else
    return false; // Qt opens long paths on Windows through their \\?\ form
#endif
}

QStringList tooLongMatches(const QString& folder, const QStringList& fileNames,
                           const QString& pattern)
{
    QStringList names;
    const QString prefix = withSeparator(folder);
    // No name is longer than 255 bytes: a folder with room for one that long is done with.
    if (!PathTooLongToOpen(prefix + QString(255, u'x')))
        return names;
    for (const QString& name : fileNames) {
        if (!name.startsWith(QLatin1Char('.')) && MatchesPattern(name, pattern)
            && PathTooLongToOpen(prefix + name))
            names.append(name);
    }
    return names;
}

QStringList undecodableMatches(const QString& folder, const QList<QByteArray>& fileNames,
                               const QString& pattern)
{
    QStringList names;
#ifndef Q_OS_WIN
    const QByteArray prefix = QFile::encodeName(withSeparator(folder));
    for (const QByteArray& bytes : fileNames) {
        const QString name = QFile::decodeName(bytes);
        if (!name.startsWith(QLatin1Char('.')) && MatchesPattern(name, pattern)
            && isOpenableFile(prefix + bytes))
            names.append(name);
    }
#else
    Q_UNUSED(folder)
    Q_UNUSED(fileNames)
    Q_UNUSED(pattern)
#endif
    return names;
}

QStringList ListFilesInFolder(const QString& folder, const QString& pattern)
{
    QStringList fileNames;
    for (const DirectoryEntry& entry : listFolder(withSeparator(folder)).entries) {
        if (!entry.isFolder)
            fileNames.append(entry.name);
    }
    return openableMatches(folder, fileNames, pattern);
}

} // namespace orvalin
