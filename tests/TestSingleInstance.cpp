#include "app/SingleInstance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace orvalin;

namespace {

// Runs the hand-over probe, as this user or as nobody, while this process answers.
int handOver(const QString& name, const QStringList& paths, bool asNobody = false)
{
    QStringList command = QStringList{QStringLiteral(HAND_OVER_PROBE), name} + paths;
    if (asNobody)
        command = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
                              QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"),
                              QStringLiteral("--")}
                  + command;
    QProcess probe;
    probe.start(command.takeFirst(), command);
    QSignalSpy finished(&probe, &QProcess::finished);
    if (!finished.wait(20000))
        return -1;
    return probe.exitCode();
}

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

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void aLaterStartHandsItsPathsOver()
    {
        QTemporaryDir folder;
        const QString name = folder.filePath(QStringLiteral("orvalin.socket"));
        QVERIFY(!SingleInstance(name).handOver({QStringLiteral("/a.webp")})); // no window yet
        leaveStaleSocket(name);

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

    void anotherUserCannotHandOver()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
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
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "TestSingleInstance.moc"
