#include "app/SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orvalin {

namespace {

constexpr quint32 HandOverMark = 0x4f52564c; // "ORVL": a hand-over, and nothing else
constexpr char Taken = '1';
constexpr int AnswerWait = 10000; // milliseconds; a window busy with a modal box still answers

#ifndef Q_OS_WIN
// Only a socket this user made is talked to: in a shared folder another user could have put
// one there first.
bool madeByThisUser(const QString& name)
{
    struct stat info;
    return ::lstat(QFile::encodeName(name).constData(), &info) == 0 && info.st_uid == ::geteuid();
}

// The user at the other end of a connection: on the listening side the one who connected, on
// the connecting side the one who listens.
bool peerIsThisUser(const QLocalSocket& socket)
{
    struct ucred peer;
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
           && peer.uid == ::geteuid();
}

// A runtime folder someone else owns could have its socket replaced by them, and one this user
// cannot write holds no socket of theirs: either is as good as none.
bool isOwnWritableFolder(const QString& path)
{
    struct stat info;
    const QByteArray name = QFile::encodeName(path);
    return ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && info.st_uid == ::geteuid()
           && ::faccessat(AT_FDCWD, name.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}
#else
bool madeByThisUser(const QString&)
{
    return true;
}
bool peerIsThisUser(const QLocalSocket&)
{
    return true;
}
bool isOwnWritableFolder(const QString& path)
{
    return QFileInfo(path).isDir();
}
#endif

bool windowAnswers(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(1000);
}

} // namespace

QString SingleInstance::DefaultName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isOwnWritableFolder(runtime))
        return runtime + QStringLiteral("/orvalin.socket");
#ifndef Q_OS_WIN
    return QDir::tempPath() + QStringLiteral("/orvalin-%1.socket").arg(::geteuid());
#else
    return QStringLiteral("orvalin-") + qEnvironmentVariable("USERNAME");
#endif
}

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QStringList& paths) const
{
    if (!madeByThisUser(m_name))
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_name);
    // The paths go only to a window of this user's: another user's listener on the name gets
    // nothing, and this start opens its own window.
    if (!socket.waitForConnected(AnswerWait) || !peerIsThisUser(socket))
        return false;
    QByteArray message;
    QDataStream(&message, QIODevice::WriteOnly) << HandOverMark << paths;
    socket.write(message);
    if (!socket.waitForBytesWritten(AnswerWait) || !socket.waitForReadyRead(AnswerWait))
        return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == Taken;
}

bool SingleInstance::listen(std::function<void(const QStringList&)> receive)
{
    m_receive = std::move(receive);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this] { takeConnection(); });
    // A socket this user made but no window answers on was left by a program that was
    // killed: it is cleared away. Another user's file there is never touched.
    if (QFileInfo::exists(m_name) || QFileInfo(m_name).isSymLink()) {
        if (!madeByThisUser(m_name)) {
            // Another user took the name in a shared folder: this window works alone.
            qWarning("orvalin: %s belongs to another user; later starts open windows of their own",
                     qPrintable(m_name));
            return false;
        }
        if (windowAnswers(m_name))
            return false;
        QLocalServer::removeServer(m_name);
    }
    return m_server->listen(m_name);
}

void SingleInstance::takeConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(*socket)) {
            socket->abort();
            continue;
        }
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            QDataStream stream(socket);
            stream.startTransaction();
            quint32 mark = 0;
            QStringList paths;
            stream >> mark >> paths;
            if (!stream.commitTransaction())
                return; // the rest has not arrived yet
            if (mark != HandOverMark) {
                socket->abort();
                return;
            }
            socket->putChar(Taken);
            socket->flush();
            // Adding may scan folders and show boxes: it waits until the socket is done with.
            QTimer::singleShot(0, m_server.get(), [this, paths] { m_receive(paths); });
        });
    }
}

} // namespace orvalin
