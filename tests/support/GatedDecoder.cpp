// A decoder for runs whose timing a test decides, written into a run in place of the real
// one: gated-decoder SOURCE -o PNG waits while SOURCE.hold exists, runs the real decoder, and
// then leaves SOURCE.decoded. It polls without starting processes, so while it waits it is
// the only process of its row.
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    const std::string source = argv[1];
    struct stat info;
#ifdef _WIN32
    while (::stat((source + ".hold").c_str(), &info) == 0)
        ::Sleep(2);
    // The runtime joins the arguments with blanks and quotes none of them.
    std::string quoted[4] = {std::string("\"") + WEBP_DECODE + '"'};
    const char* arguments[5] = {quoted[0].c_str()};
    for (int i = 1; i < 4; ++i) {
        quoted[i] = '"' + std::string(argv[i]) + '"';
        arguments[i] = quoted[i].c_str();
    }
    arguments[4] = nullptr;
    const intptr_t status = ::_spawnv(_P_WAIT, WEBP_DECODE, arguments);
    ::_close(::_open((source + ".decoded").c_str(), _O_WRONLY | _O_CREAT, 0644));
    return status < 0 ? 1 : int(status);
#else
    while (::stat((source + ".hold").c_str(), &info) == 0)
        ::usleep(2000);
    const pid_t child = ::fork();
    if (child == 0) {
        argv[0] = const_cast<char*>(WEBP_DECODE);
        ::execv(WEBP_DECODE, argv);
        ::_exit(127);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return 1;
    ::close(::open((source + ".decoded").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
#endif
}
