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
#else
#include <windows.h>

#include <sddl.h>

#include <vector>
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
bool listenerIsThisUser(const QLocalSocket& socket)
{
    return peerIsThisUser(socket);
}
bool callerIsThisUser(const QLocalSocket& socket)
{
    return peerIsThisUser(socket);
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

bool windowAnswers(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    return probe.waitForConnected(1000);
}
#else
// The user a process runs as; empty when it cannot be told.
std::vector<BYTE> userOfProcess(HANDLE process)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    const bool read = size && ::GetTokenInformation(token, TokenUser, user.data(), size, &size);
    ::CloseHandle(token);
    return read ? user : std::vector<BYTE>{};
}

bool processIsThisUser(ULONG id)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!process)
        return false;
    const std::vector<BYTE> theirs = userOfProcess(process);
    ::CloseHandle(process);
    const std::vector<BYTE> ours = userOfProcess(::GetCurrentProcess());
    return !theirs.empty() && !ours.empty()
           && ::EqualSid(reinterpret_cast<const TOKEN_USER*>(theirs.data())->User.Sid,
                         reinterpret_cast<const TOKEN_USER*>(ours.data())->User.Sid);
}

// Pipe names are shared by every session of the machine, and the pipe's access list does not
// stop another user from creating the name first: the process at the other end is asked.
bool listenerIsThisUser(const QLocalSocket& socket)
{
    ULONG id = 0;
    return ::GetNamedPipeServerProcessId(HANDLE(socket.socketDescriptor()), &id)
           && processIsThisUser(id);
}
bool callerIsThisUser(const QLocalSocket& socket)
{
    ULONG id = 0;
    return ::GetNamedPipeClientProcessId(HANDLE(socket.socketDescriptor()), &id)
           && processIsThisUser(id);
}

// The user's security identifier as text, which names the user for good and holds no
// characters a pipe name cannot.
QString userIdentifier()
{
    const std::vector<BYTE> user = userOfProcess(::GetCurrentProcess());
    LPWSTR text = nullptr;
    if (user.empty()
        || !::ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid,
                                     &text))
        return qEnvironmentVariable("USERNAME");
    const QString identifier = QString::fromWCharArray(text);
    ::LocalFree(text);
    return identifier;
}
#endif

} // namespace

QString SingleInstance::DefaultName()
{
#ifndef Q_OS_WIN
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isOwnWritableFolder(runtime))
        return runtime + QStringLiteral("/orvalin.socket");
    return QDir::tempPath() + QStringLiteral("/orvalin-%1.socket").arg(::geteuid());
#else
    return QStringLiteral("orvalin-") + userIdentifier(); // the pipe \\.\pipe\orvalin-S-1-5-...
#endif
}

SingleInstance::SingleInstance(QString name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QStringList& paths) const
{
#ifndef Q_OS_WIN
    if (!madeByThisUser(m_name))
        return false;
#endif
    QLocalSocket socket;
    socket.connectToServer(m_name);
    // The paths go only to a window of this user's: another user's listener on the name gets
    // nothing, and this start opens its own window.
    if (!socket.waitForConnected(AnswerWait) || !listenerIsThisUser(socket))
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
#ifndef Q_OS_WIN
    // A socket this user made but no window answers on was left by a program that was
    // killed: it is cleared away. Another user's file there is never touched. (A pipe on
    // Windows ends with its program and leaves nothing.)
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
#else
    // Windows lets a second listener share a pipe's name: a mutex of the same name, which only
    // one process at a time can create, says whose the name is.
    const QString claimName = QStringLiteral("Local\\") + m_name;
    HANDLE claim = ::CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(claimName.utf16()));
    if (!claim)
        return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(claim);
        return false;
    }
    m_claim = std::shared_ptr<void>(claim, ::CloseHandle);
#endif
    return m_server->listen(m_name);
}

void SingleInstance::stopListening()
{
    if (m_server)
        m_server->close();
    m_server.reset();
    m_claim.reset();
}

void SingleInstance::takeConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!callerIsThisUser(*socket)) {
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
