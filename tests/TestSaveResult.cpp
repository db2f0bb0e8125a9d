#include "core/Failure.h"
#include "core/SaveResult.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvalin;
using orvalin::testing::writeFile;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                  | QDir::System);
}

bool onOneFileSystem(const QString& a, const QString& b)
{
    struct stat first, second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0
           && first.st_dev == second.st_dev;
}

// A folder anyone may use, as a run's working folder or an output folder of an ordinary user.
QString openFolder(const QTemporaryDir& dir)
{
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    return dir.path();
}

QByteArray bytes(int size)
{
    QByteArray result(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        result[i] = char(i * 7 + i / 251);
    return result;
}

// A tmpfs of the given size, mounted for the test's lifetime; invalid unless the test may mount.
struct SmallFileSystem
{
    QTemporaryDir mountPoint;
    bool mounted = false;
    explicit SmallFileSystem(const char* size)
    {
        const QByteArray options = QByteArray("size=") + size;
        mounted = ::geteuid() == 0
                  && ::mount("tmpfs", QFile::encodeName(mountPoint.path()).constData(), "tmpfs", 0,
                             options.constData())
                         == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    }
};

} // namespace

class TestSaveResult : public QObject
{
    Q_OBJECT

private slots:
    void workingFolders_data()
    {
        QTest::addColumn<QString>("workRoot");
        QTest::newRow("same file system") << QDir::tempPath();
        QTest::newRow("other file system") << QStringLiteral("/dev/shm");
    }

    // An ordinary user's file made read-only stays as it is, however the result would travel,
    // and so does the file behind a link to it.
    void aFileTheUserMayNotWriteStaysAsItIs_data() { workingFolders_data(); }
    void aFileTheUserMayNotWriteStaysAsItIs()
    {
        QFETCH(QString, workRoot);
        const bool asRoot = ::geteuid() == 0;
        if (asRoot && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs setpriv to save as an ordinary user");
        QTemporaryDir outputDir(QDir::tempPath() + QStringLiteral("/orvalin-save-XXXXXX"));
        QTemporaryDir workDir(workRoot + QStringLiteral("/orvalin-save-work-XXXXXX"));
        QVERIFY(workDir.isValid());
        const QString output = openFolder(outputDir);
        const QString kept = output + QStringLiteral("/kept.jpg");
        writeFile(kept, "the user's own picture");
        QVERIFY(QFile::link(QStringLiteral("kept.jpg"), output + QStringLiteral("/link.jpg")));
        if (asRoot)
            QVERIFY(::chown(QFile::encodeName(kept).constData(), 65534, 65534) == 0);
        QVERIFY(QFile::setPermissions(kept, QFileDevice::ReadOwner));

        for (const QString& name : {QStringLiteral("kept.jpg"), QStringLiteral("link.jpg")}) {
            const QString result = openFolder(workDir) + QStringLiteral("/result.jpg");
            writeFile(result, "a new result");
            QFile::setPermissions(result, QFileDevice::Permissions(0x6666));
            QStringList command{QStringLiteral(SAVE_PROBE), result,
                                output + QLatin1Char('/') + name};
            if (asRoot)
                command =
                    QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), QStringLiteral("--")}
                    + command;
            QProcess probe;
            probe.start(asRoot ? QStringLiteral("setpriv") : command.takeFirst(), command);
            QVERIFY(probe.waitForFinished());
            QCOMPARE(probe.exitCode(), 1);
            QCOMPARE(probe.readAllStandardOutput().trimmed(), QByteArray("Permission denied"));
        }
        QCOMPARE(contents(kept), QByteArray("the user's own picture"));
        QCOMPARE(QFile::permissions(kept) & 0x7000, QFileDevice::ReadOwner);
        QVERIFY(QFileInfo(output + QStringLiteral("/link.jpg")).isSymLink());
        QCOMPARE(entries(output), (QStringList{"kept.jpg", "link.jpg"}));
        QFile::setPermissions(kept, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // In a folder that everyone may write to and that has the sticky bit (/tmp, a shared
    // "Scans" folder), a link another user planted at the output name would have this user's
    // result written over a file of this user's own: it is not followed, as the system would
    // not follow it. This user's own link there, and the folder owner's, are followed as ever.
    void anotherUsersLinkInASharedFolderIsNotFollowed()
    {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs to run as root with setpriv to play two users");
        constexpr uid_t userA = 65534; // converts
        constexpr uid_t userB = 65533; // plants the link
        QTemporaryDir root(QDir::tempPath() + QStringLiteral("/orvalin-shared-XXXXXX"));
        QVERIFY(QFile::setPermissions(root.path(), QFileDevice::Permissions(0x7755)));
        const QString home = root.filePath(QStringLiteral("home-of-a"));
        const QString shared = root.filePath(QStringLiteral("shared"));
        const QString work = root.filePath(QStringLiteral("work"));
        for (const QString& folder : {home, shared, work})
            QVERIFY(QDir().mkdir(folder));
        QVERIFY(::chown(QFile::encodeName(home).constData(), userA, userA) == 0);
        QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
        QVERIFY(::chown(QFile::encodeName(work).constData(), userA, userA) == 0);
        const QString important = home + QStringLiteral("/important.txt");
        writeFile(important, "A's own words");
        QVERIFY(::chown(QFile::encodeName(important).constData(), userA, userA) == 0);
        const auto link = [&](const QString& name, const QString& aim, uid_t owner) {
            const QByteArray path = QFile::encodeName(shared + QLatin1Char('/') + name);
            return QFile::link(aim, QFile::decodeName(path))
                   && ::lchown(path.constData(), owner, owner) == 0;
        };
        QVERIFY(link(QStringLiteral("photo.jpg"), important, userB));
        QVERIFY(link(QStringLiteral("own.jpg"), home + QStringLiteral("/own.jpg"), userA));
        QVERIFY(link(QStringLiteral("owners.jpg"), home + QStringLiteral("/owners.jpg"), 0));

        // Saves as user A; the failure's text, empty when saved.
        const auto saveAsA = [&](const QString& name) {
            const QString result = work + QStringLiteral("/result.jpg");
            writeFile(result, "a new result");
            if (::chown(QFile::encodeName(result).constData(), userA, userA) != 0)
                return QByteArray("<cannot give the result to user A>");
            QProcess probe;
            probe.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                         QStringLiteral("--clear-groups"), QStringLiteral("--"),
                         QStringLiteral(SAVE_PROBE), result, shared + QLatin1Char('/') + name});
            probe.waitForFinished();
            return probe.readAllStandardOutput().trimmed();
        };
        QCOMPARE(saveAsA(QStringLiteral("photo.jpg")), AnotherUsersLink().toUtf8());
        QCOMPARE(contents(important), QByteArray("A's own words"));
        QCOMPARE(QFileInfo(shared + QStringLiteral("/photo.jpg")).symLinkTarget(), important);
        QCOMPARE(saveAsA(QStringLiteral("own.jpg")), QByteArray());
        QCOMPARE(contents(home + QStringLiteral("/own.jpg")), QByteArray("a new result"));
        QCOMPARE(saveAsA(QStringLiteral("owners.jpg")), QByteArray());
        QCOMPARE(contents(home + QStringLiteral("/owners.jpg")), QByteArray("a new result"));
        QVERIFY(QFileInfo(shared + QStringLiteral("/own.jpg")).isSymLink());
    }

    void aLinkIsWrittenThroughAndStaysALink_data() { workingFolders_data(); }
    void aLinkIsWrittenThroughAndStaysALink()
    {
        QFETCH(QString, workRoot);
        QTemporaryDir outputDir;
        QTemporaryDir workDir(workRoot + QStringLiteral("/orvalin-save-work-XXXXXX"));
        QVERIFY(workDir.isValid());
        QVERIFY(QDir(outputDir.path()).mkpath(QStringLiteral("out")));
        QVERIFY(QDir(outputDir.path()).mkpath(QStringLiteral("store")));
        const QString aim = outputDir.filePath(QStringLiteral("store/picture.jpg"));
        writeFile(aim, "older");
        const QString link = outputDir.filePath(QStringLiteral("out/picture.jpg"));
        QVERIFY(QFile::link(QStringLiteral("../store/picture.jpg"), link));
        const QString dangling = outputDir.filePath(QStringLiteral("out/new.jpg"));
        QVERIFY(QFile::link(QStringLiteral("../store/new.jpg"), dangling));

        const QByteArray picture = bytes(3 << 20);
        for (const QString& output : {link, dangling}) {
            writeFile(workDir.filePath(QStringLiteral("result.jpg")), picture);
            SaveResultAs(workDir.filePath(QStringLiteral("result.jpg")), output);
            QVERIFY(QFileInfo(output).isSymLink());
        }
        QCOMPARE(contents(aim), picture);
        QCOMPARE(contents(outputDir.filePath(QStringLiteral("store/new.jpg"))), picture);
        QCOMPARE(entries(outputDir.filePath(QStringLiteral("store"))),
                 (QStringList{"new.jpg", "picture.jpg"}));
    }

    // A result larger than the room left fails whole: the file it was to replace is untouched
    // and no piece of the copy stays; a result that fits arrives whole.
    void aFullDiskLeavesNothingOfTheCopy()
    {
        SmallFileSystem small("1200k");
        if (!small.mounted)
            QSKIP("needs to mount a small tmpfs (as root)");
        QTemporaryDir workDir;
        const QString output = small.mountPoint.filePath(QStringLiteral("photo.jpg"));
        writeFile(output, "an older photo");
        const QString result = workDir.filePath(QStringLiteral("result.jpg"));

        writeFile(result, bytes(2 << 20));
        try {
            SaveResultAs(result, output);
            QFAIL("a result larger than the disk was called saved");
        } catch (const Failure& failure) {
            QCOMPARE(failure.description(), QStringLiteral("No space left on device"));
        }
        QCOMPARE(contents(output), QByteArray("an older photo"));
        QCOMPARE(entries(small.mountPoint.path()), QStringList{"photo.jpg"});

        writeFile(result, bytes(500 << 10));
        SaveResultAs(result, output);
        QCOMPARE(contents(output), bytes(500 << 10));
        QCOMPARE(entries(small.mountPoint.path()), QStringList{"photo.jpg"});
    }

    void copyFailures_data()
    {
        QTest::addColumn<int>("failingCall"); // 0 none, 1 write, 2 sync, 3 close
        QTest::addColumn<int>("writesBeforeFailure");
        QTest::addColumn<int>("error");
        QTest::newRow("short writes that go on") << 0 << 0 << 0;
        QTest::newRow("short write, then a full disk") << 1 << 1 << ENOSPC;
        QTest::newRow("the last write fails") << 1 << 3 << EIO;
        QTest::newRow("sync fails") << 2 << 0 << EIO;
        QTest::newRow("close reports a write error") << 3 << 0 << EDQUOT;
    }
    void copyFailures()
    {
        QFETCH(int, failingCall);
        QFETCH(int, writesBeforeFailure);
        QFETCH(int, error);
        QTemporaryDir outputDir;
        QTemporaryDir workDir(QStringLiteral("/dev/shm/orvalin-save-work-XXXXXX"));
        if (!workDir.isValid() || onOneFileSystem(outputDir.path(), workDir.path()))
            QSKIP("needs a second file system at /dev/shm");
        const QString output = outputDir.filePath(QStringLiteral("photo.jpg"));
        writeFile(output, "an older photo");
        const QString result = workDir.filePath(QStringLiteral("result.jpg"));
        const QByteArray picture = bytes(3 << 20); // three chunks of the copy

        // Every write takes a little less than it is given, as a disk about to fill does.
        int writes = 0;
        SaveCalls calls = SaveCalls::system();
        calls.write = [&](int descriptor, const void* data, std::size_t size) -> ssize_t {
            if (failingCall == 1 && writes++ == writesBeforeFailure) {
                errno = error;
                return -1;
            }
            return ::write(descriptor, data, size > 1000 ? size - 1000 : size);
        };
        calls.sync = [&](int descriptor) {
            return failingCall == 2 ? (errno = error, -1) : ::fsync(descriptor);
        };
        calls.close = [&](int descriptor) {
            ::close(descriptor);
            return failingCall == 3 ? (errno = error, -1) : 0;
        };

        writeFile(result, picture);
        if (failingCall == 0) {
            SaveResultAs(result, output, calls);
            QCOMPARE(contents(output), picture);
        } else {
            QVERIFY_THROWS_EXCEPTION(Failure, SaveResultAs(result, output, calls));
            QCOMPARE(contents(output), QByteArray("an older photo"));
        }
        QCOMPARE(entries(outputDir.path()), QStringList{"photo.jpg"});
    }

    // Renamed on the same file system, a result that replaces a file reaches the disk before it
    // takes the name; when it cannot, the name keeps what it held. A new name needs no sync.
    void aResultIsSyncedBeforeItIsRenamedIntoPlace()
    {
        QTemporaryDir folder;
        const QString output = folder.filePath(QStringLiteral("photo.jpg"));
        const QString result = folder.filePath(QStringLiteral("result.jpg"));
        int syncs = 0;
        bool syncFails = true;
        SaveCalls calls = SaveCalls::system();
        calls.sync = [&](int descriptor) {
            ++syncs;
            return syncFails ? (errno = EIO, -1) : ::fsync(descriptor);
        };
        writeFile(output, "an older photo");
        writeFile(result, "the new photo");
        QVERIFY_THROWS_EXCEPTION(Failure, SaveResultAs(result, output, calls));
        QCOMPARE(contents(output), QByteArray("an older photo"));
        syncFails = false;
        SaveResultAs(result, output, calls);
        QCOMPARE(contents(output), QByteArray("the new photo"));
        QCOMPARE(syncs, 2);
        writeFile(result, "another photo");
        SaveResultAs(result, folder.filePath(QStringLiteral("new.jpg")), calls);
        QCOMPARE(contents(folder.filePath(QStringLiteral("new.jpg"))), QByteArray("another photo"));
        QCOMPARE(syncs, 2);
    }
};

QTEST_GUILESS_MAIN(TestSaveResult)
#include "TestSaveResult.moc"
