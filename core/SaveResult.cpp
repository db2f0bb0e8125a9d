#include "core/SaveResult.h"

#include "core/Failure.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <QRandomGenerator>

#include <algorithm>

#ifdef Q_OS_WIN
#include <QDir>

#include <string>
#include <utility>
#include <windows.h>
#else

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

QString KeepsWebPPicture()
{
    return QCoreApplication::translate("FailureReport",
                                       "The file at the output name is a WebP picture and is kept");
}

QString AnotherUsersLink()
{
    return QCoreApplication::translate("FailureReport",
                                       "The file at the output name is another user's link in a "
                                       "shared folder and is not followed");
}

QString NumberedName(const QString& path, int number)
{
    if (number == 0)
        return path;
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash + 1)
        dot = path.size(); // no extension: the number goes at the end
    return path.left(dot) + QStringLiteral(" (%1)").arg(number) + path.mid(dot);
}

#ifdef Q_OS_WIN

namespace {

// The path in the form Windows takes whatever its length: absolute, with backslashes, behind
// \\?\ (\\?\UNC\ for a network share).
std::wstring extendedPath(const QString& path)
{
    const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (full.startsWith(QLatin1String("\\\\?\\")) || full.startsWith(QLatin1String("\\\\.\\")))
        return full.toStdWString();
    if (full.startsWith(QLatin1String("\\\\")))
        return (QStringLiteral("\\\\?\\UNC\\") + full.mid(2)).toStdWString();
    return (QStringLiteral("\\\\?\\") + full).toStdWString();
}

// The file that writing to the output name would reach: a symbolic link there is written
// through and stays a link.
QString followLinks(const QString& outputPath)
{
    QFileInfo name(outputPath);
    for (int hop = 0; hop < 40 && name.isSymLink(); ++hop)
        name.setFile(name.symLinkTarget());
    return name.filePath();
}

} // namespace

bool IsWebPFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8) == "WEBP";
}

namespace {

bool entryExists(const QString& path)
{
    return ::GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Copies the result beside the target under a short name of its own (the target's own may be
// as long as a name can be), synced when it is to replace a file, and moves it to the target,
// replacing what is there or, without `replace`, only when nothing is: false then. Nothing of
// the copy stays after a failure or a refusal.
bool copyBesideAndMove(const QString& result, const QString& targetPath, bool replace)
{
    const QFileInfo target(targetPath);
    QFile source(result);
    if (!source.open(QIODevice::ReadOnly))
        throw Failure(source.errorString());
    std::wstring beside;
    HANDLE file = INVALID_HANDLE_VALUE;
    do {
        beside = extendedPath(target.absolutePath() + QStringLiteral("/.orvalin-")
                              + QString::number(QRandomGenerator::global()->generate64(), 36)
                              + QStringLiteral(".part"));
        file = ::CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    } while (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS);
    if (file == INVALID_HANDLE_VALUE)
        throw Failure(qt_error_string(int(::GetLastError())));
    const auto failWith = [&](const QString& reason) {
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
        ::DeleteFileW(beside.c_str());
        throw Failure(reason);
    };
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        DWORD written = 0;
        if (chunk.isEmpty())
            failWith(source.errorString());
        if (!::WriteFile(file, chunk.constData(), DWORD(chunk.size()), &written, nullptr)
            || written != DWORD(chunk.size()))
            failWith(qt_error_string(int(::GetLastError())));
    }
    // Only a file that replaces another must be on the disk before it takes the name.
    if (replace && target.exists() && !::FlushFileBuffers(file))
        failWith(qt_error_string(int(::GetLastError())));
    const HANDLE written = std::exchange(file, INVALID_HANDLE_VALUE);
    if (!::CloseHandle(written))
        failWith(qt_error_string(int(::GetLastError())));
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (::MoveFileExW(beside.c_str(), extendedPath(targetPath).c_str(), flags))
        return true;
    const DWORD error = ::GetLastError();
    if (!replace && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)) {
        ::DeleteFileW(beside.c_str());
        return false;
    }
    failWith(qt_error_string(int(error)));
    return false;
}

} // namespace

bool PlaceWithoutReplacing(const QString& result, const QString& target)
{
    if (!copyBesideAndMove(result, target, false))
        return false;
    QFile::remove(result); // moved, as a rename would have
    return true;
}

void SaveResultAs(const QString& result, const QString& outputPath)
{
    const QString targetPath = followLinks(outputPath);
    if (IsWebPFile(targetPath))
        throw Failure(KeepsWebPPicture());
    const QFileInfo target(targetPath);
    if (target.isDir())
        throw Failure(
            QCoreApplication::translate("FailureReport", "Filename refers to a directory"));
    if (target.exists() && !target.isWritable())
        throw Failure(
            QCoreApplication::translate("FailureReport", "Existing file %1 is not writable")
                .arg(targetPath));
    copyBesideAndMove(result, targetPath, true);
}

std::optional<QString> SaveResultAs(const QString& result, const QString& outputPath,
                                    IfExists ifExists)
{
    if (ifExists == IfExists::Replace) {
        SaveResultAs(result, outputPath);
        return outputPath;
    }
    for (int number = 0;; ++number) {
        const QString name = NumberedName(outputPath, number);
        if (!entryExists(name) && PlaceWithoutReplacing(result, name))
            return name;
        if (ifExists == IfExists::Skip)
            return std::nullopt;
    }
}

void CopyFileDates(const QString& from, const QString& to)
{
    const auto open = [](const QString& path, DWORD access) {
        return ::CreateFileW(extendedPath(path).c_str(), access,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    };
    const HANDLE source = open(from, FILE_READ_ATTRIBUTES);
    if (source == INVALID_HANDLE_VALUE)
        throw Failure(qt_error_string(int(::GetLastError())));
    FILETIME created, accessed, written;
    const bool read = ::GetFileTime(source, &created, &accessed, &written);
    const DWORD readError = ::GetLastError();
    ::CloseHandle(source);
    if (!read)
        throw Failure(qt_error_string(int(readError)));
    const HANDLE target = open(to, FILE_WRITE_ATTRIBUTES);
    if (target == INVALID_HANDLE_VALUE)
        throw Failure(qt_error_string(int(::GetLastError())));
    const bool set = ::SetFileTime(target, &created, &accessed, &written);
    const DWORD setError = ::GetLastError();
    ::CloseHandle(target);
    if (!set)
        throw Failure(qt_error_string(int(setError)));
}

#else

namespace {

constexpr std::size_t CopyChunk = 1 << 20;
constexpr int MaxLinkHops = 40; // as the kernel allows when it opens a name

[[noreturn]] void failWith(int error)
{
    throw Failure(QString::fromLocal8Bit(std::strerror(error)));
}

class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : path.left(std::max<qsizetype>(slash, 1));
}

// Whether the system would follow this link for this user: not another user's link in a
// folder that everyone may write to and that has the sticky bit, unless the folder is that
// user's. Such a link is how one user would make another's program write over a file of the
// second user's own (the kernel's protected_symlinks rule, which a rename never consults).
bool mayFollow(const QByteArray& link, const struct stat& linkInfo)
{
    if (linkInfo.st_uid == ::geteuid())
        return true;
    struct stat folder;
    if (::stat(folderOf(link).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || folder.st_uid == linkInfo.st_uid;
}

// The file that writing to the output name would reach: symbolic links there are followed, as
// the system would follow them, so the link stays a link and the file it names gets the result.
QByteArray followLinks(QByteArray path)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info;
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        if (!mayFollow(path, info))
            throw Failure(AnotherUsersLink());
        QByteArray aim(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), aim.data(), aim.size());
        if (length < 0)
            failWith(errno);
        aim.truncate(length);
        path = aim.startsWith('/') ? aim : folderOf(path) + '/' + aim;
    }
    failWith(ELOOP);
}

// What stands at the target now, refusing what a copy over it would fail on: a folder, or a
// file the user may not write. Renaming over the name would need only the folder's permission.
std::optional<struct stat> requireReplaceable(const QByteArray& target)
{
    struct stat info;
    if (::stat(target.constData(), &info) != 0)
        return std::nullopt;
    if (S_ISDIR(info.st_mode))
        failWith(EISDIR);
    if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        failWith(errno);
    return info;
}

int writeAll(int descriptor, const char* bytes, std::size_t size, const SaveCalls& calls)
{
    while (size > 0) {
        const ssize_t written = calls.write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return errno;
        if (written == 0)
            return ENOSPC;
        bytes += written;
        size -= std::size_t(written);
    }
    return 0;
}

// Copies every byte; the error number of the first failure, 0 when all arrived.
int copyBytes(int from, int to, const SaveCalls& calls)
{
    QByteArray chunk(CopyChunk, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(from, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (const int error = writeAll(to, chunk.constData(), std::size_t(got), calls))
            return error;
    }
}

// A new file beside the target under a name no one else uses, made as any new file is (the
// umask applies) or with the mode of the file it will replace. The name is short: the
// target's own may be as long as a name can be.
std::pair<int, QByteArray> createBeside(const QByteArray& target,
                                        const std::optional<struct stat>& replaced)
{
    const QByteArray folder = folderOf(target);
    for (;;) {
        const QByteArray beside = folder + "/.orvalin-"
                                  + QByteArray::number(QRandomGenerator::global()->generate64(), 36)
                                  + ".part";
        const int descriptor =
            ::open(beside.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno == EEXIST)
            continue;
        if (descriptor < 0)
            failWith(errno);
        if (replaced)
            ::fchmod(descriptor, replaced->st_mode & 07777);
        return {descriptor, beside};
    }
}

bool onOneFileSystem(const QByteArray& path, const QByteArray& folder)
{
    struct stat file, place;
    return ::stat(path.constData(), &file) == 0 && ::stat(folder.constData(), &place) == 0
           && file.st_dev == place.st_dev;
}

void syncFile(const QByteArray& path, const SaveCalls& calls)
{
    const Descriptor file(::open(path.constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0 || calls.sync(file.get()) != 0)
        failWith(errno);
}

// Writes the copy beside the target, syncs and closes it, and only then renames it over the
// target; after any failure the copy is removed and the target is as it was.
void copyBesideAndRename(const QByteArray& result, const QByteArray& target,
                         const std::optional<struct stat>& replaced, const SaveCalls& calls)
{
    const Descriptor source(::open(result.constData(), O_RDONLY | O_CLOEXEC));
    if (source.get() < 0)
        failWith(errno);
    const auto [descriptor, beside] = createBeside(target, replaced);
    int error = copyBytes(source.get(), descriptor, calls);
    if (!error && replaced && calls.sync(descriptor) != 0)
        error = errno;
    // A network file system may report a deferred write error only here.
    if (calls.close(descriptor) != 0 && !error)
        error = errno;
    if (!error && ::rename(beside.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(beside.constData());
        failWith(error);
    }
}

bool startsAsWebP(const QByteArray& path)
{
    // Non-blocking, so a named pipe at the name answers at once.
    const Descriptor file(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info;
    char header[12];
    return file.get() >= 0 && ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode)
           && ::read(file.get(), header, sizeof header) == sizeof header
           && std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WEBP", 4) == 0;
}

// Renames only when nothing stands at the new name, as one step: false when something does.
// Where a file system cannot (no RENAME_NOREPLACE), a hard link is made only where nothing
// stands; where it has no hard links either, the name is taken with an empty file made only
// where nothing stands, then renamed over.
bool renameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        failWith(errno);
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    const Descriptor taken(
        ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (taken.get() < 0 && errno == EEXIST)
        return false;
    if (taken.get() < 0 || ::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        if (taken.get() >= 0)
            ::unlink(to.constData());
        failWith(error);
    }
    return true;
}

// The result at the target, only when nothing stands there: renamed on the same file system,
// otherwise copied beside the target first. False when something stands there; nothing of a
// copy stays then.
bool placeWithoutReplacing(const QByteArray& source, const QByteArray& target)
{
    if (onOneFileSystem(source, folderOf(target)))
        return renameWithoutReplacing(source, target);
    const SaveCalls calls = SaveCalls::system();
    const Descriptor from(::open(source.constData(), O_RDONLY | O_CLOEXEC));
    if (from.get() < 0)
        failWith(errno);
    const auto [descriptor, beside] = createBeside(target, std::nullopt);
    int error = copyBytes(from.get(), descriptor, calls);
    if (::close(descriptor) != 0 && !error)
        error = errno;
    if (error) {
        ::unlink(beside.constData());
        failWith(error);
    }
    try {
        if (renameWithoutReplacing(beside, target))
            return true;
    } catch (const Failure&) {
        ::unlink(beside.constData());
        throw;
    }
    ::unlink(beside.constData());
    return false;
}

} // namespace

bool IsWebPFile(const QString& path)
{
    return startsAsWebP(QFile::encodeName(path));
}

SaveCalls SaveCalls::system()
{
    return {::write, ::fsync, ::close};
}

void SaveResultAs(const QString& result, const QString& outputPath)
{
    SaveResultAs(result, outputPath, SaveCalls::system());
}

void SaveResultAs(const QString& result, const QString& outputPath, const SaveCalls& calls)
{
    const QByteArray source = QFile::encodeName(result);
    const QByteArray target = followLinks(QFile::encodeName(outputPath));
    const std::optional<struct stat> replaced = requireReplaceable(target);
    if (startsAsWebP(target))
        throw Failure(KeepsWebPPicture());
    if (replaced && ::chmod(source.constData(), replaced->st_mode & 07777) != 0)
        failWith(errno); // a replaced file keeps its mode
    // Renaming costs nothing on the same file system; any other failure is named by the copy.
    // A result that replaces a file reaches the disk before it takes the name, so a power loss
    // cannot leave an empty file where the old one stood. One under a new name is not synced:
    // a power loss could cost that result alone, never a file that was there, and a sync per
    // file holds every writer of the file system back (its journal commits).
    if (onOneFileSystem(source, folderOf(target))) {
        if (replaced)
            syncFile(source, calls);
        if (::rename(source.constData(), target.constData()) == 0)
            return;
    }
    copyBesideAndRename(source, target, replaced, calls);
}

bool PlaceWithoutReplacing(const QString& result, const QString& target)
{
    return placeWithoutReplacing(QFile::encodeName(result), QFile::encodeName(target));
}

void CopyFileDates(const QString& from, const QString& to)
{
    struct stat source;
    if (::stat(QFile::encodeName(from).constData(), &source) != 0)
        failWith(errno);
    const timespec times[2] = {source.st_atim, source.st_mtim};
    if (::utimensat(AT_FDCWD, QFile::encodeName(to).constData(), times, 0) != 0)
        failWith(errno);
}

std::optional<QString> SaveResultAs(const QString& result, const QString& outputPath,
                                    IfExists ifExists)
{
    if (ifExists == IfExists::Replace) {
        SaveResultAs(result, outputPath);
        return outputPath;
    }
    const QByteArray source = QFile::encodeName(result);
    for (int number = 0;; ++number) {
        const QString name = NumberedName(outputPath, number);
        const QByteArray target = QFile::encodeName(name);
        struct stat entry;
        const bool free = ::lstat(target.constData(), &entry) != 0;
        if (free && errno != ENOENT)
            failWith(errno); // a name too long, a folder missing: no later number helps
        if (free && placeWithoutReplacing(source, target))
            return name;
        if (ifExists == IfExists::Skip)
            return std::nullopt;
    }
}

#endif

} // namespace orvalin
