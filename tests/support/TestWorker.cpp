// A converter worker for runs whose timing a test decides, in place of the real one: it serves
// conversions exactly as convert-worker does, but before it reads a file SOURCE it waits while
// SOURCE.hold exists and then, if SOURCE.crash exists, ends by a segmentation fault; once the
// file is decoded and the 'D' answer sent, it leaves SOURCE.decoded and waits while
// SOURCE.hold-encoding exists. It polls without starting
// processes, so while it waits it is the only process of its run.
#include "tools/common/FileSystem.h"
#include "tools/convert-worker/ConvertWorker.h"

#include <csignal>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

using namespace orvalin::tools;

namespace {

void waitWhileThere(const std::string& path)
{
    while (fs::exists(path)) {
#ifdef _WIN32
        ::Sleep(2);
#else
        ::usleep(2000);
#endif
    }
}

} // namespace

int main()
{
    WorkerHooks hooks;
    hooks.beforeFile = [](const std::string& source) {
        waitWhileThere(source + ".hold");
        if (fs::exists(source + ".crash"))
            std::raise(SIGSEGV);
    };
    hooks.afterDecode = [](const std::string& source) {
        const int fd = fs::open(source + ".decoded", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
        waitWhileThere(source + ".hold-encoding");
    };
    return serveConversions(0, 1, hooks);
}
