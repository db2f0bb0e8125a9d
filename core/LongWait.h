#pragma once

#include <QCoreApplication>
#include <QString>

namespace orvalin {

// The text the progress bar shows when it has nothing else to show.
inline QString ProgressBarIdleText()
{
    return QCoreApplication::translate("ConversionRun", "Progress Bar");
}

// Where a run shows its progress: the window's progress bar, or what a test puts in its place.
// The value may lie above 100.
class ProgressDisplay
{
public:
    virtual ~ProgressDisplay() = default;
    virtual QString progressText() const = 0;
    virtual void setProgressText(const QString& text) = 0;
    virtual double progressValue() const = 0;
    virtual void setProgressValue(double value) = 0;
};

// The bar's step and limit while a file takes long, each rounded half to even.
struct WaitProgress
{
    qint32 step;
    qint32 limit;
};
WaitProgress waitProgress(qint32 currentValue, qint32 count);

// What the bar shows while the run waits long for one file: from the 50th pass of the wait
// (about five seconds) "Please wait.. " and a count after the text it had, and every 150 passes
// after that a step forward within the file's share; when the wait ends, the text it had.
class LongWait
{
public:
    // The bar's text and its value, rounded, as the wait begins; count: the files of the run.
    LongWait(ProgressDisplay& bar, qint32 count);

    // Pass 1 ends the first pass length of the wait.
    void showPass(int pass);
    void end();

private:
    ProgressDisplay& m_bar;
    QString m_baseText;
    qint32 m_currentValue;
    qint32 m_count;
};

} // namespace orvalin
