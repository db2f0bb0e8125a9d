#include "core/ConversionRun.h"
#include "core/FailureReport.h"
#include "core/SaveResult.h"
#include "core/ToolImages.h"
#include "tests/support/MakeWebP.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWorker.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

using namespace orvalin;
using orvalin::testing::nativePath;
using orvalin::testing::RecordingMessageBoxes;
using orvalin::testing::testWorker;
using orvalin::testing::writeFile;

namespace {

// The window's side of a run, kept in plain values: the rows, the options and what is shown.
struct Window : RunRows, RunOptions, RunDisplay
{
    QStringList rows;
    QString folder;
    bool toFolder = true;
    QString shown = ProgressBarIdleText();
    double value = 0;
    QStringList texts; // every progress text shown, in order

    int count() const override { return int(rows.size()); }
    quint64 identity(int position) const override { return quint64(position); }
    QString text(int position) const override { return rows.at(position - 1); }
    QStringList addedFroms; // as many as rows, or none: every row added as a file
    QString addedFrom(int position) const override { return addedFroms.value(position - 1); }
    bool savesToFolder() const override { return toFolder; }
    bool savesBesideSource() const override { return !toFolder; }
    QString outputFolder() const override { return folder; }
    int quality() const override { return 80; }
    OutputChoices choices;
    OutputChoices outputChoices() const override { return choices; }
    QString progressText() const override { return shown; }
    void setProgressText(const QString& text) override
    {
        shown = text;
        if (texts.isEmpty() || texts.last() != text)
            texts << text;
    }
    double progressValue() const override { return value; }
    void setProgressValue(double newValue) override { value = newValue; }
    bool pointerFails = false; // a display that throws, as a failing window could
    void setPointer(PointerKind) override
    {
        if (pointerFails)
            throw std::runtime_error("the pointer cannot be set");
    }
};

struct Run
{
    QTemporaryDir root;
    QString sources = nativePath(root.filePath(QStringLiteral("sources")));
    QString output = nativePath(root.filePath(QStringLiteral("output")));
    QString temp = nativePath(root.filePath(QStringLiteral("temp")));
    Window window;
    RecordingMessageBoxes messageBoxes;
    orvalin::testing::RecordingFileDialogs fileDialogs;
    orvalin::testing::RecordingShell shell;
    ConversionRun run{window, window, window, std::chrono::milliseconds(5)};

    Run()
    {
        for (const QString& folder : {sources, output, temp})
            QDir().mkpath(folder);
        qputenv("TEMP", temp.toLocal8Bit());
        window.folder = output;
        run.setToolImageLoader([](const QString&) { return testWorker(); });
    }
    ~Run() { qunsetenv("TEMP"); }

    QString source(const QString& name) const
    {
        return nativePath(sources + QLatin1Char('/') + name);
    }

    // Starts the run and lets the event loop run until it has ended.
    void start()
    {
        QSignalSpy ended(&run, &ConversionRun::ended);
        run.start({nullptr, {messageBoxes, fileDialogs, shell}, QStringLiteral("Orvalin")});
        QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 100000);
    }
};

void makeWebP(const QString& path, QSize size, bool lossless = false)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    orvalin::testing::writeWebP(path, image, lossless);
}

// A picture of noise, whose JPG is about as large as its pixels.
[[maybe_unused]] void makeNoisyWebP(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, QRandomGenerator::global()->generate() | 0xff000000);
    orvalin::testing::writeWebP(path, image);
}

bool underWine()
{
#ifdef Q_OS_WIN
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}

// Whether a process of that id runs (a zombie, ended but not yet reaped, does not).
bool processRuns(qint64 id)
{
#ifdef Q_OS_WIN
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, DWORD(id));
    if (!process)
        return false;
    const bool runs = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return runs;
#else
    QFile status(QStringLiteral("/proc/%1/stat").arg(id));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = status.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2; // after the command's name
    return state < line.size() && line.at(state) != 'Z' && line.at(state) != 'X';
#endif
}

// The test worker written into the folder as a program; its path.
QString writeTestWorker(const QString& folder)
{
#ifdef Q_OS_WIN
    const QString program = folder + QStringLiteral("/test-worker.exe");
#else
    const QString program = folder + QStringLiteral("/test-worker");
#endif
    writeFile(program, testWorker());
    QFile::setPermissions(program,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return program;
}

} // namespace

class TestConversionEngine : public QObject
{
    Q_OBJECT

private slots:
    // The first row's conversion ends only after the second's and the third's: what the user
    // sees, the lists of the final message and the moment each result is saved still follow
    // the list.
    void whatIsShownFollowsTheList()
    {
        Run setup;
        const QString first = setup.source(QStringLiteral("first.webp"));
        const QString second = setup.source(QStringLiteral("second.webp"));
        const QString third = setup.source(QStringLiteral("third.webp"));
        writeFile(first, "not a picture");
        makeWebP(second, {5, 3});
        writeFile(third, "nor this");
        writeFile(first + QStringLiteral(".hold"));
        setup.window.rows = {first, second, third};
        setup.run.setJobs(3);
        const QString secondResult = setup.output + QStringLiteral("/second.jpg");
        bool savedEarly = false;
        setup.run.setPassObserver([&](int) {
            if (QFile::exists(second + QStringLiteral(".decoded")))
                QFile::remove(first + QStringLiteral(".hold"));
            if (setup.window.shown == QLatin1String("Processing: first.webp"))
                savedEarly = savedEarly || QFile::exists(secondResult);
        });
        setup.start();

        QCOMPARE(setup.window.texts,
                 (QStringList{"Processing: first.webp", "Processing: second.webp",
                              "Processing: third.webp", "Progress Bar"}));
        QCOMPARE(setup.messageBoxes.shown.size(), 1);
        QCOMPARE(setup.messageBoxes.shown.first().text, FinalMessage({.skipped = {first, third}}));
        QVERIFY(!savedEarly);
        QCOMPARE(QImage(secondResult).size(), QSize(5, 3));
    }

    // A file whose JPG takes long counts on after the text of its row, and the row's text
    // comes back once the JPG is there.
    void aLongEncodingCountsOn()
    {
        Run setup;
        const QString slow = setup.source(QStringLiteral("slow.webp"));
        makeWebP(slow, {4, 4});
        writeFile(slow + QStringLiteral(".hold-encoding"));
        setup.window.rows = {slow};
        setup.run.setPassObserver([&](int pass) {
            if (pass == 60)
                QFile::remove(slow + QStringLiteral(".hold-encoding"));
        });
        setup.start();
        QCOMPARE(setup.window.texts.mid(0, 3),
                 (QStringList{"Processing: slow.webp", "Processing: slow.webp, Please wait.. 0",
                              "Processing: slow.webp, Please wait.. 1"}));
        QCOMPARE(setup.window.texts.mid(setup.window.texts.size() - 2),
                 (QStringList{"Processing: slow.webp", "Progress Bar"}));
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage());
    }

    // A JPG at the output name is replaced, kept beside a numbered new one, or left alone with
    // the row listed; two rows of one output name follow the same rule, and a WebP picture
    // there is never replaced.
    void anExistingJpg_data()
    {
        QTest::addColumn<IfExists>("ifExists");
        QTest::addColumn<QStringList>("outputs"); // each name, then what it holds
        QTest::addColumn<int>("skippedExisting"); // the first rows, listed so
        QTest::newRow("replace") << IfExists::Replace
                                 << QStringList{"a (1).jpg", "old",     "a.jpg",
                                                "6x6",       "pic.jpg", "webp"}
                                 << 0;
        QTest::newRow("keep both")
            << IfExists::KeepBoth
            << QStringList{"a (1).jpg", "old", "a (2).jpg",   "4x4", "a (3).jpg", "6x6",
                           "a.jpg",     "old", "pic (1).jpg", "5x5", "pic.jpg",   "webp"}
            << 0;
        QTest::newRow("skip") << IfExists::Skip
                              << QStringList{"a (1).jpg", "old", "a.jpg", "old", "pic.jpg", "webp"}
                              << 3;
    }
    void anExistingJpg()
    {
        QFETCH(IfExists, ifExists);
        QFETCH(QStringList, outputs);
        QFETCH(int, skippedExisting);
        Run setup;
        QDir().mkpath(setup.source(QStringLiteral("b")));
        setup.window.rows = {setup.source(QStringLiteral("a.webp")),
                             setup.source(QStringLiteral("b/a.webp")),
                             setup.source(QStringLiteral("pic.webp"))};
        makeWebP(setup.window.rows[0], {4, 4});
        makeWebP(setup.window.rows[1], {6, 6});
        makeWebP(setup.window.rows[2], {5, 5});
        writeFile(setup.output + QStringLiteral("/a.jpg"), "old");
        writeFile(setup.output + QStringLiteral("/a (1).jpg"), "old");
        QFile::copy(setup.window.rows[2], setup.output + QStringLiteral("/pic.jpg"));
        setup.window.choices.ifExists = ifExists;
        setup.run.setJobs(2);
        setup.start();

        QStringList found;
        for (const QString& name : QDir(setup.output).entryList(QDir::Files, QDir::Name)) {
            const QString path = setup.output + QLatin1Char('/') + name;
            const QImage jpg(path, "JPEG");
            found << name
                  << (IsWebPFile(path) ? QStringLiteral("webp")
                      : jpg.isNull()   ? QStringLiteral("old")
                                     : QStringLiteral("%1x%2").arg(jpg.width()).arg(jpg.height()));
        }
        QCOMPARE(found, outputs);
        RunReport report;
        report.skippedExisting = setup.window.rows.mid(0, skippedExisting);
        if (ifExists == IfExists::Replace)
            report.notSaved = {setup.window.rows[2]};
        QCOMPARE(setup.messageBoxes.shown.last().text, FinalMessage(report));
        QCOMPARE(QDir(setup.temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // The size to fit within, read as a conversion begins, reaches the worker with the quality.
    void theSizeChosenReachesTheWorker()
    {
        Run setup;
        setup.window.rows = {setup.source(QStringLiteral("wide.webp"))};
        makeWebP(setup.window.rows[0], {64, 48});
        setup.window.choices.fitWithin = 16;
        setup.start();
        QCOMPARE(QImage(setup.output + QStringLiteral("/wide.jpg")).size(), QSize(16, 12));
    }

    // The last step of a save takes a name only where nothing stands, whatever stands there,
    // even where nothing stood when the run looked: the result then stays where it was.
    void aResultNeverTakesANameThatExists()
    {
        QTemporaryDir dir;
        const QString result = dir.filePath(QStringLiteral("result.jpg"));
        const QString folder = dir.filePath(QStringLiteral("folder"));
        QDir().mkdir(folder);
        const QString file = dir.filePath(QStringLiteral("file.jpg"));
        writeFile(file, "there");
        writeFile(result, "new");
        for (const QString& taken : {file, folder}) {
            QVERIFY(!PlaceWithoutReplacing(result, taken));
            QVERIFY(QFile::exists(result));
        }
        QCOMPARE(QFileInfo(folder).isDir(), true);
        QFile there(file);
        QVERIFY(there.open(QIODevice::ReadOnly));
        QCOMPARE(there.readAll(), QByteArray("there"));
        const QString free = dir.filePath(QStringLiteral("free.jpg"));
        QVERIFY(PlaceWithoutReplacing(result, free));
        QFile placed(free);
        QVERIFY(placed.open(QIODevice::ReadOnly));
        QCOMPARE(placed.readAll(), QByteArray("new"));
    }

    void rowsOfTheSameNameKeepTheirOwnPictures()
    {
        Run setup;
        QDir().mkpath(setup.source(QStringLiteral("a")));
        QDir().mkpath(setup.source(QStringLiteral("b")));
        makeWebP(setup.source(QStringLiteral("a/photo.webp")), {4, 4});
        makeWebP(setup.source(QStringLiteral("b/photo.webp")), {7, 3});
        setup.window.rows = {setup.source(QStringLiteral("a/photo.webp")),
                             setup.source(QStringLiteral("b/photo.webp"))};
        setup.window.toFolder = false;
        setup.run.setJobs(2);
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage());
        QCOMPARE(QImage(setup.source(QStringLiteral("a/photo.jpg"))).size(), QSize(4, 4));
        QCOMPARE(QImage(setup.source(QStringLiteral("b/photo.jpg"))).size(), QSize(7, 3));
    }

    // A row's result leaves the working folder once it is saved: a long list never fills the
    // temporary folder.
    void resultsGoWithTheirRow()
    {
        Run setup;
        for (int i = 0; i < 10; ++i) {
            setup.window.rows << setup.source(QStringLiteral("%1.webp").arg(i));
            makeWebP(setup.window.rows.last(), {3, 3});
        }
        setup.run.setJobs(1);
        qsizetype mostResults = 0;
        setup.run.setPassObserver([&](int) {
            QDirIterator results(setup.temp, {QStringLiteral("*.jpg")}, QDir::Files,
                                 QDirIterator::Subdirectories);
            qsizetype count = 0;
            for (; results.hasNext(); results.next())
                ++count;
            mostResults = std::max(mostResults, count);
        });
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage());
        QVERIFY2(mostResults <= 4, qPrintable(QString::number(mostResults)));
    }

    // A temporary folder that cannot hold the working folder leaves nothing to do: one report,
    // and every row listed as not saved, never as "not in WebP format".
    void aFailureThatLeavesNothingToDoIsToldOnce()
    {
        Run setup;
        const QString file = setup.root.filePath(QStringLiteral("a file"));
        writeFile(file);
        qputenv("TEMP", file.toLocal8Bit());
        for (const char* name : {"one.webp", "two.webp", "three.webp"})
            setup.window.rows << setup.source(QLatin1String(name));
        setup.start();
        const auto& shown = setup.messageBoxes.shown;
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, FailureReportTitle());
        QVERIFY(shown[0].text.contains(QStringLiteral("PushButton2_Click at line 122\r\r")));
        QCOMPARE(shown[1].text, FinalMessage({.notSaved = setup.window.rows}));
    }

    // A step of the run that fails, here every change of the window's pointer, is reported
    // once with its line and the run goes on to its end, leaving the window free.
    void aFailingStepIsReportedAndTheRunGoesOn()
    {
        Run setup;
        setup.window.rows << setup.source(QStringLiteral("a.webp"))
                          << setup.source(QStringLiteral("b.webp"));
        setup.window.pointerFails = true;
        setup.start();
        QVERIFY(!setup.run.IsConverting());
        QStringList reported;
        for (const MessageRequest& shown : setup.messageBoxes.shown)
            if (shown.title == FailureReportTitle())
                reported << shown.text.section(QStringLiteral(" at line "), 1).left(3);
        QCOMPARE(reported, (QStringList{"112", "140", "186"}));
        const QStringList missing{NotConvertedLine(setup.window.rows[0], "no such file or folder"),
                                  NotConvertedLine(setup.window.rows[1], "no such file or folder")};
        QCOMPARE(setup.messageBoxes.shown.last().text, FinalMessage({.notConverted = missing}));
    }

    // Only a file the worker found no WebP in is "not in WebP format": every other row without a
    // result is listed under a heading of its own with the reason. A result whose name is too
    // long for its folder is a save that failed, not a file that is no WebP.
    void whatIsNotConvertedIsListedWithTheReason()
    {
        Run setup;
        const QString text = setup.source(QStringLiteral("text.webp"));
        writeFile(text, "not a picture");
        const QString crashes = setup.source(QStringLiteral("crashes.webp"));
        makeWebP(crashes, {4, 4});
        writeFile(crashes + QStringLiteral(".crash"));
        const QString longName = setup.source(QString(253, u'n') + QStringLiteral(".x"));
        makeWebP(longName, {4, 4});
        const QString converts = setup.source(QString(250, u'c') + QStringLiteral(".webp"));
        makeWebP(converts, {4, 4});
        setup.window.rows = {text, crashes, longName, converts};
        QStringList notConverted{NotConvertedLine(crashes, ConverterStoppedReason())};
#ifndef Q_OS_WIN // Windows opens a path of any length
        QString tooLong = setup.sources;
        while (QFile::encodeName(tooLong).size() < 4398)
            tooLong += QStringLiteral("/") + QString(200, u'd');
        setup.window.rows << tooLong + QStringLiteral("/x.webp");
        notConverted << NotConvertedLine(setup.window.rows.last(), "the path is too long");
#endif
        setup.run.setJobs(1);
        setup.start();

        const auto& shown = setup.messageBoxes.shown;
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].text.contains(QStringLiteral("PushButton2_Click at line 172\r\r")));
        QCOMPARE(
            shown[1].text.split(QStringLiteral("\r\n")),
            FinalMessage({.skipped = {text}, .notConverted = notConverted, .notSaved = {longName}})
                .split(QStringLiteral("\r\n")));
        QCOMPARE(QDir(setup.output).entryList(QDir::Files),
                 QStringList{QString(250, u'c') + QStringLiteral(".jpg")});
    }

    // A temporary folder too full for a row's JPG: the row is listed as not converted, for
    // that reason, and the run goes on.
    void aFullTemporaryFolder()
    {
#ifdef Q_OS_WIN
        QSKIP("mounting a small file system is Linux's");
#else
        Run setup;
        const QByteArray worker = testWorker();
        // Room for the worker and a small JPG, not for a large one.
        const QByteArray size = QByteArray::number(worker.size() / 1024 + 96) + "k";
        const QByteArray point = QFile::encodeName(setup.temp);
        if (::geteuid() != 0
            || ::mount("tmpfs", point.constData(), "tmpfs", 0, ("size=" + size).constData()) != 0)
            QSKIP("needs to mount a small tmpfs (root)");
        const auto unmount = qScopeGuard([&] { ::umount2(point.constData(), MNT_DETACH); });
        const QString small = setup.source(QStringLiteral("small.webp"));
        const QString large = setup.source(QStringLiteral("large.webp"));
        makeWebP(small, {8, 8});
        makeNoisyWebP(large, {600, 600});
        setup.window.rows = {large, small};
        setup.run.setJobs(1);
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text,
                 FinalMessage(
                     {.notConverted = {NotConvertedLine(large, "no space left on the device")}}));
        QVERIFY(QFile::exists(setup.output + QStringLiteral("/small.jpg")));
#endif
    }

    // A worker may take only its share of memory: a picture beyond it is "not enough memory",
    // never a damaged file, and the rows around it convert.
    void aPictureBeyondTheMemoryCeiling()
    {
        if (WorkerMemoryCeiling(1) == 0)
            QSKIP("a sanitizer build's workers have no memory ceiling");
        if (underWine())
            QSKIP("Wine does not hold a job's processes to its memory limit");
        Run setup;
        const QString small = setup.source(QStringLiteral("small.webp"));
        const QString large = setup.source(QStringLiteral("large.webp"));
        const QString after = setup.source(QStringLiteral("after.webp"));
        makeWebP(small, {8, 8});
        makeWebP(large, {4000, 3000}, true); // 36 MB of pixels: lossless pictures decode to RGB
        makeWebP(after, {8, 8});
        setup.window.rows = {small, large, after};
        setup.run.setJobs(1);
        setup.run.setWorkerMemoryCeiling(32 << 20);
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text,
                 FinalMessage({.notConverted = {NotConvertedLine(large, "not enough memory")}}));
        QCOMPARE(QDir(setup.output).entryList(QDir::Files),
                 (QStringList{"after.jpg", "small.jpg"}));
    }

    // A worker's time grows with its file, up to ten minutes: a file of gigabytes of anything
    // would otherwise be given hours before it is stopped.
    void timeLimitsGrowToTenMinutesAtMost()
    {
        using std::chrono::seconds;
        const ToolTimeLimit limit;
        QCOMPARE(limit.forBytes(0), seconds(60));
        QCOMPARE(limit.forBytes(quint64(10) << 20), seconds(110));
        QCOMPARE(limit.forBytes(quint64(2) << 30), seconds(600));
        QCOMPARE(limit.forBytes(~quint64(0)), seconds(600));
    }

    // A program ended outright takes its workers with it: none goes on with its file and holds
    // its working folder.
    void aWorkerEndsWithItsProgram()
    {
        Run setup;
        const QString program = writeTestWorker(setup.temp);
        const QString held = setup.source(QStringLiteral("held.webp"));
        makeWebP(held, {4, 4});
        writeFile(held + QStringLiteral(".hold")); // the worker waits while this is there
        QProcess probe;
        probe.start(QStringLiteral(WORKER_PROBE),
                    {program, held, setup.output + QStringLiteral("/held.jpg")});
        QVERIFY(probe.waitForReadyRead(30000));
        const qint64 worker = probe.readLine().trimmed().toLongLong();
        QVERIFY(worker > 0 && processRuns(worker));
        const auto noneLeft = qScopeGuard([&] { QFile::remove(held + QStringLiteral(".hold")); });
        probe.kill();
        QVERIFY(probe.waitForFinished());
        QTRY_VERIFY_WITH_TIMEOUT(!processRuns(worker), 20000);
    }

    // Stopping a worker drops the files it had without a call: its owner knows, and a call from
    // within the stop would reach the owner in the middle of ending it.
    void aStoppedWorkerCallsNoHandler()
    {
        Run setup;
        const QString held = setup.source(QStringLiteral("held.webp"));
        makeWebP(held, {4, 4});
        writeFile(held + QStringLiteral(".hold"));
        const WorkerConfinement confinement(0);
        ConverterWorker worker(writeTestWorker(setup.temp), confinement);
        QVERIFY(worker.started());
        int calls = 0;
        for (const char* name : {"/a.jpg", "/b.jpg"})
            worker.convert(
                held, setup.output + QLatin1String(name), {80}, ToolTimeLimit{},
                {[&](quint64) { ++calls; }, [&](WorkerOutcome, const QString&) { ++calls; }});
        const qint64 process = worker.processId();
        worker.stop();
        QVERIFY(!processRuns(process));
        QCOMPARE(worker.pending(), 0);
        QTest::qWait(50); // nor does anything arrive later
        QCOMPARE(calls, 0);
        QFile::remove(held + QStringLiteral(".hold"));
    }

    // A file goes to an idle worker, or to one encoding its only file; never behind a whole
    // conversion, where it could wait for as long as a large picture takes while the other
    // worker is idle.
    void aFileWaitsBehindAnEncodingAtMost()
    {
        Run setup;
        QStringList held;
        for (const char* name : {"a.webp", "b.webp"}) {
            held << setup.source(QLatin1String(name));
            makeWebP(held.last(), {4, 4});
            writeFile(held.last() + QStringLiteral(".hold"));
            writeFile(held.last() + QStringLiteral(".hold-encoding"));
        }
        const auto release = qScopeGuard([&] {
            for (const QString& file : held)
                for (const char* hold : {".hold", ".hold-encoding"})
                    QFile::remove(file + QLatin1String(hold));
        });
        WorkerPool pool(writeTestWorker(setup.temp), 2, 0);
        ConverterWorker* first = pool.take();
        QVERIFY(first && first->started());
        first->convert(held[0], setup.output + QStringLiteral("/a.jpg"), {80}, {}, {});
        ConverterWorker* second = pool.take();
        QVERIFY(second && second->started() && second != first);
        second->convert(held[1], setup.output + QStringLiteral("/b.jpg"), {80}, {}, {});
        QCOMPARE(pool.take(), nullptr); // both are still decoding
        QFile::remove(held[0] + QStringLiteral(".hold"));
        QTRY_VERIFY(first->encodingItsLastFile());
        QCOMPARE(pool.take(), first);
    }

    // Folders of runs whose program was killed outright are removed by the next run; a folder
    // whose program still lives, and anything else in the temporary folder, stay.
    void foldersOfKilledRunsAreRemoved()
    {
        Run setup;
        const auto workFolder = [&](const char* name) {
            const QString folder = setup.temp + QLatin1Char('/') + QLatin1String(name);
            QDir().mkpath(folder);
            writeFile(folder + QStringLiteral("/.lock"));
            writeFile(folder + QStringLiteral("/convert-worker"), "left over");
            return folder;
        };
        const QString killed = workFolder("orvalin-run-killed");
        const QString living = workFolder("orvalin-run-living");
        const QString other = setup.temp + QStringLiteral("/someone-else");
        QDir().mkpath(other);
        // Held as a living program holds it.
        const QString lockFile = living + QStringLiteral("/.lock");
#ifdef Q_OS_WIN
        const HANDLE lock =
            ::CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(lockFile).utf16()),
                          GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        QVERIFY(lock != INVALID_HANDLE_VALUE);
        const auto release = qScopeGuard([&] { ::CloseHandle(lock); });
#else
        const int lock = ::open(QFile::encodeName(lockFile).constData(), O_RDWR);
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) == 0);
        const auto release = qScopeGuard([&] { ::close(lock); });
#endif

        const QString source = setup.source(QStringLiteral("x.webp"));
        makeWebP(source, {2, 2});
        setup.window.rows = {source};
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage());
        QVERIFY(!QFileInfo::exists(killed));
        QVERIFY(QFileInfo::exists(living + QStringLiteral("/convert-worker")));
        QVERIFY(QFileInfo::exists(other));
    }
};

QTEST_GUILESS_MAIN(TestConversionEngine)
#include "TestConversionEngine.moc"
