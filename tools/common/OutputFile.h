#pragma once

#include <cstddef>
#include <string>

namespace orvalin::tools {

// A file that appears under its final name only once it has been written whole. It is written
// under a temporary name in the same folder (so the final rename stays on one file system) and
// renamed at commit; on every other way out, including SIGINT, SIGTERM and SIGHUP on Linux, the
// temporary file is removed. One at a time per process.
class OutputFile
{
public:
    enum class Replace { Allowed, Refused };

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { discard(); }

    // Creates the temporary file beside finalPath. On failure returns false and sets error.
    bool open(const std::string& finalPath, std::string& error);
    int descriptor() const { return fd_; }

    // Closes the file and gives it its final name. With Replace::Refused an existing file of
    // that name is left as it is and commit fails.
    bool commit(Replace replace, std::string& error);

    // Closes and removes the temporary file, if there is one.
    void discard();

    // The error number of the last failed open or commit.
    int errorNumber() const { return errorNumber_; }

private:
    int fd_ = -1;
    int errorNumber_ = 0;
    std::string finalPath_;
    std::string tempPath_;
};

// The folder part of a path ("." when it names none), and the last component.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// write(2) until every byte is out; false with errno set on failure.
bool writeAll(int fd, const void* data, std::size_t size);

} // namespace orvalin::tools
