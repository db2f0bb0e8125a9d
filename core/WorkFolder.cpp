#include "core/WorkFolder.h"

#include "core/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

namespace {

const QString NamePrefix = QStringLiteral("orvalin-run-");
const QString LockName = QStringLiteral(".lock");

#ifndef Q_OS_WIN

// An open lock file, held until closed; -1 when the lock is taken or cannot be had.
int takeLock(const QString& lockFile, int openFlags)
{
    const int descriptor =
        ::open(QFile::encodeName(lockFile).constData(), openFlags | O_RDWR | O_CLOEXEC, 0600);
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
        throw Failure(QStringLiteral("Path not found: ") + folder.errorString());
#ifndef Q_OS_WIN
    // The lock file is made with the folder: a folder without one was never used.
    m_lock = takeLock(folder.filePath(LockName), O_CREAT | O_EXCL);
    if (m_lock < 0)
        throw Failure(QStringLiteral("Path not found: ") + folder.path());
#endif
    folder.setAutoRemove(false);
    m_path = folder.path();
}

WorkFolder::~WorkFolder()
{
    QDir(m_path).removeRecursively();
#ifndef Q_OS_WIN
    ::close(m_lock);
#endif
}

QString WorkFolder::filePath(const QString& name) const
{
    return m_path + QLatin1Char('/') + name;
}

void RemoveAbandonedWorkFolders(const QString& temporaryFolder)
{
#ifndef Q_OS_WIN
    const QStringList names = QDir(temporaryFolder)
                                  .entryList({NamePrefix + QLatin1Char('*')},
                                             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        const QString folder = temporaryFolder + QLatin1Char('/') + name;
        if (!ownedByThisUser(folder))
            continue;
        // Held by a living program, or just made and not locked yet: left alone.
        const int lock = takeLock(folder + QLatin1Char('/') + LockName, 0);
        if (lock < 0)
            continue;
        QDir(folder).removeRecursively();
        ::close(lock);
    }
#else
    Q_UNUSED(temporaryFolder);
#endif
}

} // namespace orvalin
