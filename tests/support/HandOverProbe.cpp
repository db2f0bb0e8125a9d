// Hands paths to the window listening under a socket name, as a later start of the program
// does, so a test can hand over from another process and as another user.
// Usage: hand-over-probe NAME [PATH]...; exits 0 when the paths were taken.
#include "app/SingleInstance.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments();
    if (arguments.size() < 2)
        return 2;
    arguments.removeFirst();
    const QString name = arguments.takeFirst();
    return orvalin::SingleInstance(name).handOver(arguments) ? 0 : 1;
}
