// Starts a converter worker as a run does, with the run's bounds, asks it to convert SOURCE
// into OUTPUT, prints the worker's process id and runs until it is ended, so a test can end it
// outright and see what becomes of its worker. Usage: worker-probe WORKER SOURCE OUTPUT
#include "core/ConverterWorker.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 4)
        return 2;
    orvalin::WorkerPool workers(arguments[1], 1);
    orvalin::ConverterWorker* worker = workers.take();
    if (!worker || !worker->started())
        return 1;
    worker->convert(arguments[2], arguments[3], {85}, orvalin::ToolTimeLimit{}, {});
    std::printf("%lld\n", static_cast<long long>(worker->processId()));
    std::fflush(stdout);
    return application.exec();
}
