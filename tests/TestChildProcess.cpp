#include "core/ChildProcess.h"
#include "tests/support/TestFiles.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace orvalin;
using namespace std::chrono_literals;
using orvalin::testing::writeFile;

namespace {

ToolCommand helper(QStringList arguments)
{
    return {QStringLiteral(CHILD_HELPER), std::move(arguments)};
}

struct BarState
{
    QString text;
    double value;
};

// A progress display that keeps what it was told.
struct Bar : ProgressDisplay
{
    QString text = ProgressBarIdleText;
    double value = 0;
    QString progressText() const override { return text; }
    void setProgressText(const QString& shown) override { text = shown; }
    double progressValue() const override { return value; }
    void setProgressValue(double shown) override { value = shown; }
};

} // namespace

class TestChildProcess : public QObject
{
    Q_OBJECT

private slots:
    void exitCodesComeBack_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("success") << 0;
        QTest::newRow("failure") << 3;
#ifdef Q_OS_WIN
        // Exit codes are 8 bits on Linux, so only Windows can end a child with this one.
        QTest::newRow("the still-active number") << 259;
#endif
        QTest::newRow("largest") << 255;
    }
    void exitCodesComeBack()
    {
        QFETCH(int, code);
        ChildProcessRunner runner(1h); // a pass ends as soon as the child does
        int passes = 0;
        runner.setPassObserver([&](int pass) { passes = pass; });
        QCOMPARE(runner.ShellAndWait(helper({QStringLiteral("exit"), QString::number(code)}), 0),
                 code);
        QVERIFY2(passes >= 1 && passes <= 2, qPrintable(QString::number(passes)));
    }

    void aCrashIsAFailure()
    {
        ChildProcessRunner runner(1h);
        QVERIFY(runner.ShellAndWait(helper({QStringLiteral("crash")})) != 0);
    }

    void toolsThatCannotStart()
    {
        QTemporaryDir dir;
        const QString notExecutable = dir.filePath(QStringLiteral("plain"));
        writeFile(notExecutable, "#!/bin/sh\nexit 0\n");
        ChildProcessRunner runner(1h);
        int passes = 0;
        runner.setPassObserver([&](int) { ++passes; });
        for (const QString& program :
             {dir.filePath(QStringLiteral("missing")), notExecutable, QString()}) {
            const qint32 result = runner.ShellAndWait({program, {}}, 0);
            QVERIFY2(result < 0, qPrintable(program));
            QVERIFY(result > StartFailureBase);
        }
        QCOMPARE(passes, 0);
    }

    void argumentsArriveIntact()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("args"));
        const QStringList arguments{QStringLiteral("-o"),
                                    QStringLiteral("a b"),
                                    QStringLiteral("\"quoted\" 'single'"),
                                    QStringLiteral("-leading dash"),
                                    QStringLiteral("line\nbreak"),
                                    QStringLiteral("Привет 世界"),
                                    QString(),
                                    QStringLiteral("$HOME;|&*")};
        ChildProcessRunner runner(1h);
        QCOMPARE(runner.ShellAndWait(helper(QStringList{QStringLiteral("args"), file} + arguments)),
                 0);
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QStringList received = QString::fromUtf8(written.readAll()).split(QChar(u'\0'));
        received.removeLast();
        QCOMPARE(received, arguments);
    }

    void windowStyles()
    {
        QCOMPARE(windowStyleOrDefault(std::nullopt), 6);
        QCOMPARE(windowStyleOrDefault(-1), 6);
        QCOMPARE(windowStyleOrDefault(7), 6);
        QCOMPARE(windowStyleOrDefault(0), 0);
        QCOMPARE(windowStyleOrDefault(6), 6);
    }

    void stepsAndLimits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        const QList<QPair<int, int>> rows{{1, 10}, {2, 5}, {3, 3},  {4, 2},  {5, 2},
                                          {6, 2},  {7, 1}, {19, 1}, {20, 0}, {100, 0}};
        for (const auto& [count, step] : rows)
            QTest::addRow("%d files", count) << count << step;
    }
    void stepsAndLimits()
    {
        QFETCH(int, count);
        QFETCH(int, step);
        QCOMPARE(waitProgress(0, count).step, step);
    }

    void limits()
    {
        QCOMPARE(waitProgress(25, 4).limit, 48);
        QCOMPARE(waitProgress(100, 1).limit, 190);
        // Without a count: a tenth of what is left, up to one step short of the end.
        QCOMPARE(waitProgress(25, std::nullopt).step, 8); // 7.5 rounds to even
        QCOMPARE(waitProgress(25, std::nullopt).limit, 92);
    }

    void aLongToolMovesTheBarWithinItsShare()
    {
        QTemporaryDir dir;
        const QString release = dir.filePath(QStringLiteral("release"));
        Bar bar;
        bar.setProgressText(QStringLiteral("Processing: a.webp"));
        bar.setProgressValue(25);

        ChildProcessRunner runner(0ms);
        QMap<int, BarState> seen;
        const QList<int> watched{1, 49, 50, 51, 200, 350, 1700, 1850, 2000};
        runner.setPassObserver([&](int pass) {
            if (watched.contains(pass))
                seen[pass] = {bar.text, bar.value};
            if (pass == 2000)
                writeFile(release, "go");
        });
        const qint32 result = runner.ShellAndWaitWithProgress(
            helper({QStringLiteral("wait-file"), release, QStringLiteral("7")}), 0, &bar,
            QStringLiteral("Processing: a.webp"), 25, 4);

        QCOMPARE(result, 7);
        QCOMPARE(seen.keys(), watched);
        QCOMPARE(seen[1].text, QStringLiteral("Processing: a.webp"));
        QCOMPARE(seen[49].text, QStringLiteral("Processing: a.webp"));
        QCOMPARE(seen[49].value, 25.0);
        QCOMPARE(seen[50].text, QStringLiteral("Processing: a.webp, Please wait.. 0"));
        QCOMPARE(seen[51].text, QStringLiteral("Processing: a.webp, Please wait.. 1"));
        QCOMPARE(seen[50].value, 25.0);
        QCOMPARE(seen[200].value, 27.0);
        QCOMPARE(seen[350].value, 29.0);
        QCOMPARE(seen[1700].value, 47.0);
        QCOMPARE(seen[1850].value, 48.0);
        QCOMPARE(seen[2000].value, 48.0);
        QCOMPARE(seen[2000].text, QStringLiteral("Processing: a.webp, Please wait.. 1950"));
        QCOMPARE(bar.text, QStringLiteral("Processing: a.webp"));
        QCOMPARE(bar.value, 48.0);
    }

    void emptyBaseTextAndNoCurrentValue()
    {
        QTemporaryDir dir;
        const QString release = dir.filePath(QStringLiteral("release"));
        Bar bar;
        bar.setProgressValue(60);
        ChildProcessRunner runner(0ms);
        QString atPass60;
        runner.setPassObserver([&](int pass) {
            if (pass == 60)
                atPass60 = bar.text;
            if (pass == 400)
                writeFile(release, "go");
        });
        QCOMPARE(runner.ShellAndWaitWithProgress(
                     helper({QStringLiteral("wait-file"), release, QStringLiteral("0")}), 0, &bar,
                     QString(), std::nullopt, std::nullopt),
                 0);
        QCOMPARE(atPass60, QStringLiteral("Please wait.. 10"));
        QCOMPARE(bar.value, 60.0);
        QCOMPARE(bar.text, QStringLiteral("Progress Bar"));
    }

    void aValuePastTheEndStopsAtTheLimit()
    {
        QTemporaryDir dir;
        const QString release = dir.filePath(QStringLiteral("release"));
        Bar bar;
        ChildProcessRunner runner(0ms);
        double atPass200 = 0;
        runner.setPassObserver([&](int pass) {
            if (pass == 200) {
                atPass200 = bar.value;
                writeFile(release, "go");
            }
        });
        QCOMPARE(runner.ShellAndWaitWithProgress(
                     helper({QStringLiteral("wait-file"), release, QStringLiteral("0")}), 0, &bar,
                     QStringLiteral("Processing: last.webp"), 100, 1),
                 0);
        QCOMPARE(atPass200, 110.0);
        // However long the child takes to end after that, the value stops at the limit.
        QVERIFY(bar.value >= 110.0 && bar.value <= 190.0);
    }

    void withoutABarNothingIsShown()
    {
        QTemporaryDir dir;
        const QString release = dir.filePath(QStringLiteral("release"));
        ChildProcessRunner runner(0ms);
        runner.setPassObserver([&](int pass) {
            if (pass == 300)
                writeFile(release, "go");
        });
        QCOMPARE(runner.ShellAndWaitWithProgress(
                     helper({QStringLiteral("wait-file"), release, QStringLiteral("4")}), 0,
                     nullptr, QStringLiteral("Processing: x"), 10, 2),
                 4);
    }

    void aStoppedToolEndsItsWait()
    {
        QTemporaryDir dir;
        ChildProcessRunner runner(10ms);
        runner.setPassObserver([&](int pass) {
            if (pass == 3)
                runner.stopRunningTool();
        });
        const qint32 result = runner.ShellAndWait(
            helper({QStringLiteral("wait-file"), dir.filePath(QStringLiteral("never")),
                    QStringLiteral("0")}));
        QVERIFY(result != 0);
    }
};

QTEST_GUILESS_MAIN(TestChildProcess)
#include "TestChildProcess.moc"
