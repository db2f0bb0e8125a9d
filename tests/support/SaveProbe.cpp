// Saves a result at an output name as a run does and prints the failure, if any, so a test can
// save as another user. Usage: save-probe RESULT OUTPUT
#include "core/Failure.h"
#include "core/SaveResult.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    try {
        orvalin::SaveResultAs(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const orvalin::Failure& failure) {
        std::printf("%s\n", failure.what());
        return 1;
    }
    return 0;
}
