#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace orvalin {

// The private folder a run works in: a new folder with a name no one could have planted and
// owner-only access, inside the temporary folder, removed with everything in it when this
// goes. While it lives it holds a lock that its program's end releases however it ends, so a
// folder left by a program killed outright is told from one in use and removed by a later
// run of the same user, never while its program still lives.
class WorkFolder
{
public:
    // Throws Failure when the folder cannot be made.
    explicit WorkFolder(const QString& temporaryFolder);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const;

    // Releases the lock and removes the folder with everything in it now, rather than when
    // this goes: for a program that may be ended before its run unwinds. The programs run
    // from it must have ended (Windows keeps a running program's file).
    void removeNow();

private:
    QString m_path;
    qintptr m_lock = -1; // a descriptor on Linux, a handle on Windows
    bool m_removed = false;
};

// The temporary folder: the variable TEMP when set, otherwise the platform's.
QString TemporaryFolder();

// Removes the work folders in the temporary folder that were left by runs of this user whose
// program no longer lives.
void RemoveAbandonedWorkFolders(const QString& temporaryFolder);

} // namespace orvalin
