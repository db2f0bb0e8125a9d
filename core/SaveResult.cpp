#include "core/SaveResult.h"

#include "core/Failure.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

const QString KeepsWebPPicture =
    QStringLiteral("The file at the output name is a WebP picture and is kept");

#ifdef Q_OS_WIN

bool IsWebPFile(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8) == "WEBP";
}

void SaveResultAs(const QString& result, const QString& outputPath)
{
    if (IsWebPFile(outputPath))
        throw Failure(KeepsWebPPicture);
    QFile source(result);
    if (!source.open(QIODevice::ReadOnly))
        throw Failure(source.errorString());
    // QSaveFile refuses an existing file the user may not write, and commits nothing after a
    // failed write.
    QSaveFile target(outputPath);
    if (!target.open(QIODevice::WriteOnly))
        throw Failure(target.errorString());
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size()) {
            const QString reason = chunk.isEmpty() ? source.errorString() : target.errorString();
            target.cancelWriting();
            throw Failure(reason);
        }
    }
    if (!target.commit())
        throw Failure(target.errorString());
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

// The file that writing to the output name would reach: symbolic links there are followed,
// so the link stays a link and the file it names gets the result.
QByteArray followLinks(QByteArray path)
{
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info;
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
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
// umask applies) or with the mode of the file it will replace.
std::pair<int, QByteArray> createBeside(const QByteArray& target,
                                        const std::optional<struct stat>& replaced)
{
    const QByteArray folder = folderOf(target);
    const QByteArray name = target.mid(target.lastIndexOf('/') + 1);
    for (;;) {
        const QByteArray beside = folder + "/." + name + '.'
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
    if (!error && calls.sync(descriptor) != 0)
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
        throw Failure(KeepsWebPPicture);
    if (replaced && ::chmod(source.constData(), replaced->st_mode & 07777) != 0)
        failWith(errno); // a replaced file keeps its mode
    // Renaming costs nothing on the same file system; any other failure is named by the copy.
    // The result reaches the disk before it takes the name, so a power loss cannot leave an
    // empty file where the old one stood.
    if (onOneFileSystem(source, folderOf(target))) {
        syncFile(source, calls);
        if (::rename(source.constData(), target.constData()) == 0)
            return;
    }
    copyBesideAndRename(source, target, replaced, calls);
}

#endif

} // namespace orvalin
