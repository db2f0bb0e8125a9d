// Plays a start of the program, so a test can hand over from another process and as another user.
// Usage:
//   hand-over-probe NAME [PATH]...  hands the paths to the window listening under NAME; exits 0
//                                   when they were taken
//   hand-over-probe --default-name  prints the socket name a start would use
//   hand-over-probe --listen NAME   listens under NAME as any program might, prints "listening",
//                                   then takes one connection and prints how many bytes came
//                                   before it closed
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>

#include <cstdio>

namespace {

int listenAsAnyProgram(const QString& name)
{
    QLocalServer server;
    server.setSocketOptions(QLocalServer::WorldAccessOption);
    if (!server.listen(name))
        return 2;
    std::puts("listening");
    std::fflush(stdout);
    qint64 received = 0;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&] {
        QLocalSocket* socket = server.nextPendingConnection();
        const auto takeAll = [&received, socket] { received += socket->readAll().size(); };
        QObject::connect(socket, &QLocalSocket::readyRead, &server, takeAll);
        QObject::connect(socket, &QLocalSocket::disconnected, &server, [&received, takeAll] {
            takeAll();
            std::printf("received %lld\n", static_cast<long long>(received));
            QCoreApplication::quit();
        });
        takeAll();
    });
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments();
    if (arguments.size() < 2)
        return 2;
    arguments.removeFirst();
    const QString first = arguments.takeFirst();
    if (first == QLatin1String("--default-name")) {
        std::puts(qPrintable(orvalin::SingleInstance::DefaultName()));
        return 0;
    }
    if (first == QLatin1String("--listen"))
        return arguments.size() == 1 ? listenAsAnyProgram(arguments.first()) : 2;
    return orvalin::SingleInstance(first).handOver(arguments) ? 0 : 1;
}
