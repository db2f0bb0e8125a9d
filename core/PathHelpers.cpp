#include "core/PathHelpers.h"

#include "core/Failure.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace orvalin {

namespace {

#ifdef Q_OS_WIN
const QString LeadingSeparators = QStringLiteral("\\\\");
#else
const QString LeadingSeparators = QStringLiteral("/");
#endif

// A path the file system can be asked about. A NUL would cut the name short at the system
// call and name another file, so such a path names nothing.
bool isUsablePath(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0'));
}

bool isRealFolder(const QFileInfo& info)
{
    return info.isDir() && !info.isSymLink();
}

QString collapsePairs(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == Separator && i + 1 < text.size() && text[i + 1] == Separator)
            ++i;
    }
    return result;
}

} // namespace

bool PathExists(const QString& path)
{
    return isUsablePath(path) && QFileInfo::exists(path);
}

std::optional<bool> IsFolder(const QString& path)
{
    if (!isUsablePath(path))
        return std::nullopt;
#ifndef Q_OS_WIN
    // One system call in the usual case: folder scans ask this of every folder at every level.
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info;
    if (::stat(encoded.constData(), &info) == 0)
        return S_ISDIR(info.st_mode);
    if (::lstat(encoded.constData(), &info) == 0)
        return false; // a dangling link: there is an entry, and it is not a folder
    return std::nullopt;
#else
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir();
    if (info.isSymLink())
        return false; // a dangling link: there is an entry, and it is not a folder
    return std::nullopt;
#endif
}

void DeleteFileQuietly(const QString& path)
{
    if (!isUsablePath(path) || isRealFolder(QFileInfo(path)))
        return;
    if (QFile::remove(path))
        return;
    try {
        ForceDeleteFile(path);
    } catch (...) {
        // Quiet by contract: the caller never learns why the file stayed.
    }
}

void ForceDeleteFile(const QString& path)
{
    if (!isUsablePath(path))
        throw Failure(FailureText::FileNotFound());
    const QFileInfo info(path);
    if (isRealFolder(info) || (!info.exists() && !info.isSymLink()))
        throw Failure(FailureText::FileNotFound());

    QFile file(path);
    const bool isLink = info.isSymLink();
    const QFileDevice::Permissions before =
        isLink ? QFileDevice::Permissions{} : file.permissions();
    if (!isLink)
        file.setPermissions(before | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    if (file.remove())
        return;
    const QString reason = file.errorString();
    if (!isLink)
        file.setPermissions(before); // leave a file we could not delete as we found it
    throw Failure(reason);
}

QString GetFileName(const QString& path)
{
    return path.mid(path.lastIndexOf(Separator) + 1);
}

QString GetParentPath(const QString& path)
{
    const qsizetype last = path.lastIndexOf(Separator);
    return last < 0 ? QString() : path.left(last + 1);
}

QString RemoveExtension(const QString& name)
{
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    return lastDot > 0 ? name.left(lastDot) : name;
}

QString CollapseDoubleBackslashes(const QString& path)
{
    if (!path.startsWith(Separator))
        return collapsePairs(path);
    qsizetype restStart = 0;
    while (restStart < path.size() && path[restStart] == Separator)
        ++restStart;
    return LeadingSeparators + collapsePairs(QStringView(path).mid(restStart));
}

namespace {

// The folder's own name; a root's as KeptSubfolder says.
QString ownFolderName(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(Separator))
        folder.chop(1);
#ifdef Q_OS_WIN
    if (folder.size() == 2 && folder.at(1) == u':')
        return folder.left(1); // "D:"
#endif
    return GetFileName(folder);
}

} // namespace

QString KeptSubfolder(const QString& addedFrom, const QString& source)
{
    if (addedFrom.isEmpty())
        return {};
    const QString prefix = addedFrom.endsWith(Separator) ? addedFrom : addedFrom + Separator;
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity sensitivity = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity sensitivity = Qt::CaseSensitive;
#endif
    if (!source.startsWith(prefix, sensitivity))
        return {};
    const QString below = GetParentPath(source).mid(prefix.size());
    const QString name = ownFolderName(addedFrom);
    return name.isEmpty() ? below : name + Separator + below;
}

} // namespace orvalin
