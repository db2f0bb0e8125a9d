#include "tools/common/FileSystem.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvalin::tools::fs {

#ifdef _WIN32

namespace {

// The most one _read or _write call moves: they count in unsigned int and return int.
constexpr std::size_t MaxTransfer = std::size_t(1) << 30;

std::wstring toWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                         static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), size);
    return wide;
}

std::string toUtf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return utf8;
}

void setErrnoFrom(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: errno = ENOENT; break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: errno = EEXIST; break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: errno = EACCES; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: errno = ENOSPC; break;
    case ERROR_NOT_SAME_DEVICE: errno = EXDEV; break;
    case ERROR_FILENAME_EXCED_RANGE: errno = ENAMETOOLONG; break;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY: errno = EINVAL; break;
    default: errno = EIO; break;
    }
}

// The path as the wide functions take it without the MAX_PATH limit: absolute, with
// backslashes, behind \\?\ (\\?\UNC\ for a network share). Device paths (\\.\) stay as they
// are. Empty, with errno set, when there is no such form.
std::wstring systemPath(const std::string& path)
{
    const std::wstring wide = toWide(path);
    if (wide.empty()) {
        errno = path.empty() ? ENOENT : EINVAL; // not UTF-8: no name can match it
        return {};
    }
    if (wide.starts_with(L"\\\\?\\"))
        return wide;
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD size =
        full.empty() ? 0 : GetFullPathNameW(wide.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (size == 0 || size >= full.size()) {
        setErrnoFrom(GetLastError());
        return {};
    }
    full.resize(size);
    if (full.starts_with(L"\\\\.\\"))
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Opening a folder fails with EACCES on Windows; EISDIR says what is wrong.
void explainAccessDenied(const std::wstring& path)
{
    if (errno != EACCES)
        return;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        errno = EISDIR;
}

} // namespace

int open(const std::string& path, int flags, int mode)
{
    const std::wstring wide = systemPath(path);
    if (wide.empty())
        return -1;
    const int fd = _wopen(wide.c_str(), flags | _O_BINARY | _O_NOINHERIT, mode);
    if (fd < 0)
        explainAccessDenied(wide);
    return fd;
}

std::FILE* fopen(const std::string& path, const char* mode)
{
    const std::wstring wide = systemPath(path);
    if (wide.empty())
        return nullptr;
    // Binary, not inherited by child processes ('N').
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    if (wideMode.find(L'b') == std::wstring::npos)
        wideMode += L'b';
    wideMode += L'N';
    std::FILE* file = _wfopen(wide.c_str(), wideMode.c_str());
    if (!file)
        explainAccessDenied(wide);
    return file;
}

int fstat(int fd, FileInfo& info)
{
    return _fstat64(fd, &info);
}

bool exists(const std::string& path)
{
    const std::wstring wide = systemPath(path);
    return !wide.empty() && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool remove(const std::string& path)
{
    const std::wstring wide = systemPath(path);
    if (wide.empty())
        return false;
    if (DeleteFileW(wide.c_str()))
        return true;
    setErrnoFrom(GetLastError());
    return false;
}

bool rename(const std::string& from, const std::string& to, bool replace)
{
    const std::wstring wideFrom = systemPath(from);
    const std::wstring wideTo = systemPath(to);
    if (wideFrom.empty() || wideTo.empty())
        return false;
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists, in the same step.
    if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(), replace ? MOVEFILE_REPLACE_EXISTING : 0))
        return true;
    setErrnoFrom(GetLastError());
    return false;
}

ssize_t read(int fd, void* data, std::size_t size)
{
    return _read(fd, data, static_cast<unsigned>(std::min(size, MaxTransfer)));
}

ssize_t write(int fd, const void* data, std::size_t size)
{
    return _write(fd, data, static_cast<unsigned>(std::min(size, MaxTransfer)));
}

ssize_t writev(int fd, const iovec* pieces, int count)
{
    ssize_t total = 0;
    for (int i = 0; i < count; ++i) {
        const ssize_t written = write(fd, pieces[i].iov_base, pieces[i].iov_len);
        if (written < 0)
            return total > 0 ? total : -1;
        total += written;
        if (static_cast<std::size_t>(written) < pieces[i].iov_len)
            break;
    }
    return total;
}

int runWithUtf8Arguments(int argc, wchar_t** argv, int (*run)(int, char**))
{
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(toUtf8(argv[i]));
    std::vector<char*> pointers;
    for (auto& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return run(argc, pointers.data());
}

std::size_t nameStart(const std::string& path)
{
    const auto separator = path.find_last_of("/\\");
    if (separator != std::string::npos)
        return separator + 1;
    return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

#else

bool rename(const std::string& from, const std::string& to, bool replace)
{
    if (replace)
        return std::rename(from.c_str(), to.c_str()) == 0;
    // RENAME_NOREPLACE makes the check and the rename one step; file systems without it get
    // link+unlink, which refuses an existing name too.
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(from.c_str(), to.c_str()) != 0)
        return false;
    unlink(from.c_str());
    return true;
}

std::size_t nameStart(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

#endif

} // namespace orvalin::tools::fs
