// A tiny child program for the process runner's tests.
//   child-helper exit N            ends at once with exit code N
//   child-helper crash             ends by a segmentation fault
//   child-helper wait-file PATH N  ends with N once PATH exists
//   child-helper args FILE ARG...  writes its arguments to FILE, each ended by a NUL, and ends with
//   0

#include "tools/common/FileSystem.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <sys/stat.h>

namespace {

int run(int argc, char* argv[])
{
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0)
        return std::atoi(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "crash") == 0) {
        std::raise(SIGSEGV);
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "wait-file") == 0) {
        struct stat info;
        while (stat(argv[2], &info) != 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return std::atoi(argv[3]);
    }
    if (argc >= 3 && std::strcmp(argv[1], "args") == 0) {
        std::FILE* out = std::fopen(argv[2], "wb");
        if (!out)
            return 90;
        for (int i = 3; i < argc; ++i)
            std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
        return std::fclose(out) == 0 ? 0 : 91;
    }
    std::fprintf(stderr, "child-helper: unknown request\n");
    return 99;
}

} // namespace

#ifdef _WIN32
// Wide arguments taken as UTF-8, as the converter tools take them, so the test sees what the
// runner really passed.
int wmain(int argc, wchar_t** argv)
{
    return orvalin::tools::fs::runWithUtf8Arguments(argc, argv, run);
}
#else
int main(int argc, char* argv[])
{
    return run(argc, argv);
}
#endif
