#include "tools/common/OutputFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace orvalin::tools {

namespace {

// The temporary file to remove if a signal ends the process. The handler may read only what is
// safe there, so the path is published as a plain pointer into tempPath_.
std::atomic<const char*> pendingTemp{nullptr};

extern "C" void removePendingAndExit(int signal)
{
    if (const char* path = pendingTemp.load())
        unlink(path);
    _exit(128 + signal);
}

void removeTempOnSignals()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    struct sigaction action = {};
    action.sa_handler = removePendingAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

std::string describeErrno(const char* what, const std::string& path)
{
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

// rename() that refuses to replace an existing file. RENAME_NOREPLACE makes the check and the
// rename one step; file systems without it get link+unlink, which refuses an existing name too.
bool renameNoReplace(const char* from, const char* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(from, to) != 0)
        return false;
    unlink(from);
    return true;
}

} // namespace

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool OutputFile::open(const std::string& finalPath, std::string& error)
{
    discard();
    const std::string name = nameOf(finalPath);
    if (name.empty() || name == "." || name == "..") {
        error = "not a file name: " + finalPath;
        return false;
    }
    removeTempOnSignals();
    // A short fixed-form name: the final name may already be as long as a name can be.
    const std::string folder = folderOf(finalPath);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath_ = folder + "/.orvalin-" + std::to_string(getpid()) + "-" + std::to_string(attempt)
                    + ".part";
        pendingTemp.store(tempPath_.c_str());
        fd_ = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            finalPath_ = finalPath;
            return true;
        }
        pendingTemp.store(nullptr);
        if (errno != EEXIST) {
            error = describeErrno("cannot create a file in", folder);
            tempPath_.clear();
            return false;
        }
    }
    error = "cannot find a free temporary name in " + folder;
    tempPath_.clear();
    return false;
}

bool OutputFile::commit(Replace replace, std::string& error)
{
    if (fd_ < 0) {
        error = "no output file is open";
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
        error = describeErrno("cannot write", finalPath_);
        discard();
        return false;
    }
    const bool renamed = replace == Replace::Allowed
                             ? std::rename(tempPath_.c_str(), finalPath_.c_str()) == 0
                             : renameNoReplace(tempPath_.c_str(), finalPath_.c_str());
    if (!renamed) {
        error = errno == EEXIST ? finalPath_ + " already exists"
                                : describeErrno("cannot create", finalPath_);
        discard();
        return false;
    }
    pendingTemp.store(nullptr);
    tempPath_.clear();
    return true;
}

void OutputFile::discard()
{
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        pendingTemp.store(nullptr);
        tempPath_.clear();
    }
}

} // namespace orvalin::tools
