#include "core/ConversionRun.h"
#include "core/FailureReport.h"
#include "core/ToolImages.h"
#include "tests/support/MakeWebP.h"
#include "tests/support/RecordingPlatform.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestWorker.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
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
    QString shown = ProgressBarIdleText;
    double value = 0;
    QStringList texts; // every progress text shown, in order

    int count() const override { return int(rows.size()); }
    quint64 identity(int position) const override { return quint64(position); }
    QString text(int position) const override { return rows.at(position - 1); }
    bool savesToFolder() const override { return toFolder; }
    bool savesBesideSource() const override { return !toFolder; }
    QString outputFolder() const override { return folder; }
    int quality() const override { return 80; }
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

    void start()
    {
        run.start({nullptr, {messageBoxes, fileDialogs, shell}, QStringLiteral("Orvalin")});
    }
};

void makeWebP(const QString& path, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    orvalin::testing::writeWebP(path, image);
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
        setup.run.runner().setPassObserver([&](int) {
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
        QCOMPARE(setup.messageBoxes.shown.first().text, FinalMessage({first, third}, {}));
        QVERIFY(!savedEarly);
        QCOMPARE(QImage(secondResult).size(), QSize(5, 3));
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
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage);
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
        setup.run.runner().setPassObserver([&](int) {
            QDirIterator results(setup.temp, {QStringLiteral("*.jpg")}, QDir::Files,
                                 QDirIterator::Subdirectories);
            qsizetype count = 0;
            for (; results.hasNext(); results.next())
                ++count;
            mostResults = std::max(mostResults, count);
        });
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage);
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
        QCOMPARE(shown[0].title, FailureReportTitle);
        QVERIFY(shown[0].text.contains(QStringLiteral("PushButton2_Click at line 122\r\r")));
        QCOMPARE(shown[1].text, FinalMessage({}, setup.window.rows));
    }

    // A run that ends by an exception leaves the window free for the next one.
    void aRunEndedByAnExceptionIsNoLongerConverting()
    {
        Run setup;
        setup.window.rows << setup.source(QStringLiteral("a.webp"));
        setup.window.pointerFails = true;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, setup.start());
        QVERIFY(!setup.run.IsConverting());
        setup.window.pointerFails = false;
        setup.start();
        QCOMPARE(setup.messageBoxes.shown.last().text, FinalMessage(setup.window.rows, {}));
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
        QCOMPARE(setup.messageBoxes.shown.last().text, DoneMessage);
        QVERIFY(!QFileInfo::exists(killed));
        QVERIFY(QFileInfo::exists(living + QStringLiteral("/convert-worker")));
        QVERIFY(QFileInfo::exists(other));
    }
};

QTEST_GUILESS_MAIN(TestConversionEngine)
#include "TestConversionEngine.moc"
