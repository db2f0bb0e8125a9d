#include "app/ConvertHere.h"
#include "app/ProgressBarWithText.h"
#include "app/TerminationSignals.h"
#include "core/ConversionRun.h"
#include "core/FailureReport.h"
#include "core/SaveResult.h"
#include "core/Settings.h"
#include "core/Signals.h"
#include "core/ToolImages.h"
#include "options/OutputChoicesMenu.h"
#include "tests/support/MakeWebP.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWorker.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#ifndef Q_OS_WIN
#include <csignal>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace orvalin;
using orvalin::testing::allowedName;
using orvalin::testing::nativePath;
using orvalin::testing::testWorker;
using orvalin::testing::Window;
using orvalin::testing::writeFile;

namespace {

// Makes a WebP file of the given size from a picture drawn here.
void makeWebP(const QString& path, QSize size, bool withAlpha = false)
{
    QImage image(size, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           qRgba(x * 255 / size.width(), y * 255 / size.height(), 90,
                                 withAlpha ? (x % 2 ? 0 : 255) : 255));
    orvalin::testing::writeWebP(path, image);
}

#ifndef Q_OS_WIN
// The processes whose command line names something in the folder: the run's tools.
int processesUsing(const QString& folder)
{
    int count = 0;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (pid.toInt() > 0 && commandLine.open(QIODevice::ReadOnly)
            && commandLine.readAll().contains(QFile::encodeName(folder + QLatin1Char('/'))))
            ++count;
    }
    return count;
}
#endif

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size() + 1);
    files.sort();
    return files;
}

struct RunSetup
{
    QTemporaryDir root;
    QString sources = nativePath(root.filePath(QStringLiteral("sources")));
    QString output = nativePath(root.filePath(QStringLiteral("output")));
    QString temp = nativePath(root.filePath(QStringLiteral("temp")));

    RunSetup()
    {
        QDir().mkpath(sources);
        QDir().mkpath(output);
        QDir().mkpath(temp);
        qputenv("TEMP", temp.toLocal8Bit());
    }
    ~RunSetup() { qunsetenv("TEMP"); }

    QString source(const QString& name) const
    {
        return nativePath(sources + QLatin1Char('/') + name);
    }
};

void useOutputFolder(Window& window, const QString& folder)
{
    window.control<QRadioButton>("Option1")->click();
    window.control<QLineEdit>("Text1")->setText(folder);
}

} // namespace

class TestConversionRun : public QObject
{
    Q_OBJECT

private slots:
    void goodAndBadFilesThroughTheWindow()
    {
        RunSetup setup;
        const QStringList goodNames{QStringLiteral("plain.webp"),
                                    allowedName(QStringLiteral("with blanks and 'quotes\".webp")),
                                    QStringLiteral("-leading dash.webp"),
                                    allowedName(QStringLiteral("line\nbreak.webp")),
                                    QStringLiteral("Привет 世界.webp"),
                                    QStringLiteral("alpha.webp")};
        for (const QString& name : goodNames)
            makeWebP(setup.source(name), {37, 21}, name == QLatin1String("alpha.webp"));

        const QString empty = setup.source(QStringLiteral("empty.webp"));
        writeFile(empty, QByteArray());
        const QString truncated = setup.source(QStringLiteral("truncated.webp"));
        QFile whole(setup.source(QStringLiteral("plain.webp")));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        writeFile(truncated, whole.read(whole.size() / 2));
        const QString pngNamedWebp = setup.source(QStringLiteral("picture.webp"));
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(pngNamedWebp, "PNG"));
        const QString text = setup.source(QStringLiteral("notes.webp"));
        writeFile(text, "just some words\n");
        const QString missing = setup.source(QStringLiteral("missing.webp"));
        const QString folder = setup.source(QStringLiteral("a folder.webp"));
        QVERIFY(QDir().mkdir(folder));
        const QString unreadable = setup.source(QStringLiteral("unreadable.webp"));
        makeWebP(unreadable, {5, 5});
#ifdef Q_OS_WIN
        const bool rootReadsAnything = true; // no permission bits keep a reader out
#else
        QVERIFY(QFile::setPermissions(unreadable, {}));
        const bool rootReadsAnything = ::geteuid() == 0;
#endif

        Window window;
        useOutputFolder(window, setup.output + QLatin1Char('/'));
        QStringList rows;
        for (const QString& name : goodNames)
            rows << setup.source(name);
        rows << empty << truncated << pngNamedWebp << text << missing << unreadable << folder;
        window.form->fileList().addRows(rows);
        const QStringList sourcesBefore = filesBelow(setup.sources);

        window.convert();

        // Only what is no WebP was skipped for its format; what could not be read is listed with
        // the reason.
        const QStringList expectedSkipped{empty, truncated, pngNamedWebp, text, folder};
        QStringList expectedNotConverted{NotConvertedLine(missing, "no such file or folder")};
        QStringList expectedOutputs;
        for (const QString& name : goodNames)
            expectedOutputs << name.chopped(5) + QStringLiteral(".jpg");
        if (rootReadsAnything)
            expectedOutputs << QStringLiteral("unreadable.jpg");
        else
            expectedNotConverted << NotConvertedLine(unreadable, "permission denied");
        expectedOutputs.sort();

        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 FinalMessage({.skipped = expectedSkipped, .notConverted = expectedNotConverted}));
        QCOMPARE(window.messages().first().title, QStringLiteral("Orvalin"));
        QCOMPARE(filesBelow(setup.output), expectedOutputs);
        for (const QString& name : goodNames) {
            const QImage result(setup.output + QLatin1Char('/') + name.chopped(5)
                                + QStringLiteral(".jpg"));
            QCOMPARE(result.size(), QSize(37, 21));
        }
        // Nothing written anywhere else, and the working folder is gone.
        QCOMPARE(filesBelow(setup.sources), sourcesBefore);
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QCOMPARE(window.form->mousePointer(), PointerKind::Default);
        QVERIFY(!window.form->conversionRun().IsConverting());
        QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // "Convert to JPG" from a file manager that starts the program once per file: the paths
    // of starts close together join one list and convert in one run beside their sources, while
    // the save option shown and stored stays "this folder"; paths after the run began are not
    // taken.
    void convertHereGathersStartsIntoOneRun()
    {
        RunSetup setup;
        QDir().mkpath(setup.source(QStringLiteral("folder")));
        const QStringList files{setup.source(QStringLiteral("a.webp")),
                                setup.source(QStringLiteral("b.webp")),
                                setup.source(QStringLiteral("folder/c.webp"))};
        for (const QString& file : files)
            makeWebP(file, {6, 4});
        Window window;
        useOutputFolder(window, setup.output);
        ConvertHere here(*window.form, std::chrono::milliseconds(300));
        bool gatheringEnded = false;
        here.setGatheringEnded([&] { gatheringEnded = true; });
        QSignalSpy ended(&window.form->conversionRun(), &ConversionRun::ended);
        here.gather({files[0]});
        here.gather({files[1], setup.source(QStringLiteral("folder"))});
        QVERIFY(!window.form->conversionRun().IsConverting());
        Window::waitForRunEnd(ended);

        QVERIFY(gatheringEnded);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text, QStringLiteral("Done."));
        for (const QString& file : files)
            QVERIFY(QFile::exists(file.chopped(4) + QStringLiteral("jpg")));
        QVERIFY(QDir(setup.output).isEmpty());
        QVERIFY(window.control<QRadioButton>("Option1")->isChecked());
        QVERIFY(window.settings->value(Stored::SaveToFolder));

        here.gather({files[0]}); // too late: a start now opens a window of its own
        QCOMPARE(window.rows().size(), 3);
        window.convert(); // and the next run reads the options again
        QCOMPARE(filesBelow(setup.output), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
    }

    // The taskbar button follows the bar through a run, loses its progress before the final
    // message, and a window the user is not looking at asks for attention.
    void theTaskbarFollowsTheRun()
    {
        RunSetup setup;
        Window window;
        useOutputFolder(window, setup.output);
        for (const QString& name : {QStringLiteral("a.webp"), QStringLiteral("b.webp")}) {
            makeWebP(setup.source(name), {4, 4});
            window.form->fileList().add(setup.source(name));
        }
        QVERIFY(!window.form->isActiveWindow());
        window.convert();
        QCOMPARE(window.seams.taskbar.calls,
                 (QStringList{"progress 0.5", "progress 1", "progress 0", "clear", "attention"}));
        QCOMPARE(window.messages().size(), 1); // the final message came after
    }

    void resultsBesideTheirSources()
    {
        RunSetup setup;
        QDir().mkpath(setup.source(QStringLiteral("deeper/still")));
        const QString a = setup.source(QStringLiteral("photo.final.webp"));
        const QString b = setup.source(QStringLiteral("deeper/still/no extension"));
        makeWebP(a, {10, 12});
        makeWebP(b, {3, 4});
        const QString existing = setup.source(QStringLiteral("photo.final.jpg"));
        writeFile(existing, "an older result");
        QVERIFY(QFile::setPermissions(existing, QFileDevice::ReadOwner | QFileDevice::WriteOwner));

        Window window;
        window.click("Option2");
        window.control<QLineEdit>("Text1")->setText(QStringLiteral("/this folder does not exist"));
        window.form->fileList().addRows({a, b});
        window.convert();

        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text, QStringLiteral("Done."));
        QCOMPARE(QImage(existing).size(), QSize(10, 12)); // replaced without asking
#ifndef Q_OS_WIN // the permission bits a result keeps or gets
        QCOMPARE(QFile::permissions(existing), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                   | QFileDevice::ReadUser
                                                   | QFileDevice::WriteUser);
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat created;
        QVERIFY(
            ::stat(QFile::encodeName(setup.source(QStringLiteral("deeper/still/no extension.jpg")))
                       .constData(),
                   &created)
            == 0);
        QCOMPARE(created.st_mode & 0777, 0666 & ~mask); // a new result is made as any new file
#endif
        QCOMPARE(QImage(setup.source(QStringLiteral("deeper/still/no extension.jpg"))).size(),
                 QSize(3, 4));
        QCOMPARE(filesBelow(setup.output), QStringList());
    }

    // Browsers save WebP pictures under ".jpg" names: a result beside such a file, or beside a
    // row whose output name it holds, must never take the picture's place. An ordinary JPG at
    // an output name is still replaced.
    void aWebPPictureAtTheOutputNameIsKept()
    {
        RunSetup setup;
        const QString download = setup.source(QStringLiteral("download.jpg"));
        const QString x = setup.source(QStringLiteral("x.webp"));
        const QString xNamedJpg = setup.source(QStringLiteral("x.jpg"));
        const QString linked = setup.source(QStringLiteral("linked.webp"));
        const QString ordinary = setup.source(QStringLiteral("ordinary.webp"));
        for (const QString& picture : {download, x, xNamedJpg, linked, ordinary})
            makeWebP(picture, {6, 4});
        QStringList keptPictures{download, xNamedJpg};
        QStringList notSaved{download, x, xNamedJpg};
#ifndef Q_OS_WIN // a Windows shortcut is a file of its own, not a link the system follows
        const QString stash = setup.root.filePath(QStringLiteral("stash.webp"));
        QVERIFY(QFile::copy(download, stash));
        QVERIFY(QFile::link(stash, setup.source(QStringLiteral("linked.jpg"))));
        keptPictures << stash;
        notSaved << linked;
#endif
        writeFile(setup.source(QStringLiteral("ordinary.jpg")), "an older result");
        QMap<QString, QByteArray> kept;
        for (const QString& picture : keptPictures) {
            QFile file(picture);
            QVERIFY(file.open(QIODevice::ReadOnly));
            kept.insert(picture, file.readAll());
        }

        Window window;
        window.click("Option2");
        window.form->fileList().addRows({download, x, xNamedJpg, linked, ordinary});
        window.convert();

        QCOMPARE(window.messages().size(), 2); // the cause, told once, and the final message
        QVERIFY(window.messages().first().text.contains(KeepsWebPPicture()));
        QCOMPARE(window.messages().last().text, FinalMessage({.notSaved = notSaved}));
        for (auto picture = kept.cbegin(); picture != kept.cend(); ++picture) {
            QFile file(picture.key());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), picture.value());
        }
#ifndef Q_OS_WIN
        QVERIFY(QFileInfo(setup.source(QStringLiteral("linked.jpg"))).isSymLink());
#endif
        QCOMPARE(QImage(setup.source(QStringLiteral("ordinary.jpg")), "JPEG").size(), QSize(6, 4));
    }

    // A named pipe blocks whoever opens it for reading, and a tool may never end for other
    // reasons: neither holds the run, each such row is listed as not converted, and the rows
    // around them convert.
    void aPipeAndAToolThatNeverEndsDoNotHoldTheRun()
    {
        RunSetup setup;
        const QString before = setup.source(QStringLiteral("before.webp"));
        const QString pipe = setup.source(QStringLiteral("pipe.webp"));
        const QString held = setup.source(QStringLiteral("held.webp"));
        const QString after = setup.source(QStringLiteral("after.webp"));
        for (const QString& picture : {before, held, after})
            makeWebP(picture, {5, 5});
        writeFile(held + QStringLiteral(".hold")); // its decoding never ends by itself
        const QStringList notConverted{NotConvertedLine(held, TookTooLongReason())};
#ifdef Q_OS_WIN
        const QStringList rows{before, held, after}; // named pipes live apart on Windows
        const QStringList skipped;
#else
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QStringList rows{before, pipe, held, after};
        const QStringList skipped{pipe};
#endif

        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        window.form->conversionRun().setJobs(2);
        window.form->conversionRun().setToolTimeLimit(
            {std::chrono::seconds(3), std::chrono::seconds(0)});
        window.form->conversionRun().setToolImageLoader(
            [](const QString&) { return testWorker(); });
        window.convert();

        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(window.messages().first().text,
                 FinalMessage({.skipped = skipped, .notConverted = notConverted}));
        QCOMPARE(filesBelow(setup.output), (QStringList{"after.jpg", "before.jpg"}));
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Tools that cannot start (a temporary folder on a file system mounted noexec) are a
    // failure of the run, told once: the files were never looked at, so none is "not WebP".
    void toolsThatCannotStartEndTheRun()
    {
#ifdef Q_OS_WIN
        QSKIP("mounting a file system where programs may not start is Linux's");
#else
        RunSetup setup;
        const QByteArray point = QFile::encodeName(setup.temp);
        if (::geteuid() != 0
            || ::mount("tmpfs", point.constData(), "tmpfs", MS_NOEXEC, "size=64m") != 0)
            QSKIP("needs to mount a noexec tmpfs (root)");
        const auto unmount = qScopeGuard([&] { ::umount2(point.constData(), MNT_DETACH); });
        QStringList rows;
        for (const char* name : {"a", "b", "c"}) {
            rows << setup.source(QStringLiteral("%1.webp").arg(QLatin1String(name)));
            makeWebP(rows.last(), {4, 4});
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        window.form->conversionRun().setJobs(2);
        window.convert();

        QCOMPARE(window.messages().size(), 2);
        QCOMPARE(window.messages().first().title, QStringLiteral("Application Error"));
        QVERIFY(window.messages().first().text.contains(QStringLiteral("at line 156\r\r")));
        QCOMPARE(window.messages().last().text, FinalMessage({.notSaved = rows}));
        QCOMPARE(filesBelow(setup.output), QStringList());
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
#endif
    }

    void refusals()
    {
        RunSetup setup;
        Window window;
        window.convert();
        QCOMPARE(window.messages().last().text, QStringLiteral("No files added."));

        window.form->fileList().add(setup.source(QStringLiteral("x.webp")));
        for (const QString& notAFolder : {QString(), setup.output + QStringLiteral("/missing"),
                                          setup.root.filePath(QStringLiteral("file"))}) {
            writeFile(setup.root.filePath(QStringLiteral("file")), "x");
            useOutputFolder(window, notAFolder);
            window.convert();
            QCOMPARE(window.messages().last().text,
                     QStringLiteral("Folder does not exist. Please select another folder."));
            QCOMPARE(window.messages().last().icon, MessageIcon::None);
        }
        QCOMPARE(window.messages().size(), 4);
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(!window.form->conversionRun().IsConverting());
        QCOMPARE(window.form->mousePointer(), PointerKind::Default);
    }

    void progressWhileTheWindowStaysUsable()
    {
        RunSetup setup;
        QStringList rows;
        for (int i = 1; i <= 4; ++i) {
            rows << setup.source(QStringLiteral("%1.webp").arg(i));
            makeWebP(rows.last(), {8, 8});
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        auto* bar = window.form->findChild<ProgressBarWithText*>(QStringLiteral("ProgressBar1"));

        QList<double> values;
        QStringList texts;
        bool clickedAgain = false;
        window.form->conversionRun().setPassObserver([&](int) {
            if (values.isEmpty() || values.last() != bar->exactValue())
                values << bar->exactValue();
            if (!texts.contains(bar->text()))
                texts << bar->text();
            QCOMPARE(window.form->mousePointer(), PointerKind::Busy);
            if (!clickedAgain) {
                clickedAgain = true;
                window.click("PushButton2"); // a second run does not start
                window.click("PushButton6"); // Clear List is refused while busy
                // Paths handed over by a later start join the list, and wait.
                window.form->takeHandedPaths({setup.source(QStringLiteral("added later.webp"))});
            }
        });
        // The click starts the run and returns; the run goes on as the window handles events.
        QSignalSpy ended(&window.form->conversionRun(), &ConversionRun::ended);
        window.click("PushButton2");
        QVERIFY(window.form->conversionRun().IsConverting());
        QVERIFY(window.messages().isEmpty());
        Window::waitForRunEnd(ended);

        // Each row's share of the rows there are now: a row added during the first file counts.
        QCOMPARE(values, (QList<double>{25, 40, 60, 80}));
        QCOMPARE(texts, (QStringList{"Processing: 1.webp", "Processing: 2.webp",
                                     "Processing: 3.webp", "Processing: 4.webp"}));
        QCOMPARE(bar->exactValue(), 0.0);
        QCOMPARE(bar->text(), QStringLiteral("Progress Bar"));
        QCOMPARE(window.messages().size(), 1); // "Done." only: the row added later was not run
        QCOMPARE(window.messages().first().text, QStringLiteral("Done."));
        QCOMPARE(window.rows().size(), 5);
        QCOMPARE(filesBelow(setup.output), (QStringList{"1.jpg", "2.jpg", "3.jpg", "4.jpg"}));
    }

    // The window stays busy while a run or a scan of "Add All" goes on, whichever started first
    // and whichever ends first: "Clear List" cannot empty the list under either.
    void aScanAndARunKeepTheWindowBusyTogether()
    {
        RunSetup setup;
        QStringList rows;
        for (const char* name : {"a", "b"}) {
            rows << setup.source(QStringLiteral("%1.webp").arg(QLatin1String(name)));
            makeWebP(rows.last(), {6, 6});
        }
        const QString scanned = setup.root.filePath(QStringLiteral("scanned"));
        QVERIFY(QDir().mkdir(scanned));
        makeWebP(scanned + QStringLiteral("/c.webp"), {6, 6});
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);

        // A scan begun and ended during a run.
        window.seams.fileDialogs.folderAnswers << nativePath(scanned);
        std::optional<PointerKind> afterScan;
        window.form->conversionRun().setPassObserver([&](int) {
            if (afterScan)
                return;
            window.click("PushButton4");
            afterScan = window.form->mousePointer();
            window.click("PushButton6");
        });
        window.convert();
        QCOMPARE(afterScan, PointerKind::Busy);
        QCOMPARE(window.rows().size(), 3);
        QCOMPARE(window.messages().last().text, DoneMessage());
        QCOMPARE(filesBelow(setup.output), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(window.form->mousePointer(), PointerKind::Default);

        // A run begun at the scan's first yield.
        window.form->conversionRun().setPassObserver({});
        window.seams.fileDialogs.folderAnswers << nativePath(scanned);
        std::optional<PointerKind> afterStart;
        QSignalSpy ended(&window.form->conversionRun(), &ConversionRun::ended);
        QTimer::singleShot(0, window.form.get(), [&] {
            window.click("PushButton2");
            afterStart = window.form->mousePointer();
            window.click("PushButton6");
        });
        window.click("PushButton4");
        Window::waitForRunEnd(ended);
        QCOMPARE(afterStart, PointerKind::Busy);
        QCOMPARE(window.rows().size(), 4);
        QCOMPARE(window.form->mousePointer(), PointerKind::Default);
    }

    // With sub-folders kept, the rows a scan added go below the output folder as the scanned
    // folder's tree, its folders made as needed, and rows added as files straight into it; with
    // dates kept, each result has its source's.
    void subfoldersAndDatesKept()
    {
        RunSetup setup;
        const QString trip = setup.source(QStringLiteral("Trip"));
        QDir().mkpath(trip + QStringLiteral("/day 2"));
        makeWebP(trip + QStringLiteral("/a.webp"), {4, 4});
        makeWebP(trip + QStringLiteral("/day 2/b.webp"), {5, 5});
        const QString loose = setup.source(QStringLiteral("c.webp"));
        makeWebP(loose, {6, 6});
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        for (const QString& source : {trip + QStringLiteral("/day 2/b.webp"), loose}) {
            QFile file(source);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.seams.fileDialogs.folderAnswers << nativePath(trip);
        window.click("PushButton4");
        window.form->fileList().add(loose);
        for (QAction* item : window.form->findChildren<QAction*>())
            if (item->text() == KeepSubfoldersText() || item->text() == KeepDatesText())
                item->trigger();
        window.convert();

        QCOMPARE(window.messages().last().text, DoneMessage());
        QCOMPARE(filesBelow(setup.output),
                 (QStringList{"Trip/a.jpg", "Trip/day 2/b.jpg", "c.jpg"}));
        QCOMPARE(QFileInfo(setup.output + QStringLiteral("/Trip/day 2/b.jpg")).lastModified(),
                 past);
        QCOMPARE(QFileInfo(setup.output + QStringLiteral("/c.jpg")).lastModified(), past);
    }

    void optionsChangedDuringARunApplyToLaterRows()
    {
        RunSetup setup;
        const QString first = setup.source(QStringLiteral("first.webp"));
        const QString second = setup.source(QStringLiteral("second.webp"));
        makeWebP(first, {9, 9});
        makeWebP(second, {9, 9});
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows({first, second});
        bool switched = false;
        window.form->conversionRun().setPassObserver([&](int) {
            if (!switched && window.form->findChild<ProgressBarWithText*>()->exactValue() == 50) {
                switched = true;
                window.click("Option2");
            }
        });
        window.convert();
        QVERIFY(QFile::exists(setup.output + QStringLiteral("/first.jpg")));
        QVERIFY(QFile::exists(setup.source(QStringLiteral("second.jpg"))));
        QVERIFY(!QFile::exists(setup.output + QStringLiteral("/second.jpg")));
    }

    void rowsThatMoveOrVanishAreConvertedOnceAtMost()
    {
        RunSetup setup;
        QStringList rows;
        for (const char* name : {"a", "b", "c", "d"}) {
            rows << setup.source(QStringLiteral("%1.webp").arg(QLatin1String(name)));
            makeWebP(rows.last(), {6, 6});
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        QStringList converted;
        bool edited = false;
        auto* bar = window.form->findChild<ProgressBarWithText*>();
        window.form->conversionRun().setPassObserver([&](int) {
            if (!converted.contains(bar->text()))
                converted << bar->text();
            if (!edited) {
                edited = true;
                window.form->fileList().exchange(1, 4); // the row at work moves to the end
                window.form->fileList().remove(3);      // c goes before its turn
            }
        });
        window.convert();
        // Row 2 is still b; row 3 is now a, done already, so the first row waiting, d, follows.
        QCOMPARE(converted,
                 (QStringList{"Processing: a.webp", "Processing: b.webp", "Processing: d.webp"}));
        QCOMPARE(filesBelow(setup.output), (QStringList{"a.jpg", "b.jpg", "d.jpg"}));
        QCOMPARE(window.messages().last().text, QStringLiteral("Done."));
    }

    void resultsThatCannotBeSaved()
    {
        RunSetup setup;
        QStringList rows;
        for (const char* name : {"one", "two", "three"}) {
            rows << setup.source(QStringLiteral("%1.webp").arg(QLatin1String(name)));
            makeWebP(rows.last(), {6, 6});
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        bool removed = false;
        auto* bar = window.form->findChild<ProgressBarWithText*>();
        window.form->conversionRun().setPassObserver([&](int) {
            if (!removed && bar->text() == QLatin1String("Processing: two.webp")) {
                removed = true;
                QVERIFY(QDir(setup.output).removeRecursively());
            }
        });
        window.convert();

        // The same failure at the same step is told once; every row it struck is listed.
        const auto& shown = window.messages();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, QStringLiteral("Application Error"));
        QVERIFY(shown[0].text.contains(QStringLiteral("PushButton2_Click at line 172\r\r")));
        QCOMPARE(shown[1].text, FinalMessage({.notSaved = {rows[1], rows[2]}}));
        QVERIFY(!QFile::exists(setup.output));
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void anOutputNameTakenByAFolder()
    {
        RunSetup setup;
        const QString source = setup.source(QStringLiteral("clash.webp"));
        makeWebP(source, {4, 4});
        QVERIFY(QDir().mkdir(setup.output + QStringLiteral("/clash.jpg")));
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().add(source);
        window.convert();
        QCOMPARE(window.messages().size(), 2);
        QVERIFY(window.messages().first().text.contains(
            QStringLiteral("PushButton2_Click at line 172\r\r")));
        QCOMPARE(window.messages().last().text, FinalMessage({.notSaved = {source}}));
        QVERIFY(QFileInfo(setup.output + QStringLiteral("/clash.jpg")).isDir());
        QCOMPARE(QDir(setup.output).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"clash.jpg"});
    }

    void resultsCopiedFromAnotherFileSystem()
    {
        // A working folder on another file system: the result is copied beside its name and
        // renamed, rather than renamed across.
#ifdef Q_OS_WIN
        QSKIP("the second file system is Linux's /dev/shm");
#else
        RunSetup setup;
        QTemporaryDir otherTemp(QStringLiteral("/dev/shm/orvalin-test-XXXXXX"));
        struct stat shm, out;
        if (!otherTemp.isValid() || ::stat("/dev/shm", &shm) != 0
            || ::stat(QFile::encodeName(setup.output).constData(), &out) != 0
            || shm.st_dev == out.st_dev)
            QSKIP("needs a second file system at /dev/shm");
        qputenv("TEMP", otherTemp.path().toLocal8Bit());
        const QString source = setup.source(QStringLiteral("far.webp"));
        makeWebP(source, {7, 5});
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().add(source);
        window.convert();
        QCOMPARE(window.messages().last().text, QStringLiteral("Done."));
        QCOMPARE(QImage(setup.output + QStringLiteral("/far.jpg")).size(), QSize(7, 5));
        QCOMPARE(QDir(otherTemp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
#endif
    }

    void neitherOptionOnSavesNothing()
    {
        RunSetup setup;
        const QString source = setup.source(QStringLiteral("lonely.webp"));
        makeWebP(source, {4, 4});
        QTemporaryDir store;
        writeFile(store.filePath(QStringLiteral("s.conf")),
                  "[Orvalin]\nOption1=False\nOption2=False\nText1="
                      + QString(setup.output).replace(u'\\', QStringLiteral("\\\\")).toUtf8()
                      + "\n");
        Window window({.settingsFile = store.filePath(QStringLiteral("s.conf"))});
        window.form->fileList().add(source);
        window.convert();
        QCOMPARE(window.messages().last().text, FinalMessage({.notSaved = {source}}));
        QCOMPARE(filesBelow(setup.output), QStringList());
        QCOMPARE(filesBelow(setup.sources), QStringList{QStringLiteral("lonely.webp")});
    }

    // A worker that crashes on a file loses that file alone: it is listed as not converted, the
    // file queued behind it goes to a new worker, and the rows before and after it convert.
    void aWorkerThatCrashesIsReplaced()
    {
        RunSetup setup;
        QStringList rows;
        for (const char* name : {"a", "crashes", "b", "c"}) {
            rows << setup.source(QStringLiteral("%1.webp").arg(QLatin1String(name)));
            makeWebP(rows.last(), {4, 4});
        }
        writeFile(rows[1] + QStringLiteral(".crash"));

        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        window.form->conversionRun().setJobs(1); // one worker, with the next file queued
        window.form->conversionRun().setToolImageLoader(
            [](const QString&) { return testWorker(); });
        window.convert();
        QCOMPARE(window.messages().size(), 1);
        QCOMPARE(
            window.messages().last().text,
            FinalMessage({.notConverted = {NotConvertedLine(rows[1], ConverterStoppedReason())}}));
        QCOMPARE(filesBelow(setup.output), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void withoutTempTheSystemsTemporaryFolderIsUsed()
    {
        RunSetup setup;
        qunsetenv("TEMP");
        const QString source = setup.source(QStringLiteral("t.webp"));
        makeWebP(source, {4, 4});
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().add(source);
        QString workFolder;
        window.form->conversionRun().setPassObserver([&](int) {
            const QStringList runs =
                QDir(QDir::tempPath()).entryList({QStringLiteral("orvalin-run-*")}, QDir::Dirs);
            if (!runs.isEmpty())
                workFolder = QDir::tempPath() + QLatin1Char('/') + runs.first();
        });
        window.convert();
        QCOMPARE(window.messages().last().text, QStringLiteral("Done."));
        QVERIFY(!workFolder.isEmpty());
        QVERIFY(!QFileInfo::exists(workFolder));
    }

    // Closing the window, or a termination signal, while two tools run stops both, leaves no
    // process of the run behind and removes its working folder.
    void closingTheWindowStopsTheRun_data()
    {
        QTest::addColumn<int>("signal"); // 0: the user closes the window
        QTest::newRow("closed") << 0;
#ifndef Q_OS_WIN
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
#endif
    }
    void closingTheWindowStopsTheRun()
    {
        QFETCH(int, signal);
        CloseWindowsOnTerminationSignals();
        RunSetup setup;
        QStringList rows;
        for (int i = 0; i < 3; ++i) {
            rows << setup.source(QStringLiteral("%1.webp").arg(i));
            makeWebP(rows.last(), {6, 6});
            writeFile(rows.last() + QStringLiteral(".hold")); // decoding never ends by itself
        }
        Window window;
        useOutputFolder(window, setup.output);
        window.form->fileList().addRows(rows);
        window.form->show();
        window.form->conversionRun().setJobs(2);
        window.form->conversionRun().setToolImageLoader(
            [](const QString&) { return testWorker(); });
        QString workFolder;
        bool goneAtClose = false;
#ifndef Q_OS_WIN
        int runningAtClose = 0;
#endif
        window.form->conversionRun().setPassObserver([&](int) {
            if (!workFolder.isEmpty())
                return;
            workFolder = setup.temp + QLatin1Char('/')
                         + QDir(setup.temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot).value(0);
#ifndef Q_OS_WIN
            runningAtClose = processesUsing(workFolder);
            if (signal) {
                ::kill(::getpid(), signal);
                return;
            }
#endif
            window.form->close();
            // Gone before the run unwinds: Windows ends a program soon after its session ends.
            goneAtClose = !QFileInfo::exists(workFolder);
        });
        window.convert();
        QCOMPARE(goneAtClose, signal == 0);
#ifndef Q_OS_WIN
        QCOMPARE(runningAtClose, 2); // both rows of the two jobs
        QCOMPARE(processesUsing(workFolder), 0);
#endif
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        QVERIFY(window.messages().isEmpty());
        QCOMPARE(filesBelow(setup.output), QStringList());
        QVERIFY(!window.form->isVisible());
        if (signal)
            QCOMPARE(ExitStatusAfterSignals(0), 128 + signal);
    }
};

QTEST_MAIN(TestConversionRun)
#include "TestConversionRun.moc"
