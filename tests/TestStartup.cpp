#include "core/CommandLine.h"
#include "core/Failure.h"
#include "core/Startup.h"
#include "core/Twips.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QStandardPaths>
#include <QTest>

using namespace orvalin;
using orvalin::testing::nativePath;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void applicationTitle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("one word stays whole") << "Orvalin"
                                              << "Orvalin";
        QTest::newRow("short name still loses its last word") << "Orvalin WebP to JPG Converter"
                                                              << "Orvalin WebP to JPG";
        QTest::newRow("cut again while longer than 40")
            << "Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa"
            << "Alpha Beta Gamma Delta Epsilon Zeta Eta";
        QTest::newRow("exactly 40 after one cut")
            << QString(40, u'a') + QStringLiteral(" tail") << QString(40, u'a');
        QTest::newRow("a long first word stops the cutting")
            << QString(50, u'w') + QStringLiteral(" x") << QString(50, u'w');
        QTest::newRow("trailing blank") << "Orvalin "
                                        << "Orvalin";
        QTest::newRow("empty") << ""
                               << "";
    }
    void applicationTitle()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(name), title);
    }

    void commandLines_data()
    {
        using Action = StartRequest::Action;
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("nothing") << QStringList{} << int(Action::Start) << QStringList{};
        QTest::newRow("paths in order, made absolute")
            << QStringList{"b.webp", "/x/a.webp", "sub/../c", "-"} << int(Action::Start)
            << QStringList{"/home/u/b.webp", "/x/a.webp", "/home/u/c", "/home/u/-"};
        QTest::newRow("-- ends the options")
            << QStringList{"--", "--help", "-x.webp"} << int(Action::Start)
            << QStringList{"/home/u/--help", "/home/u/-x.webp"};
#ifdef Q_OS_WIN
        QTest::newRow("drive letters and network paths")
            << QStringList{"D:\\p\\b.webp", "\\\\server\\share\\c.webp", "E:/mixed/d.webp",
                           "sub\\..\\e.webp"}
            << int(Action::Start)
            << QStringList{"D:\\p\\b.webp", "\\\\server\\share\\c.webp", "E:\\mixed\\d.webp",
                           "/home/u/e.webp"};
#endif
        QTest::newRow("help wins over paths")
            << QStringList{"a", "--help"} << int(Action::Help) << QStringList{};
        QTest::newRow("version") << QStringList{"--version"} << int(Action::Version)
                                 << QStringList{};
        QTest::newRow("unknown option")
            << QStringList{"a", "--frobnicate"} << int(Action::Refuse) << QStringList{};
        QTest::newRow("convert here")
            << QStringList{"--convert-here", "a.webp", "d"} << int(Action::Start)
            << QStringList{"/home/u/a.webp", "/home/u/d"};
        QTest::newRow("convert nothing here")
            << QStringList{"--convert-here"} << int(Action::Refuse) << QStringList{};
    }
    void commandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QStringList, paths);
        QList<QByteArray> given;
        for (const QString& argument : arguments)
            given.append(argument.toUtf8());
#ifdef Q_OS_WIN
        const QString drive = QStringLiteral("C:"); // a current folder there always has one
#else
        const QString drive;
#endif
        const StartRequest request = ReadCommandLine(given, (drive + "/home/u").toUtf8());
        QCOMPARE(int(request.action), action);
        QStringList expected;
        for (const QString& path : paths)
            expected << nativePath(path.startsWith(QLatin1Char('/')) ? drive + path : path);
        QCOMPARE(request.paths, expected);
        QCOMPARE(!request.reason.isEmpty(), action == int(StartRequest::Action::Refuse));
        QCOMPARE(request.convertHere, arguments.contains(QStringLiteral("--convert-here"))
                                          && action == int(StartRequest::Action::Start));
    }

    void desktopFolder()
    {
        QCOMPARE(DesktopFolderFromLookup(QStringLiteral("/home/u/Desktop")),
                 QDir::toNativeSeparators(QStringLiteral("/home/u/Desktop/")));
        try {
            DesktopFolderFromLookup(QString());
            QFAIL("an undetermined desktop folder must fail");
        } catch (const Failure& failure) {
            QCOMPARE(failure.description(), QStringLiteral("Invalid procedure call or argument"));
        }

        const QString lookedUp = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (!lookedUp.isEmpty())
            QCOMPARE(GetDesktopFolder(), QDir::toNativeSeparators(lookedUp) + QDir::separator());
    }

    void twipsAtCommonResolutions()
    {
        QCOMPARE(twipsToPixels(1440, 96), 96);
        QCOMPARE(twipsToPixels(7800, 96), 520);
        QCOMPARE(twipsToPixels(2740, 96), 183); // 182.67 rounds up
        QCOMPARE(twipsToPixels(7000, 144), 700);
        QCOMPARE(twipsToRect(120, 2750, 3840, 405, 96, 96), QRect(8, 183, 256, 27));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "TestStartup.moc"
