#include "core/LongWait.h"

#include <QMap>
#include <QTest>

using namespace orvalin;

namespace {

// A progress display that keeps what it was told.
struct Bar : ProgressDisplay
{
    QString text = ProgressBarIdleText();
    double value = 0;
    QString progressText() const override { return text; }
    void setProgressText(const QString& shown) override { text = shown; }
    double progressValue() const override { return value; }
    void setProgressValue(double shown) override { value = shown; }
};

struct Shown
{
    QString text;
    double value;
    bool operator==(const Shown&) const = default;
};

// What the bar shows at each watched pass of a wait that lasts `passes`.
QMap<int, Shown> watch(Bar& bar, qint32 count, int passes, const QList<int>& watched)
{
    LongWait wait(bar, count);
    QMap<int, Shown> seen;
    for (int pass = 1; pass <= passes; ++pass) {
        wait.showPass(pass);
        if (watched.contains(pass))
            seen[pass] = {bar.text, bar.value};
    }
    wait.end();
    return seen;
}

} // namespace

class TestLongWait : public QObject
{
    Q_OBJECT

private slots:
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
        QCOMPARE(waitProgress(25, 4).limit, 48);
        QCOMPARE(waitProgress(100, 1).limit, 190);
    }

    // After about five seconds the wait counts on, and every fifteen seconds the bar moves a
    // step, never past the file's share; at the end the text is the row's again.
    void aLongWaitMovesTheBarWithinItsShare()
    {
        Bar bar;
        bar.text = QStringLiteral("Processing: a.webp");
        bar.value = 25.4; // rounded as the wait begins
        const QMap<int, Shown> seen = watch(bar, 4, 2000, {1, 49, 50, 51, 200, 350, 1700, 1850});
        const QString base = QStringLiteral("Processing: a.webp");
        QCOMPARE(seen[1], (Shown{base, 25.4}));
        QCOMPARE(seen[49], (Shown{base, 25.4}));
        QCOMPARE(seen[50], (Shown{base + QStringLiteral(", Please wait.. 0"), 25}));
        QCOMPARE(seen[51], (Shown{base + QStringLiteral(", Please wait.. 1"), 25}));
        QCOMPARE(seen[200].value, 27.0);
        QCOMPARE(seen[350].value, 29.0);
        QCOMPARE(seen[1700].value, 47.0);
        QCOMPARE(seen[1850].value, 48.0);
        QCOMPARE(bar.text, base);
        QCOMPARE(bar.value, 48.0);
    }

    // The last file's share ends at 100: the value goes past it, up to the limit.
    void theLastFileGoesPastTheEnd()
    {
        Bar bar;
        bar.text = QStringLiteral("Processing: last.webp");
        bar.value = 100;
        const QMap<int, Shown> seen = watch(bar, 1, 1500, {200, 1400});
        QCOMPARE(seen[200].value, 110.0);
        QCOMPARE(seen[1400].value, 190.0);
        QCOMPARE(bar.value, 190.0);
    }

    void withAnEmptyTextTheIdleTextComesBack()
    {
        Bar bar;
        bar.text.clear();
        const QMap<int, Shown> seen = watch(bar, 2, 60, {60});
        QCOMPARE(seen[60].text, QStringLiteral("Please wait.. 10"));
        QCOMPARE(bar.text, QStringLiteral("Progress Bar"));
    }
};

QTEST_GUILESS_MAIN(TestLongWait)
#include "TestLongWait.moc"
