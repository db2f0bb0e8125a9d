#pragma once

// Every file-system call the tools make, by UTF-8 path. On Linux these are the plain calls. On
// Windows a path is turned into UTF-16 and into its full form behind the \\?\ prefix, so names
// in any script and paths longer than MAX_PATH (260 characters) work, and the wide functions
// are called; failures set errno as on Linux, so the tools' messages read the same.

#include <cstddef>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
// Descriptors are always opened in binary mode and never handed to a child process.
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef S_ISREG
#define S_ISREG(mode) (((mode)&S_IFMT) == S_IFREG)
#endif
#ifndef S_ISDIR
#define S_ISDIR(mode) (((mode)&S_IFMT) == S_IFDIR)
#endif
#else
#include <climits>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace orvalin::tools::fs {

#ifdef _WIN32
using FileInfo = struct _stat64; // 64-bit sizes: the plain struct stat holds 32 bits there
struct iovec
{
    void* iov_base;
    std::size_t iov_len;
};
constexpr int IovMax = 1024;

int open(const std::string& path, int flags, int mode = 0);
std::FILE* fopen(const std::string& path, const char* mode);
int fstat(int fd, FileInfo& info);
bool exists(const std::string& path);
bool remove(const std::string& path);
ssize_t read(int fd, void* data, std::size_t size);
ssize_t write(int fd, const void* data, std::size_t size);
// The pieces one after another; returns the bytes written up to the first short write.
ssize_t writev(int fd, const iovec* pieces, int count);

// Converts the wide arguments wmain receives to UTF-8 and runs the tool with them. Standard
// error is switched to binary mode, so messages end in "\n" as on Linux.
int runWithUtf8Arguments(int argc, wchar_t** argv, int (*run)(int, char**));
#else
using FileInfo = struct stat;
using ::iovec;
constexpr int IovMax = IOV_MAX;

inline int open(const std::string& path, int flags, int mode = 0)
{
    return ::open(path.c_str(), flags, mode);
}
inline std::FILE* fopen(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}
inline int fstat(int fd, FileInfo& info)
{
    return ::fstat(fd, &info);
}
// Whether anything has that name: a dangling symbolic link counts.
inline bool exists(const std::string& path)
{
    FileInfo info;
    return lstat(path.c_str(), &info) == 0;
}
inline bool remove(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}
inline ssize_t read(int fd, void* data, std::size_t size)
{
    return ::read(fd, data, size);
}
inline ssize_t write(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, size);
}
inline ssize_t writev(int fd, const iovec* pieces, int count)
{
    return ::writev(fd, pieces, count);
}
#endif

// Gives `from` the name `to`. With replace false an existing `to` is kept and the call fails
// with errno EEXIST; the check and the rename are one step, so no race can destroy that file.
bool rename(const std::string& from, const std::string& to, bool replace);

// Where the last component of a path begins: after the last '/' (on Windows also after a '\'
// or a drive's "X:"); 0 when the path has no folder part.
std::size_t nameStart(const std::string& path);

} // namespace orvalin::tools::fs
