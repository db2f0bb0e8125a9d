#include "core/WorkFolder.h"

#include "core/Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

namespace {

const QString NamePrefix = QStringLiteral("orvalin-run-");
const QString LockName = QStringLiteral(".lock");

#ifdef Q_OS_WIN

enum LockFile { MakeLockFile = CREATE_NEW, ExistingLockFile = OPEN_EXISTING };

// The lock file opened with no sharing: no one else can open it while the handle is held, and
// Windows closes the handle when its program ends, however it ends. -1 when the lock is held
// elsewhere or cannot be had.
qintptr takeLock(const QString& lockFile, LockFile creation)
{
    const HANDLE handle = ::CreateFileW(
        reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(lockFile).utf16()),
        GENERIC_READ | GENERIC_WRITE, 0, nullptr, DWORD(creation), FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? -1 : qintptr(handle);
}

void releaseLock(qintptr lock)
{
    if (lock != -1)
        ::CloseHandle(HANDLE(lock));
}

#else

enum LockFile { MakeLockFile = O_CREAT | O_EXCL, ExistingLockFile = 0 };

void releaseLock(qintptr lock)
{
    if (lock >= 0)
        ::close(int(lock));
}

// An open lock file, held until closed; -1 when the lock is taken or cannot be had.
qintptr takeLock(const QString& lockFile, LockFile creation)
{
    const int descriptor =
        ::open(QFile::encodeName(lockFile).constData(), creation | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return -1;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

bool ownedByThisUser(const QString& path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == ::geteuid();
}

#endif

} // namespace

QString TemporaryFolder()
{
    const QString temp = qEnvironmentVariable("TEMP");
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

WorkFolder::WorkFolder(const QString& temporaryFolder)
{
    QTemporaryDir folder(temporaryFolder + QLatin1Char('/') + NamePrefix
                         + QStringLiteral("XXXXXX"));
    if (!folder.isValid())
        throw Failure(QCoreApplication::translate("FailureReport", "Path not found: %1")
                          .arg(folder.errorString()));
    // The lock file is made with the folder: a folder without one was never used.
    m_lock = takeLock(folder.filePath(LockName), MakeLockFile);
    if (m_lock == -1)
        throw Failure(
            QCoreApplication::translate("FailureReport", "Path not found: %1").arg(folder.path()));
    folder.setAutoRemove(false);
    m_path = folder.path();
}

WorkFolder::~WorkFolder()
{
    removeNow();
}

void WorkFolder::removeNow()
{
    if (m_removed)
        return;
    m_removed = true;
    // Released first: Windows removes no file that is open without sharing.
    releaseLock(m_lock);
    m_lock = -1;
    QDir(m_path).removeRecursively();
}

QString WorkFolder::filePath(const QString& name) const
{
    return m_path + QLatin1Char('/') + name;
}

void RemoveAbandonedWorkFolders(const QString& temporaryFolder)
{
    const QStringList names = QDir(temporaryFolder)
                                  .entryList({NamePrefix + QLatin1Char('*')},
                                             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString folder = temporaryFolder + QLatin1Char('/') + name;
#ifndef Q_OS_WIN // the temporary folder is the user's own on Windows
        if (!ownedByThisUser(folder))
            continue;
#endif
        // Held by a living program, or just made and not locked yet: left alone.
        const qintptr lock = takeLock(folder + QLatin1Char('/') + LockName, ExistingLockFile);
        if (lock == -1)
            continue;
        releaseLock(lock);
        QDir(folder).removeRecursively();
    }
}

} // namespace orvalin
