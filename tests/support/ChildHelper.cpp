// A tiny child program for the process runner's tests.
//   child-helper exit N            ends at once with exit code N
//   child-helper crash             ends by a segmentation fault
//   child-helper wait-file PATH N  ends with N once PATH exists
//   child-helper args FILE ARG...  writes its arguments to FILE, each ended by a NUL, and ends with
//   0

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>
#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char* argv[])
{
#ifdef _WIN32
    // Windows hands main() its arguments in the ANSI code page; take the wide ones as UTF-8, as
    // the converter tools do, so the test sees what the runner really passed.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    static std::vector<std::string> utf8(count);
    static std::vector<char*> pointers;
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        utf8[i].resize(size);
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8[i].data(), size, nullptr, nullptr);
        pointers.push_back(utf8[i].data());
    }
    argc = count;
    argv = pointers.data();
#endif
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
