#include "core/Failure.h"
#include "core/ToolImages.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace orvalin;
using orvalin::testing::writeFile;

class TestToolImages : public QObject
{
    Q_OBJECT

private slots:
    void addressWidths_data()
    {
        QTest::addColumn<QString>("architecture");
        QTest::addColumn<QString>("width");
        QTest::newRow("x86_64") << "x86_64"
                                << "64";
        QTest::newRow("arm64") << "arm64"
                               << "64";
        QTest::newRow("i386") << "i386"
                              << "32";
        QTest::newRow("arm") << "arm"
                             << "32";
        QTest::newRow("unknown") << "unknown"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void addressWidths()
    {
        QFETCH(QString, architecture);
        QFETCH(QString, width);
        QCOMPARE(AddressWidthForArchitecture(architecture), width);
    }

    void thisMachinesWidthMatchesThisBuild()
    {
        QCOMPARE(GetAddressWidth(), QString::number(QSysInfo::WordSize));
    }

    // Whatever width the kernel reports, the worker named is one the executable carries, and
    // on a kernel of the build's own width it is the build's own.
    void everyWidthNamesACarriedWorker()
    {
        for (const QString& width :
             {QStringLiteral("64"), QStringLiteral("32"), QString(), QStringLiteral("64 ")})
            QVERIFY2(!LoadToolImage(WorkerImageFor(width)).isEmpty(), qPrintable(width));
        QCOMPARE(WorkerImageFor(QString::number(QSysInfo::WordSize)),
                 QStringLiteral(":/tools/%1/").arg(QSysInfo::WordSize) + WorkerFileName);
    }

    void aToolTheExecutableDoesNotCarry()
    {
        QVERIFY_THROWS_EXCEPTION(Failure, LoadToolImage(QStringLiteral(":/tools/none")));
    }

    void writesAProgramItsOwnerMayRun()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("tool"));
        const QByteArray bytes("\x7f"
                               "ELF and the rest\0with a NUL",
                               27);
        WriteBytesIfAbsent(bytes, target);
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), bytes);
#ifndef Q_OS_WIN // Windows runs a file by its name and has no such permission bits
        QVERIFY(written.permissions() & QFileDevice::ExeOwner);
        QVERIFY(!(written.permissions() & (QFileDevice::WriteOther | QFileDevice::WriteGroup)));
#endif
    }

    void leavesWhatIsThereAlone()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("file"));
        writeFile(file, "old");
        WriteBytesIfAbsent("new", file);
        QFile kept(file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));

        const QString folder = dir.filePath(QStringLiteral("folder"));
        QVERIFY(QDir().mkdir(folder));
        WriteBytesIfAbsent("new", folder);
        QVERIFY(QFileInfo(folder).isDir());

        // A link to nowhere is not written through.
        const QString aim = dir.filePath(QStringLiteral("aim"));
        const QString link = dir.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(aim, link));
        WriteBytesIfAbsent("new", link);
        QVERIFY(!QFile::exists(aim));
    }

    void aTargetThatCannotBeWritten()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("missing folder/tool"));
        QVERIFY_THROWS_EXCEPTION(Failure, WriteBytesIfAbsent("bytes", target));
        QVERIFY(!QFile::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestToolImages)
#include "TestToolImages.moc"
