#include "tools/common/OutputFile.h"

#include "tools/common/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#ifdef _WIN32
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace orvalin::tools {

namespace {

// The temporary file to remove if a signal ends the process. The handler may read only what is
// safe there, so the path is published as a plain pointer into tempPath_.
std::atomic<const char*> pendingTemp{nullptr};

#ifndef _WIN32
extern "C" void removePendingAndExit(int signal)
{
    if (const char* path = pendingTemp.load())
        unlink(path);
    _exit(128 + signal);
}
#endif

void removeTempOnSignals()
{
#ifndef _WIN32
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    struct sigaction action = {};
    action.sa_handler = removePendingAndExit;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
#endif
    // On Windows no signal comes from outside: a parent ends a console program with
    // TerminateProcess, under which no code of ours runs, so the temporary file (its name holds
    // the process id) stays for the parent to remove. No console control handler (Ctrl+C)
    // either: it runs on another thread while the file is still open, and the C runtime opens
    // files without FILE_SHARE_DELETE, so it could not remove it.
}

std::string describeErrno(const char* what, const std::string& path)
{
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

// Whether the first `length` characters of the path name a root: "/", or on Windows also "\",
// "C:\" or "C:" (a drive's current folder).
bool isRoot([[maybe_unused]] const std::string& path, std::size_t length)
{
#ifdef _WIN32
    return length == 1 || path[length - 1] == ':' || (length == 3 && path[1] == ':');
#else
    return length == 1;
#endif
}

} // namespace

std::string folderOf(const std::string& path)
{
    const std::size_t start = fs::nameStart(path);
    if (start == 0)
        return ".";
    // The separator that ends the folder part goes, unless it is the root itself.
    return path.substr(0, isRoot(path, start) ? start : start - 1);
}

std::string nameOf(const std::string& path)
{
    return path.substr(fs::nameStart(path));
}

bool writeAll(int fd, const void* data, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = fs::write(fd, bytes, size);
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
    const std::string folderPart = finalPath.substr(0, fs::nameStart(finalPath));
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        tempPath_ = folderPart + ".orvalin-" + std::to_string(getpid()) + "-"
                    + std::to_string(attempt) + ".part";
        pendingTemp.store(tempPath_.c_str());
        fd_ = fs::open(tempPath_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            finalPath_ = finalPath;
            return true;
        }
        pendingTemp.store(nullptr);
        if (errno != EEXIST) {
            errorNumber_ = errno;
            error = describeErrno("cannot create a file in", folder);
            tempPath_.clear();
            return false;
        }
    }
    errorNumber_ = EEXIST;
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
        errorNumber_ = errno;
        error = describeErrno("cannot write", finalPath_);
        discard();
        return false;
    }
    if (!fs::rename(tempPath_, finalPath_, replace == Replace::Allowed)) {
        errorNumber_ = errno;
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
        fs::remove(tempPath_);
        pendingTemp.store(nullptr);
        tempPath_.clear();
    }
}

} // namespace orvalin::tools
