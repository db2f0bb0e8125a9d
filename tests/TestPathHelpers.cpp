#include "core/Failure.h"
#include "core/PathHelpers.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace orvalin;
using orvalin::testing::allowedName;
using orvalin::testing::writeFile;

namespace {

// Texts written with "/" and turned into this platform's separator.
QString native(QString text)
{
    return text.replace(QLatin1Char('/'), Separator);
}

} // namespace

class TestPathHelpers : public QObject
{
    Q_OBJECT

private slots:
    // Where a kept folder tree puts a source below the output folder.
    void keptSubfolder_data()
    {
        QTest::addColumn<QString>("addedFrom");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("below");
        const auto row = [](const char* name, const char* addedFrom, const char* source,
                            const char* below) {
            const auto native = [](const char* path) {
                return QString::fromUtf8(path).replace(u'/', Separator);
            };
            QTest::newRow(name) << native(addedFrom) << native(source) << native(below);
        };
        row("a file of the folder", "/p/Trip", "/p/Trip/a.webp", "Trip/");
        row("deeper", "/p/Trip", "/p/Trip/day 2/b.webp", "Trip/day 2/");
        row("a trailing separator", "/p/Trip/", "/p/Trip/day 2/b.webp", "Trip/day 2/");
        row("added as a file", "", "/p/Trip/a.webp", "");
        row("not below the folder", "/p/Trip", "/p/Tripod/a.webp", "");
#ifdef Q_OS_WIN
        row("a drive root", "D:/", "D:/photos/x.webp", "D/photos/");
        row("a share's root", "//server/share", "//server/share/x/y.webp", "share/x/");
        row("letter case", "C:/Trip", "c:/trip/a.webp", "Trip/");
#else
        row("the root", "/", "/photos/x.webp", "photos/");
        row("letter case", "/p/Trip", "/p/trip/a.webp", "");
#endif
    }
    void keptSubfolder()
    {
        QFETCH(QString, addedFrom);
        QFETCH(QString, source);
        QFETCH(QString, below);
        QCOMPARE(KeptSubfolder(addedFrom, source), below);
    }

    void getFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file in folders") << "/a/b.webp"
                                         << "b.webp";
        QTest::newRow("bare name") << "b.webp"
                                   << "b.webp";
        QTest::newRow("ends in separator") << "/a/b/"
                                           << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("root file") << "/b.webp"
                                   << "b.webp";
        QTest::newRow("odd characters kept") << "/x/-a \"q\"\nb ü.webp"
                                             << "-a \"q\"\nb ü.webp";
    }
    void getFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(GetFileName(native(path)), expected);
    }

    void getParentPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file in folder") << "/a/b.webp"
                                        << "/a/";
        QTest::newRow("bare name") << "b.webp"
                                   << "";
        QTest::newRow("root file") << "/b.webp"
                                   << "/";
        QTest::newRow("folder with dot") << "/a.d/b"
                                         << "/a.d/";
        QTest::newRow("empty") << ""
                               << "";
    }
    void getParentPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(GetParentPath(native(path)), native(expected));
    }

    void removeExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last extension only") << "photo.final.webp"
                                             << "photo.final";
        QTest::newRow("lone trailing dot") << "photo."
                                           << "photo";
        QTest::newRow("only dot first") << ".webp"
                                        << ".webp";
        QTest::newRow("hidden name") << ".hidden"
                                     << ".hidden";
        QTest::newRow("no dot") << "photo"
                                << "photo";
        QTest::newRow("two dots") << "a.b.c"
                                  << "a.b";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("dot then more") << "..x"
                                       << ".";
    }
    void removeExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(RemoveExtension(name), expected);
    }

    void collapseDoubleBackslashes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("doubled after folder") << "C:/a//b.jpg"
                                              << "C:/a/b.jpg";
        QTest::newRow("one pass: three become two") << "a//b///c.jpg"
                                                    << "a/b//c.jpg";
        QTest::newRow("four become two") << "a////b"
                                         << "a//b";
        QTest::newRow("nothing to do") << "a/b/c"
                                       << "a/b/c";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("trailing pair") << "a//"
                                       << "a/";
#ifdef Q_OS_WIN
        QTest::newRow("leading run becomes two") << "////srv//x"
                                                 << "//srv/x";
        QTest::newRow("leading single becomes two") << "/x"
                                                    << "//x";
        QTest::newRow("only separators") << "///"
                                         << "//";
#else
        QTest::newRow("leading run becomes one") << "////srv//x"
                                                 << "/srv/x";
        QTest::newRow("leading pair becomes one") << "//b.jpg"
                                                  << "/b.jpg";
        QTest::newRow("leading single stays") << "/x//y"
                                              << "/x/y";
        QTest::newRow("only separators") << "///"
                                         << "/";
#endif
    }
    void collapseDoubleBackslashes()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(CollapseDoubleBackslashes(native(path)), native(expected));
    }

    void positionsBeyondSixteenBits()
    {
        // A last separator or dot far past character 32767 is found like any other.
        const QString folder = QStringLiteral("C:") + Separator + QString(40000, u'd');
        const QString path = folder + Separator + QString(33000, u'n') + QStringLiteral(".webp");
        QCOMPARE(GetParentPath(path), folder + Separator);
        QCOMPARE(GetFileName(path).size(), 33005);
        QCOMPARE(RemoveExtension(GetFileName(path)), QString(33000, u'n'));
        QCOMPARE(CollapseDoubleBackslashes(folder + Separator + Separator + QStringLiteral("x")),
                 folder + Separator + QStringLiteral("x"));
    }

    void existenceAndFolderTests()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(allowedName(QStringLiteral("a file \"q\" ü.webp")));
        writeFile(file);
        const QString missing = dir.filePath(QStringLiteral("missing"));

        QVERIFY(PathExists(dir.path()));
        QVERIFY(PathExists(file));
        QVERIFY(!PathExists(missing));
        QVERIFY(!PathExists(QString()));

        QCOMPARE(IsFolder(dir.path()), std::optional<bool>(true));
        QCOMPARE(IsFolder(file), std::optional<bool>(false));
        QCOMPARE(IsFolder(missing), std::nullopt);
        QCOMPARE(IsFolder(QString()), std::nullopt);

#ifndef Q_OS_WIN
        const QString dangling = dir.filePath(QStringLiteral("dangling"));
        QVERIFY(QFile::link(missing, dangling));
        QVERIFY(!PathExists(dangling));
        QCOMPARE(IsFolder(dangling), std::optional<bool>(false));
#endif
    }

    void textWithNulNamesNoFile()
    {
        // A NUL would end the name at the system call; the path before it must not be touched.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("kept"));
        writeFile(file);
        const QString withNul = file + QChar(u'\0') + QStringLiteral("other");
        QVERIFY(!PathExists(withNul));
        QCOMPARE(IsFolder(withNul), std::nullopt);
        DeleteFileQuietly(withNul);
        QVERIFY_THROWS_EXCEPTION(Failure, ForceDeleteFile(withNul));
        QVERIFY(QFile::exists(file));
    }

    void deleteFileQuietly()
    {
        QTemporaryDir dir;
        const QString readOnly = dir.filePath(allowedName(QStringLiteral("-read only\nname.png")));
        writeFile(readOnly);
        QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
        DeleteFileQuietly(readOnly);
        QVERIFY(!QFile::exists(readOnly));

        DeleteFileQuietly(dir.filePath(QStringLiteral("never there")));
        DeleteFileQuietly(QString());

        // A folder is never deleted, empty or not.
        const QString folder = dir.filePath(QStringLiteral("folder"));
        QVERIFY(QDir().mkdir(folder));
        DeleteFileQuietly(folder);
        QVERIFY(QFileInfo(folder).isDir());

#ifndef Q_OS_WIN
        // A link goes, the file it points at stays.
        const QString target = dir.filePath(QStringLiteral("target"));
        const QString link = dir.filePath(QStringLiteral("link"));
        writeFile(target);
        QVERIFY(QFile::link(target, link));
        DeleteFileQuietly(link);
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(QFile::exists(target));
#endif
    }

    void forceDeleteFile()
    {
        QTemporaryDir dir;
        const QString readOnly = dir.filePath(QStringLiteral("read-only"));
        writeFile(readOnly);
        QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
        ForceDeleteFile(readOnly);
        QVERIFY(!QFile::exists(readOnly));

        QVERIFY_THROWS_EXCEPTION(Failure, ForceDeleteFile(dir.filePath(QStringLiteral("missing"))));
        QVERIFY_THROWS_EXCEPTION(Failure, ForceDeleteFile(QString()));
        QVERIFY_THROWS_EXCEPTION(Failure, ForceDeleteFile(dir.path()));
        QVERIFY(QFileInfo(dir.path()).isDir());
    }

#ifndef Q_OS_WIN
    void fileThatCannotBeDeletedKeepsItsMode()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser may delete from any folder");
        QTemporaryDir dir;
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkdir(locked));
        const QString file = locked + QStringLiteral("/file");
        writeFile(file);
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner));
        QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        QVERIFY_THROWS_EXCEPTION(Failure, ForceDeleteFile(file));
        DeleteFileQuietly(file);
        QVERIFY(QFile::exists(file));
        QCOMPARE(QFile::permissions(file) & QFileDevice::WriteOwner, QFileDevice::Permissions{});
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
    }
#else
    void fileThatCannotBeDeletedKeepsItsMode()
    {
        QSKIP("a folder closed by permission bits is Linux's");
    }
#endif
};

QTEST_GUILESS_MAIN(TestPathHelpers)
#include "TestPathHelpers.moc"
