#include "app/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using namespace orvalin;

namespace {

#ifndef Q_OS_WIN
constexpr uid_t Nobody = 65534;

bool canPlayNobody()
{
    return ::geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

#endif

// Starts the hand-over probe with the arguments, as this user or as nobody.
void startProbe(QProcess& probe, const QStringList& arguments, bool asNobody = false)
{
    QStringList command = QStringList{QStringLiteral(HAND_OVER_PROBE)} + arguments;
#ifndef Q_OS_WIN
    if (asNobody)
        command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                              QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                              QStringLiteral("--")}
                  + command;
#else
    Q_UNUSED(asNobody);
#endif
    probe.start(command.takeFirst(), command);
}

// Runs the hand-over probe, as this user or as nobody, while this process answers.
int handOver(const QString& name, const QStringList& paths, bool asNobody = false)
{
    QProcess probe;
    startProbe(probe, QStringList{name} + paths, asNobody);
    QSignalSpy finished(&probe, &QProcess::finished);
    if (!finished.wait(20000))
        return -1;
    return probe.exitCode();
}

#ifndef Q_OS_WIN
// A socket file as a killed program leaves it: bound, never unlinked, nobody listening.
void leaveStaleSocket(const QString& name)
{
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(name);
    std::memcpy(address.sun_path, path.constData(), path.size());
    QVERIFY(::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
    ::close(descriptor);
}

// A name of the test's own.
QString nameIn(const QTemporaryDir& folder)
{
    return folder.filePath(QStringLiteral("orvalin.socket"));
}
#else
// Windows pipes share one namespace and leave nothing behind when their program ends.
QString nameIn(const QTemporaryDir&)
{
    return QStringLiteral("orvalin-test-%1").arg(QCoreApplication::applicationPid());
}
#endif

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void aLaterStartHandsItsPathsOver()
    {
        QTemporaryDir folder;
        const QString name = nameIn(folder);
        QVERIFY(!SingleInstance(name).handOver({QStringLiteral("/a.webp")})); // no window yet
#ifndef Q_OS_WIN
        leaveStaleSocket(name);
#endif

        SingleInstance window(name);
        QList<QStringList> received;
        QVERIFY(window.listen([&](const QStringList& paths) { received << paths; }));
        QVERIFY(!SingleInstance(name).listen([](const QStringList&) {})); // one window only

        const QStringList paths{QStringLiteral("/p/a b.webp"), QStringLiteral("/p/folder"),
                                QStringLiteral("/p/Привет\n.webp")};
        QCOMPARE(handOver(name, paths), 0);
        QCOMPARE(handOver(name, {}), 0); // a start without paths brings the window forward
        QTRY_COMPARE(received, (QList<QStringList>{paths, {}}));
    }

#ifdef Q_OS_WIN
    // The pipe is named after the user's security identifier, which no other user shares.
    void theNameIsTheUsersOwn()
    {
        QVERIFY2(SingleInstance::DefaultName().startsWith(QStringLiteral("orvalin-S-1-")),
                 qPrintable(SingleInstance::DefaultName()));
    }

    void anotherUserCannotHandOver()
    {
        QSKIP("Wine has one user: the pipe's checks of the other end's user are not played");
    }
#else

    void anotherUserCannotHandOver()
    {
        if (!canPlayNobody())
            QSKIP("needs to run as root with setpriv to play another user");
        QTemporaryDir folder;
        QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
        const QString name = folder.filePath(QStringLiteral("orvalin.socket"));
        SingleInstance window(name);
        bool received = false;
        QVERIFY(window.listen([&](const QStringList&) { received = true; }));
        QCOMPARE(handOver(name, {QStringLiteral("/etc/shadow")}, true), 1);
        QCoreApplication::processEvents();
        QVERIFY(!received);
    }

    // A runtime folder whose owner could swap the socket, or that the user cannot write, is
    // passed over for the temporary folder.
    void theRuntimeFolderMustBeTheUsersOwn_data()
    {
        QTest::addColumn<uid_t>("owner");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("used");
        QTest::newRow("own") << Nobody << 0700 << true;
        QTest::newRow("another user's, open to all") << uid_t(0) << 0777 << false;
        QTest::newRow("own, not writable") << Nobody << 0500 << false;
    }
    void theRuntimeFolderMustBeTheUsersOwn()
    {
        QFETCH(uid_t, owner);
        QFETCH(int, mode);
        QFETCH(bool, used);
        if (!canPlayNobody())
            QSKIP("needs to run as root with setpriv to play another user");
        QTemporaryDir folder;
        QVERIFY(::chmod(QFile::encodeName(folder.path()).constData(), 0755) == 0);
        const QString runtime = folder.filePath(QStringLiteral("runtime"));
        const QByteArray encoded = QFile::encodeName(runtime);
        QVERIFY(::mkdir(encoded.constData(), mode) == 0 && ::chmod(encoded.constData(), mode) == 0);
        QVERIFY(::chown(encoded.constData(), owner, Nobody) == 0);
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        probe.setProcessEnvironment(environment);
        startProbe(probe, {QStringLiteral("--default-name")}, true);
        QVERIFY(probe.waitForFinished(20000));
        QCOMPARE(QString::fromLocal8Bit(probe.readAllStandardOutput().trimmed()),
                 used ? runtime + QStringLiteral("/orvalin.socket")
                      : QDir::tempPath() + QStringLiteral("/orvalin-65534.socket"));
    }

    // Another user's program listening on the name is sent no paths, even when the socket file
    // passes for this user's: only the listener's own credentials tell.
    void anotherUsersListenerIsNotHandedThePaths()
    {
        if (!canPlayNobody())
            QSKIP("needs to run as root with setpriv to play another user");
        QTemporaryDir folder;
        QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
        const QString name = folder.filePath(QStringLiteral("orvalin.socket"));
        QProcess listener;
        startProbe(listener, {QStringLiteral("--listen"), name}, true);
        QVERIFY(listener.waitForReadyRead(20000));
        QCOMPARE(listener.readLine().trimmed(), QByteArray("listening"));
        QVERIFY(::lchown(QFile::encodeName(name).constData(), ::geteuid(), ::getegid()) == 0);

        QVERIFY(!SingleInstance(name).handOver({QStringLiteral("/home/me/private.webp")}));
        QVERIFY(listener.waitForFinished(20000));
        QCOMPARE(listener.readAllStandardOutput().trimmed(), QByteArray("received 0"));
    }
#endif
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
