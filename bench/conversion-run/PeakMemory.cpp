// peak-memory: runs a program and writes its peak resident memory, in KiB, into a file.
//
//   peak-memory OUT_FILE PROGRAM [ARGUMENTS...]
//
// The exit code is the program's (128 + the signal when a signal ended it, 127 when it could
// not start). Linux counts into a child's peak the memory of the process it was started from,
// as it stood before the child's program was loaded, so a large process (the benchmark with
// its window) cannot read a small tool's peak from getrusage itself. This small program starts
// the tool instead: its own few hundred KiB are all that can be counted in.

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("Usage: peak-memory OUT_FILE PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const pid_t child = fork();
    if (child < 0)
        return 127;
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return 127;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out || std::fprintf(out, "%ld\n", long(usage.ru_maxrss)) < 0 || std::fclose(out) != 0)
        return 127;
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}
